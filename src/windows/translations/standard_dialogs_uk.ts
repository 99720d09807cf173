<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Texts of the standard dialogs that the system's Ukrainian catalogue lacks. Loaded
     after it, so these win where both have an entry. -->
<TS version="2.1" language="uk_UA">
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Диск</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>All other platforms</comment>
        <translation>Тека</translation>
    </message>
</context>
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Сторінки</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Сторінки або проміжки через кому. Проміжок — два числа через дефіс. Напр.: 3,5-7,9 друкує сторінки 3, 5, 6, 7 і 9.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Двобічний друк</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Вимкнено</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Переплетення по довгому краю</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Переплетення по короткому краю</translation>
    </message>
</context>
</TS>
