#include "windows/NotepadWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QStyle>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "app/Program.h"
#include "windows/Dialogs.h"
#include "windows/FindDialog.h"
#include "windows/MessageWindow.h"
#include "windows/QtConvert.h"
#include "windows/ToolIcons.h"

namespace lw {

namespace {

constexpr int buttonWidth = 28;
constexpr Colour toolBarColour = 0xC4CBB6;

QString Utf(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct ToolEntry {
  const char* hint;
  ToolGlyph glyph;
  void (*command)(NotepadWindow& window);
};

}  // namespace

NotepadWindow::NotepadWindow(QWidget* parent, Program& program, Dialogs& dialogs)
    : SecondaryWindow(parent, QStringLiteral("Записна книжка - Noname.txt")),
      program_(program),
      dialogs_(dialogs) {
  resize(480, 360);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QFrame(this);
  bar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar->setAutoFillBackground(true);
  QPalette barPalette = bar->palette();
  barPalette.setColor(QPalette::Window, ToQColor(toolBarColour));
  bar->setPalette(barPalette);
  BuildToolBar(bar);
  layout->addWidget(bar);
  text_ = new QPlainTextEdit(this);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  layout->addWidget(text_, 1);
  text_->moveCursor(QTextCursor::Start);

  find_ = new FindDialog(this, false);
  replace_ = new FindDialog(this, true);
  find_->OnFindNext = [this] { FindNext(find_->SearchText(), find_->Options()); };
  replace_->OnFindNext = [this] { FindNext(replace_->SearchText(), replace_->Options()); };
  replace_->OnReplace = [this] {
    Replace(replace_->SearchText(), replace_->ReplaceText(), replace_->Options());
  };
  replace_->OnReplaceAll = [this] {
    ReplaceAll(replace_->SearchText(), replace_->ReplaceText(), replace_->Options());
  };
}

void NotepadWindow::BuildToolBar(QWidget* bar) {
  using N = NotepadWindow;
  using G = ToolGlyph;
  const std::array<ToolEntry, 13> tools = {{
      {"Створити новий текст", G::NewFile, [](N& w) { w.NewText(); }},
      {"Відкрити файл", G::OpenFile, [](N& w) { w.OpenFile(); }},
      {"Зберегти файл", G::Save, [](N& w) { w.SaveNotepad(); }},
      {"Змінити колір фону", G::BackgroundColour, [](N& w) { w.ChangeColour(); }},
      {"Змінити шрифт тексту", G::Font, [](N& w) { w.ChangeFont(); }},
      {"Печать", G::Print, [](N& w) { w.PrintText(); }},
      // The editing commands go straight to the text area.
      {"Відмінити останні дії", G::Undo, [](N& w) { w.text_->undo(); }},
      {"Вирезати у буфер", G::Cut, [](N& w) { w.text_->cut(); }},
      {"Копіювати у буфер", G::Copy, [](N& w) { w.text_->copy(); }},
      {"Вставити з буфера", G::Paste, [](N& w) { w.text_->paste(); }},
      {"Знайти текст", G::Find, [](N& w) { w.OpenFind(); }},
      {"Знайти і замінити текст", G::Replace, [](N& w) { w.OpenReplace(); }},
      {"Зачинити вікно", G::Close, [](N& w) { w.close(); }},
  }};
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(0);
  for (const ToolEntry& tool : tools) {
    auto* button = new QToolButton(bar);
    button->setAutoRaise(true);
    button->setFixedSize(buttonWidth, buttonWidth - 2);
    button->setIcon(DrawnIcon(tool.glyph));
    button->setIconSize(QSize(20, 20));
    SetHint(button, QString::fromUtf8(tool.hint));
    connect(button, &QToolButton::clicked, this,
            [this, command = tool.command] { command(*this); });
    row->addWidget(button);
    buttons_.push_back(button);
  }
  row->addStretch(1);
}

bool NotepadWindow::Modified() const {
  return text_->document()->isModified();
}

void NotepadWindow::ApplyLook() {
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, ToQColor(program_.NotepadColour()));
  palette.setColor(QPalette::Text, ToQColor(program_.NotepadFont().Color));
  text_->setPalette(palette);
  text_->setFont(ToQFont(program_.NotepadFont()));
  text_->selectAll();
  if (program_.NotepadFile().empty()) return;
  QString read;
  QString error;
  if (file_.Load(Q(program_.NotepadFile()), read, error)) {
    text_->setPlainText(read);
    text_->document()->setModified(false);
  }
  FileNameChanged();
}

void NotepadWindow::ShowForTyping() {
  show();
  raise();
  activateWindow();
  text_->setFocus();
}

void NotepadWindow::FileNameChanged() {
  setWindowTitle(file_.Caption());
  program_.SetNotepadFile(S(file_.FileName()));
}

bool NotepadWindow::MayDiscard() {
  if (!NotepadMustAsk(program_.AskToSave(), Modified())) return true;
  const PromptAnswer answer = AskToSaveChanges ? AskToSaveChanges() : PromptAnswer::Cancel;
  if (answer == PromptAnswer::Cancel) return false;
  if (answer == PromptAnswer::Yes) SaveNotepad();
  return true;
}

void NotepadWindow::NewText() {
  if (!MayDiscard()) return;
  text_->clear();
  file_.Clear();
  FileNameChanged();
  text_->document()->setModified(false);
}

void NotepadWindow::OpenFile() {
  if (!MayDiscard()) return;
  const auto path = dialogs_.OpenFileName(this, Utf(NotepadOpenTitle), Utf(NotepadFilter), {});
  if (path) LoadNotepadFile(*path);
}

void NotepadWindow::SaveNotepad() {
  if (!file_.FileName().isEmpty()) {
    SaveNotepadFile(file_.FileName());
    return;
  }
  const auto path = dialogs_.SaveFileNameAt(this, Utf(NotepadSaveTitle), Utf(NotepadFilter),
                                            Utf(NotepadExtension), Utf(NotepadInitialName));
  if (path) SaveNotepadFile(*path);
}

void NotepadWindow::SaveIfModified() {
  if (Modified()) SaveNotepad();
}

bool NotepadWindow::LoadNotepadFile(const QString& path) {
  QString read;
  QString error;
  if (!file_.Load(path, read, error)) {
    QMessageBox::critical(this, windowTitle(), path + QStringLiteral("\n") + error);
    return false;
  }
  text_->setPlainText(read);
  FileNameChanged();
  text_->document()->setModified(false);
  return true;
}

bool NotepadWindow::SaveNotepadFile(const QString& path) {
  QString error;
  if (!file_.Save(path, text_->toPlainText(), error)) {
    QMessageBox::critical(this, windowTitle(), path + QStringLiteral("\n") + error);
    return false;
  }
  FileNameChanged();
  text_->document()->setModified(false);
  return true;
}

void NotepadWindow::ChangeColour() {
  const auto chosen = dialogs_.ChooseColour(this, program_.NotepadColour());
  if (!chosen) return;
  program_.SetNotepadColour(*chosen);
  QPalette palette = text_->palette();
  palette.setColor(QPalette::Base, ToQColor(*chosen));
  text_->setPalette(palette);
}

void NotepadWindow::ChangeFont() {
  const auto chosen = dialogs_.ChooseFont(this, program_.NotepadFont());
  if (!chosen) return;
  program_.SetNotepadFont(*chosen);
  text_->selectAll();
  text_->setFont(ToQFont(*chosen));
}

void NotepadWindow::PrintText() {
  QPrinter printer;
  if (!dialogs_.ChoosePrinter(this, printer)) return;
  text_->print(&printer);
}

QString NotepadWindow::SelectionPreset() const {
  return text_->textCursor().selectedText();
}

void NotepadWindow::OpenFind() {
  find_->Open(SelectionPreset());
}

void NotepadWindow::OpenReplace() {
  replace_->Open(SelectionPreset());
}

void NotepadWindow::ShowEnd() {
  if (!messages_) return;
  // The search goes on from the window it was started in, usually the find dialog.
  QWidget* searching = QApplication::activeWindow();
  messages_->ShowMessageBox(Utf(FindCaption), Utf(EndOfTextMessage));
  if (searching && searching->isVisible()) {
    searching->raise();
    searching->activateWindow();
  }
}

bool NotepadWindow::FindNext(const QString& what, const FindOptions& options, bool reportEnd) {
  QTextCursor cursor = text_->textCursor();
  const int from = SearchStart(cursor.hasSelection(), cursor.selectionStart(), cursor.position());
  const int at = FindForward(text_->toPlainText(), what, from, options);
  if (at < 0) {
    // The next search begins from the top.
    cursor.movePosition(QTextCursor::Start);
    text_->setTextCursor(cursor);
    if (reportEnd) ShowEnd();
    return false;
  }
  cursor.setPosition(at);
  cursor.setPosition(at + static_cast<int>(what.size()), QTextCursor::KeepAnchor);
  text_->setTextCursor(cursor);
  return true;
}

void NotepadWindow::ReplaceSelection(const QString& what, const QString& with,
                                     const FindOptions& options) {
  QTextCursor cursor = text_->textCursor();
  // Only a selection that is the searched text is replaced, not whatever the user
  // happened to select before changing the search text.
  if (!cursor.hasSelection() || !MatchesSearch(cursor.selectedText(), what, options)) return;
  cursor.insertText(with);
  text_->setTextCursor(cursor);
}

void NotepadWindow::Replace(const QString& what, const QString& with, const FindOptions& options) {
  ReplaceSelection(what, with, options);
  FindNext(what, options);
}

void NotepadWindow::ReplaceAll(const QString& what, const QString& with,
                               const FindOptions& options) {
  do {
    ReplaceSelection(what, with, options);
  } while (FindNext(what, options, false));
  ShowEnd();
}

}  // namespace lw
