// The document commands of the main window (new from template, open, save, save
// as, the save prompt) and the state they keep: the current file name and the
// caption. Dialogs are asked for through DocumentUi, so the commands run, and are
// tested, without a display.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/Document.h"
#include "document/Feedback.h"
#include "document/GraphListEditor.h"
#include "document/Palette.h"

namespace lw {

inline constexpr std::string_view TemplateFileName = "Default.lwf";
inline constexpr std::string_view NonameCaption = "Linewright - Noname.lwf";

// Titles and filters of the document file dialogs (Qt filter syntax).
inline constexpr std::string_view OpenDialogTitle = "Відкриття Файлу Linewright...";
inline constexpr std::string_view OpenDialogFilter = "Файли Linewright (*.lwf);;Усі Файли  (*.*)";
inline constexpr std::string_view SaveDialogTitle = "Збереження Файлу Linewright...";
inline constexpr std::string_view SaveDialogFilter = "Файли Linewright (*.lwf);;Усі Файли (*.*)";
inline constexpr std::string_view DocumentExtension = "lwf";

enum class PromptAnswer { Yes, No, Cancel };

// What the save-prompt step decided.
enum class PromptOutcome {
  GoOn,           // no prompt, or "Ні"
  GoOnAfterSave,  // "Так": Save ran (whether or not it wrote a file)
  Abandon,        // "Відмінити" or the prompt was closed
};

class DocumentUi {
 public:
  virtual ~DocumentUi() = default;
  // The modal prompt "Запит на збереження :" with "Зберегти зміни ?".
  virtual PromptAnswer AskToSaveChanges() = 0;
  virtual std::optional<std::string> ChooseFileToOpen() = 0;
  virtual std::optional<std::string> ChooseFileToSave() = 0;
  // A load replaced the document: controls showing it re-read it (label font,
  // 3D drawing mode and motion type take effect).
  virtual void DocumentReplaced() = 0;
  virtual void CaptionChanged(const std::string& caption) = 0;
  // The document was written to its file.
  virtual void DocumentSaved() {}
};

class DocumentSession {
 public:
  // templateFolder is the program's own folder, which holds Default.lwf.
  DocumentSession(Document& document, StatusSink& status, DocumentUi& ui,
                  std::string templateFolder);

  const Document& Doc() const { return document_; }
  const std::string& CurrentFileName() const { return currentFileName_; }
  std::string Caption() const;
  std::string TemplatePath() const;

  bool AskToSave() const { return askToSave_; }
  void SetAskToSave(bool on) { askToSave_ = on; }

  GraphListEditor2D& Graphs2D() { return graphs2D_; }
  GraphListEditor3D& Graphs3D() { return graphs3D_; }

  // Write or read the whole document, report on the status bar, and on success
  // take path as the current file name.
  bool SaveSets(const std::string& path);
  bool LoadSets(const std::string& path);

  // Replaces the document with one that was never saved as it is (brought back
  // after the program was killed), under the file name it had then.
  void RestoreUnsaved(const Document& document, const std::string& name);

  void NewFromTemplate();
  void Open();
  void Save();
  void SaveAs();
  // The save-prompt step of new, open and closing the program.
  PromptOutcome ConfirmDiscard();

 private:
  void SetCurrentFileName(std::string path);

  Document& document_;
  StatusSink& status_;
  DocumentUi& ui_;
  std::string templateFolder_;
  std::string currentFileName_;
  bool askToSave_ = true;
  GraphListEditor2D graphs2D_;
  GraphListEditor3D graphs3D_;
};

// The palette file commands, with their status texts.
bool SavePaletteCommand(const std::string& path, const Palette& palette, StatusSink& status);
bool LoadPaletteCommand(const std::string& path, Palette& palette, StatusSink& status);

}  // namespace lw
