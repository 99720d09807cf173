// The notepad's file: its name and caption, reading and writing its text, the rule
// for when to ask about unsaved changes, and the search its find and replace use.
#pragma once

#include <QString>
#include <string_view>

namespace lw {

inline constexpr std::string_view NotepadCaptionPrefix = "Записна книжка - ";
inline constexpr std::string_view NotepadNoname = "Noname.txt";
inline constexpr std::string_view NotepadOpenTitle = "Чтение текстового файла...";
inline constexpr std::string_view NotepadSaveTitle = "Сохранение текстового файла...";
inline constexpr std::string_view NotepadFilter = "Все файлы (*.*)";
inline constexpr std::string_view NotepadExtension = "txt";
inline constexpr std::string_view NotepadInitialName = "Noname";
inline constexpr std::string_view FindCaption = "Знайти/Замінити";
inline constexpr std::string_view EndOfTextMessage = "Кінець тексту досягнут.";

class NotepadDocument {
 public:
  // Empty for an unnamed text.
  const QString& FileName() const { return fileName_; }
  // "Записна книжка - " and the file-name part, or "Noname.txt" when unnamed.
  QString Caption() const;
  void Clear() { fileName_.clear(); }

  // Read or write the whole text; on success the file becomes the notepad's file.
  // On failure the reason is given and the file name stays as it was.
  bool Load(const QString& path, QString& text, QString& error);
  bool Save(const QString& path, const QString& text, QString& error);

 private:
  QString fileName_;
};

// Whether new text and open must ask first: only with the save prompt on and the
// text modified.
inline bool NotepadMustAsk(bool askToSave, bool modified) {
  return askToSave && modified;
}

// The text of a notepad file: UTF-8, or code page 1251 for older notes that are
// not valid UTF-8.
QString DecodeNotepadText(const QByteArray& bytes);

struct FindOptions {
  bool MatchCase = false;
  bool WholeWord = false;
};

// Where a search starts: one character after the selection's start when there is a
// selection, otherwise at the caret.
inline int SearchStart(bool hasSelection, int selectionStart, int caret) {
  return hasSelection ? selectionStart + 1 : caret;
}

// The first match of what at or after from, forward only; -1 when there is none (an
// empty what never matches).
int FindForward(const QString& text, const QString& what, int from, const FindOptions& options);

// True when part equals what under the options (used before replacing a selection).
bool MatchesSearch(const QString& part, const QString& what, const FindOptions& options);

}  // namespace lw
