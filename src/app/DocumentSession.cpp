#include "app/DocumentSession.h"

#include <QDir>
#include <QString>

#include "app/StatusTexts.h"
#include "document/FileIo.h"
#include "document/SettingsFile.h"

namespace lw {

DocumentSession::DocumentSession(Document& document, StatusSink& status, DocumentUi& ui,
                                 std::string templateFolder)
    : document_(document),
      status_(status),
      ui_(ui),
      templateFolder_(std::move(templateFolder)),
      graphs2D_(document.Graphs2D),
      graphs3D_(document.Graphs3D) {}

std::string DocumentSession::Caption() const {
  if (currentFileName_.empty()) return std::string(NonameCaption);
  return "Linewright - " + FileNameOf(currentFileName_);
}

std::string DocumentSession::TemplatePath() const {
  return QDir(QString::fromStdString(templateFolder_))
      .filePath(QString::fromUtf8(TemplateFileName.data(),
                                  static_cast<qsizetype>(TemplateFileName.size())))
      .toStdString();
}

void DocumentSession::SetCurrentFileName(std::string path) {
  currentFileName_ = std::move(path);
  ui_.CaptionChanged(Caption());
}

bool DocumentSession::SaveSets(const std::string& path) {
  const FileResult result = SaveSettingsFile(path, document_);
  status_.SetStatus(SettingsSavedText(path, result));
  if (result != FileResult::Ok) return false;
  SetCurrentFileName(path);
  ui_.DocumentSaved();
  status_.StartStatusTimer();
  return true;
}

void DocumentSession::RestoreUnsaved(const Document& document, const std::string& name) {
  document_ = document;
  SetCurrentFileName(name);
  graphs2D_.ListReplaced();
  graphs3D_.ListReplaced();
  ui_.DocumentReplaced();
  status_.SetStatus("Відновлення - " + (name.empty() ? std::string("Noname.lwf") : name) +
                    " - Окей");
  status_.StartStatusTimer();
}

bool DocumentSession::LoadSets(const std::string& path) {
  const FileResult result = LoadSettingsFile(path, document_);
  status_.SetStatus(SettingsLoadedText(path, result));
  if (result != FileResult::Ok) return false;
  SetCurrentFileName(path);
  graphs2D_.ListReplaced();
  graphs3D_.ListReplaced();
  ui_.DocumentReplaced();
  status_.StartStatusTimer();
  return true;
}

PromptOutcome DocumentSession::ConfirmDiscard() {
  if (!askToSave_) return PromptOutcome::GoOn;
  switch (ui_.AskToSaveChanges()) {
    case PromptAnswer::Yes:
      Save();
      return PromptOutcome::GoOnAfterSave;
    case PromptAnswer::No:
      return PromptOutcome::GoOn;
    default:
      return PromptOutcome::Abandon;
  }
}

void DocumentSession::NewFromTemplate() {
  if (ConfirmDiscard() == PromptOutcome::Abandon) return;
  LoadSets(TemplatePath());
  // Unnamed even when the template could not be read: a later save must not
  // overwrite the file the document came from without asking for a name.
  SetCurrentFileName("");
}

void DocumentSession::Open() {
  if (ConfirmDiscard() == PromptOutcome::Abandon) return;
  if (const auto path = ui_.ChooseFileToOpen()) LoadSets(*path);
}

void DocumentSession::Save() {
  if (currentFileName_.empty()) {
    SaveAs();
  } else {
    SaveSets(currentFileName_);
  }
}

void DocumentSession::SaveAs() {
  if (const auto path = ui_.ChooseFileToSave()) SaveSets(*path);
}

bool SavePaletteCommand(const std::string& path, const Palette& palette, StatusSink& status) {
  const PaletteFileResult result = SavePaletteFile(path, palette);
  status.SetStatus(PaletteSavedText(path, result));
  if (result != PaletteFileResult::Ok) return false;
  status.StartStatusTimer();
  return true;
}

bool LoadPaletteCommand(const std::string& path, Palette& palette, StatusSink& status) {
  const PaletteFileResult result = LoadPaletteFile(path, palette);
  status.SetStatus(PaletteLoadedText(path, result));
  if (result != PaletteFileResult::Ok) return false;
  status.StartStatusTimer();
  return true;
}

}  // namespace lw
