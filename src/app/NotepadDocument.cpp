#include "app/NotepadDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <string>

#include "document/AtomicFile.h"
#include "document/Cp1251.h"

namespace lw {

namespace {
QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool IsWordCharacter(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}
}  // namespace

QString NotepadDocument::Caption() const {
  return Text(NotepadCaptionPrefix) +
         (fileName_.isEmpty() ? Text(NotepadNoname) : QFileInfo(fileName_).fileName());
}

QString DecodeNotepadText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  std::string converted;
  Cp1251ToUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
               converted);
  return QString::fromStdString(converted);
}

bool NotepadDocument::Load(const QString& path, QString& text, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  // Notes are typed by hand: a file far larger than any note (or a device that never
  // ends) is refused rather than read until memory runs out.
  constexpr qint64 kMaxBytes = qint64{64} << 20;
  bool tooLarge = !file.isSequential() && file.size() > kMaxBytes;
  QByteArray bytes;
  if (!tooLarge) {
    bytes = file.read(kMaxBytes + 1);
    tooLarge = bytes.size() > kMaxBytes;
  }
  if (tooLarge) {
    error = QStringLiteral("Файл завеликий для записної книжки (понад 64 МБ)");
    return false;
  }
  QString read = DecodeNotepadText(bytes);
  // Lines of any ending come in as plain lines.
  read.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  read.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  text = read;
  fileName_ = path;
  return true;
}

bool NotepadDocument::Save(const QString& path, const QString& text, QString& error) {
  QByteArray bytes = text.toUtf8();
  if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) bytes.append('\n');
  int failure = 0;
  if (!WriteFileAtomically(path.toStdString(), bytes.toStdString(), &failure)) {
    error = QString::fromStdString(WriteFailureReason(failure));
    return false;
  }
  fileName_ = path;
  return true;
}

bool MatchesSearch(const QString& part, const QString& what, const FindOptions& options) {
  return !what.isEmpty() &&
         part.compare(what, options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0;
}

int FindForward(const QString& text, const QString& what, int from, const FindOptions& options) {
  if (what.isEmpty()) return -1;
  const Qt::CaseSensitivity cs = options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  qsizetype at = std::max(0, from);
  while ((at = text.indexOf(what, at, cs)) >= 0) {
    if (!options.WholeWord) return static_cast<int>(at);
    const qsizetype end = at + what.size();
    const bool startsWord = at == 0 || !IsWordCharacter(text[at - 1]);
    const bool endsWord = end >= text.size() || !IsWordCharacter(text[end]);
    if (startsWord && endsWord) return static_cast<int>(at);
    ++at;
  }
  return -1;
}

}  // namespace lw
