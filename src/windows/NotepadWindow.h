// The notepad ("Записна книжка"): a plain-text editor with its own file, colour and
// font, which the options file carries from run to run.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "app/DocumentSession.h"
#include "app/NotepadDocument.h"
#include "windows/WindowKit.h"

class QPlainTextEdit;
class QToolButton;

namespace lw {

class Dialogs;
class FindDialog;
class MessageWindow;
class Program;

class NotepadWindow : public SecondaryWindow {
 public:
  NotepadWindow(QWidget* parent, Program& program, Dialogs& dialogs);
  // The message window shows "Кінець тексту досягнут."; made after this window.
  void SetMessageWindow(MessageWindow* messages) { messages_ = messages; }
  // The save prompt of the main window.
  std::function<PromptAnswer()> AskToSaveChanges;

  // Applies the colour and font read from the options file and loads its file, if
  // any (silently skipped at start-up when it cannot be read).
  void ApplyLook();
  void ShowForTyping();

  // The tool bar's commands.
  void NewText();
  void OpenFile();
  void SaveNotepad();
  void ChangeColour();
  void ChangeFont();
  void PrintText();
  void OpenFind();
  void OpenReplace();
  // Loads or writes the text; a failure is shown in an error box.
  bool LoadNotepadFile(const QString& path);
  bool SaveNotepadFile(const QString& path);
  // The shut-down's part: saves the text when it has unsaved changes.
  void SaveIfModified();

  // Find and replace with the options of the open dialog; the end of the text shows
  // the message (once for replace all) and puts the caret at the start.
  bool FindNext(const QString& what, const FindOptions& options, bool reportEnd = true);
  void Replace(const QString& what, const QString& with, const FindOptions& options);
  void ReplaceAll(const QString& what, const QString& with, const FindOptions& options);

  QPlainTextEdit* Text() const { return text_; }
  const std::vector<QToolButton*>& ToolButtons() const { return buttons_; }
  FindDialog* Finder() const { return find_; }
  FindDialog* Replacer() const { return replace_; }
  const QString& FileName() const { return file_.FileName(); }
  bool Modified() const;

 private:
  void BuildToolBar(QWidget* bar);
  bool MayDiscard();
  void FileNameChanged();
  void ReplaceSelection(const QString& what, const QString& with, const FindOptions& options);
  void ShowEnd();
  QString SelectionPreset() const;

  Program& program_;
  Dialogs& dialogs_;
  MessageWindow* messages_ = nullptr;
  NotepadDocument file_;
  QPlainTextEdit* text_;
  std::vector<QToolButton*> buttons_;
  FindDialog* find_;
  FindDialog* replace_;
};

}  // namespace lw
