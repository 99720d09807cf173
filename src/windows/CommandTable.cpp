#include "windows/CommandTable.h"

#include <array>

namespace lw {

namespace {

constexpr std::array<std::string_view, 8> allMenuCaptions = {
    "&Файл", "Пр&авка", "Графіки &2D", "Графіки &3D", "&Простір", "&Опції", "&Різне", "&Допомога",
};

using enum Command;
constexpr MenuCheck Check = MenuCheck::Check;
constexpr MenuCheck Radio = MenuCheck::Radio;

constexpr KeyScope Main = KeyScope::MainWindow;

constexpr std::array<MenuItemEntry, 54> menuItems = {{
    {0, "&Створити", "Ctrl+N", New, MenuCheck::None},
    {0, "&Відкрити", "F3", Open, MenuCheck::None},
    {0, "&Зберегти", "F2", Save, MenuCheck::None},
    {0, "З&берегти як", "Ctrl+S", SaveAs, MenuCheck::None},
    {0, "-", "", Command::None, MenuCheck::None},
    {0, "&Друк", "Ctrl+P", Print, MenuCheck::None},
    {0, "-", "", Command::None, MenuCheck::None},
    {0, "&Вихід", "Alt+X", Exit, MenuCheck::None},
    {1, "Скасувати", "Alt+Backspace", Undo, MenuCheck::None},
    {1, "Повторити", "Alt+Shift+Backspace", Redo, MenuCheck::None},
    {2, "&Побудувати всі", "Ctrl+B", BuildAll2D, MenuCheck::None},
    {2, "По&будувати виділений", "Ctrl+F", BuildSelected2D, MenuCheck::None},
    {2, "&Додати графік", "F7", AddGraph2D, MenuCheck::None},
    {2, "Ви&терти", "F8", Clear2D, MenuCheck::None},
    {2, "&Сканування", "F5", Scan2D, MenuCheck::None},
    {2, "Пр&оскановані точки", "F9", ScannedPoints, MenuCheck::None},
    {2, "&Режим сканування", "Ctrl+W", ScanMode, Check},
    {2, "&Тимчасова сітка", "Ctrl+G", TemporaryGrid, Check},
    {2, "Відкрити &малюнок", "Ctrl+O", OpenPicture, MenuCheck::None},
    {2, "Зберегти  м&алюнок", "F4", SavePicture, MenuCheck::None},
    {2, "-", "", Command::None, MenuCheck::None},
    {2, "Повзунки &констант", "Ctrl+L", ConstantSliders2D, MenuCheck::None},
    {2, "-", "", Command::None, MenuCheck::None},
    {2, "&Наблизити", "Ctrl+=", ZoomIn2D, MenuCheck::None,
     "Наблизити: збільшити графіки навколо середини виду (коліщатко миші - навколо вказівника)",
     Main},
    {2, "&Віддалити", "Ctrl+-", ZoomOut2D, MenuCheck::None,
     "Віддалити: зменшити графіки навколо середини виду (коліщатко миші - навколо вказівника)",
     Main},
    {2, "Зсунути ліворуч", "Ctrl+Left", PanLeft2D, MenuCheck::None,
     "Показати те, що ліворуч: зсунути вид на десяту частину (графіки можна й тягти мишею)", Main},
    {2, "Зсунути праворуч", "Ctrl+Right", PanRight2D, MenuCheck::None,
     "Показати те, що праворуч: зсунути вид на десяту частину (графіки можна й тягти мишею)", Main},
    {2, "Зсунути вгору", "Ctrl+Up", PanUp2D, MenuCheck::None,
     "Показати те, що вгорі: зсунути вид на десяту частину (графіки можна й тягти мишею)", Main},
    {2, "Зсунути вниз", "Ctrl+Down", PanDown2D, MenuCheck::None,
     "Показати те, що внизу: зсунути вид на десяту частину (графіки можна й тягти мишею)", Main},
    {2, "Початкові ме&жі", "Ctrl+0", RestoreBounds2D, MenuCheck::None,
     "Повернути межі, з якими документ відкрито або востаннє побудовано з полів", Main},
    {3, "&Побудувати всі", "Ctrl+Alt+B", BuildAll3D, MenuCheck::None},
    {3, "П&обудувати виділений", "Ctrl+Alt+F", BuildSelected3D, MenuCheck::None},
    {3, "&Додати графік", "Ctrl+F7", AddGraph3D, MenuCheck::None},
    {3, "&Витерти", "Ctrl+F8", Clear3D, MenuCheck::None},
    {3, "&Сканування", "Ctrl+F5", Scan3D, MenuCheck::None},
    {3, "Зберегти  як малюнок", "Ctrl+F4", Save3DFrame, MenuCheck::None},
    {3, "Відкрити 3D &файл", "Ctrl+F3", Open3DFile, MenuCheck::None},
    {3, "Зберегти 3D фай&л", "Ctrl+F2", Save3DFile, MenuCheck::None},
    {3, "-", "", Command::None, MenuCheck::None},
    {3, "Повзунки &констант", "Ctrl+Alt+L", ConstantSliders3D, MenuCheck::None},
    {4, "&2D Побудова", "Ctrl+Alt+D", Space2D, Radio},
    {4, "&3D  Побудова", "Ctrl+Alt+T", Space3D, Radio},
    {5, "&Панель керування", "Ctrl+E", ToolPanel, Check},
    {5, "&Строка стану", "Ctrl+T", StatusBar, Check},
    {5, "&Давати підказки", "Ctrl+D", Hints, Check},
    {5, "&Запит на збереження", "Ctrl+U", AskToSave, Check},
    {5, "&Загальні параметри", "F6", BuildParameters, MenuCheck::None},
    {5, "&Оформлення", "F11", Appearance, MenuCheck::None},
    {5, "П&алітра", "Ctrl+J", Palette, MenuCheck::None},
    {6, "&Калькулятор", "Ctrl+K", Calculator, MenuCheck::None},
    {6, "&Записна книжка", "Ctrl+Z", Notepad, MenuCheck::None},
    {6, "&Інтеграл", "Ctrl+I", Integral, MenuCheck::None},
    {7, "&Про программу", "Ctrl+H", About, MenuCheck::None},
    {7, "&Довідка", "F1", Help, MenuCheck::None},
}};

constexpr int small = 28;
constexpr int wide = 57;

constexpr std::array<ToolButtonEntry, 32> toolButtons = {{
    {7, 5, small, "Створити новий файл Linewright за шаблоном", New, ToolGlyph::NewFile},
    {7, 34, small, "Прочитати параметри побудови з файлу", Open, ToolGlyph::OpenFile},
    {36, 5, small, "Зберегти як новий файл", SaveAs, ToolGlyph::SaveAs},
    {36, 34, small, "Зберегти параметри", Save, ToolGlyph::Save},
    {65, 5, small, "Друк", Print, ToolGlyph::Print},
    {65, 34, small, "Вийти з программи", Exit, ToolGlyph::Exit},
    {99, 5, small, "Побудувати усі графікі", BuildAll2D, ToolGlyph::BuildAll2D},
    {99, 34, small, "Побудувати виділений графік", BuildSelected2D, ToolGlyph::BuildSelected2D},
    {128, 5, small, "Додати новий графік", AddGraph2D, ToolGlyph::AddGraph2D},
    {128, 34, small, "Очистити двовимірний простір побудови", Clear2D, ToolGlyph::Clear2D},
    {157, 5, small, "Відкрити вікно сканування", Scan2D, ToolGlyph::Scan2D},
    {157, 34, small, "Вивести список просканованих точок", ScannedPoints, ToolGlyph::PointList},
    {186, 5, small, "Зберегти побудований графік як точковий малюнок", SavePicture,
     ToolGlyph::SavePicture},
    {186, 34, small, "Завантажити  точковий малюнок", OpenPicture, ToolGlyph::OpenPicture},
    {220, 5, small, "Побудувати  усі тривимірні графіки", BuildAll3D, ToolGlyph::BuildAll3D},
    {220, 34, small, "Побудувати виділений тривимірний графік", BuildSelected3D,
     ToolGlyph::BuildSelected3D},
    {249, 5, small, "Додати новий  тривимірний графік", AddGraph3D, ToolGlyph::AddGraph3D},
    {249, 34, small, "Очистити тривимірний простір побудови", Clear3D, ToolGlyph::Clear3D},
    {278, 5, small, "Відкрити вікно сканування", Scan3D, ToolGlyph::Scan3D},
    {278, 34, small, "Зберегти кадр 3D сцени як малюнок", Save3DFrame, ToolGlyph::SaveFrame3D},
    {307, 5, small, "Зберегти 3-и втмірну фігуру", Save3DFile, ToolGlyph::Save3DFile},
    {307, 34, small, "Завантажити 3-и вимірну  фігуру", Open3DFile, ToolGlyph::Open3DFile},
    {341, 5, small, "Параметри побудови", BuildParameters, ToolGlyph::Parameters},
    {341, 34, small, "Оформлення графіків : вигляд осей,сітка та ін.", Appearance,
     ToolGlyph::Appearance},
    {370, 5, small, "Палітра", Palette, ToolGlyph::Palette},
    {370, 34, small, "Калькулятор", Calculator, ToolGlyph::Calculator},
    {399, 5, small, "Записна книжка", Notepad, ToolGlyph::Notepad},
    {399, 34, small, "Інтеграл", Integral, ToolGlyph::Integral},
    {428, 5, wide, "Допомога", Help, ToolGlyph::Help},
    {457, 5, small, "Повзунки констант: графіки слідують за значенням константи", ConstantSliders2D,
     ToolGlyph::ConstantSliders},
    {486, 5, small, "Скасувати останню зміну документа", Undo, ToolGlyph::Undo},
    {486, 34, small, "Повторити скасовану зміну документа", Redo, ToolGlyph::Redo},
}};

constexpr std::array<int, 3> separatorTops = {94, 215, 336};

}  // namespace

std::span<const std::string_view> MenuCaptions() {
  return allMenuCaptions;
}

std::span<const MenuItemEntry> MenuItems() {
  return menuItems;
}

std::span<const ToolButtonEntry> ToolButtons() {
  return toolButtons;
}

std::span<const int> ToolSeparatorTops() {
  return separatorTops;
}

}  // namespace lw
