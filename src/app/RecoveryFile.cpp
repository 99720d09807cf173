#include "app/RecoveryFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <charconv>

#include "document/AtomicFile.h"
#include "document/SettingsFormat.h"

namespace lw {

namespace {

std::unique_ptr<QLockFile> TakeLock(const std::string& recoveryPath) {
  auto lock = std::make_unique<QLockFile>(QString::fromStdString(RecoveryLockPath(recoveryPath)));
  // A lock is held for the whole run: only a process that has ended lets go of it,
  // however old the lock file is.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

// Reads "<digits>\n" at pos; pos moves past it.
std::optional<std::size_t> ReadCount(std::string_view bytes, std::size_t& pos) {
  const std::size_t end = bytes.find('\n', pos);
  if (end == std::string_view::npos || end == pos) return std::nullopt;
  std::size_t value = 0;
  const auto [last, error] = std::from_chars(bytes.data() + pos, bytes.data() + end, value);
  if (error != std::errc() || last != bytes.data() + end) return std::nullopt;
  pos = end + 1;
  return value;
}

}  // namespace

std::string RecoveryLockPath(const std::string& recoveryPath) {
  return recoveryPath + ".lock";
}

std::optional<std::string> EncodeRecovery(const std::string& name, const DocumentState& state) {
  std::string document;
  if (EncodeSettings(state.Doc, document) != SettingsEncodeResult::Ok) return std::nullopt;
  std::string bytes(RecoveryMagic);
  bytes += '\n';
  bytes += std::to_string(name.size());
  bytes += '\n';
  bytes += name;
  bytes += '\n';
  bytes.append(state.Colours.bytes.begin(), state.Colours.bytes.end());
  bytes += document;
  return bytes;
}

std::optional<RecoveredDocument> DecodeRecovery(std::string_view bytes) {
  if (!bytes.starts_with(RecoveryMagic) || bytes.size() <= RecoveryMagic.size() ||
      bytes[RecoveryMagic.size()] != '\n') {
    return std::nullopt;
  }
  std::size_t pos = RecoveryMagic.size() + 1;
  const auto nameSize = ReadCount(bytes, pos);
  if (!nameSize || bytes.size() - pos < *nameSize + 1 + PaletteFileBytes) return std::nullopt;
  RecoveredDocument recovered;
  recovered.Name = std::string(bytes.substr(pos, *nameSize));
  pos += *nameSize;
  if (bytes[pos++] != '\n') return std::nullopt;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(pos), PaletteFileBytes,
              recovered.State.Colours.bytes.begin());
  pos += PaletteFileBytes;
  if (DecodeSettings(bytes.substr(pos), recovered.State.Doc) != SettingsDecodeResult::Ok) {
    return std::nullopt;
  }
  return recovered;
}

RecoverySlot::RecoverySlot(const std::string& folder) {
  const QDir dir(QString::fromStdString(folder));
  dir.mkpath(QStringLiteral("."));
  // The process number tells the files of programs running at once apart; the start
  // time, a number the system gives out again after a restart.
  const QString stem = QStringLiteral("%1-%2")
                           .arg(QCoreApplication::applicationPid())
                           .arg(QDateTime::currentMSecsSinceEpoch());
  const QString extension =
      QString::fromUtf8(RecoveryExtension.data(), static_cast<qsizetype>(RecoveryExtension.size()));
  for (int n = 0; n < 100 && !lock_; ++n) {
    const QString name = n == 0 ? stem : stem + QStringLiteral("-%1").arg(n);
    path_ = dir.filePath(name + extension).toStdString();
    if (QFile::exists(QString::fromStdString(path_))) continue;
    lock_ = TakeLock(path_);
  }
}

bool RecoverySlot::Write(std::string_view bytes) {
  return Usable() && WriteFileAtomically(path_, bytes);
}

void RecoverySlot::Remove() {
  QFile::remove(QString::fromStdString(path_));
}

std::vector<LeftRecovery> LeftRecovery::Find(const std::string& folder) {
  const QDir dir(QString::fromStdString(folder));
  const QString pattern =
      QStringLiteral("*") +
      QString::fromUtf8(RecoveryExtension.data(), static_cast<qsizetype>(RecoveryExtension.size()));
  // A program killed before it had anything to keep leaves its lock alone; taking
  // and letting go of such a lock removes it. A running program's lock stays.
  for (const QFileInfo& lockFile :
       dir.entryInfoList({pattern + QStringLiteral(".lock")}, QDir::Files)) {
    const QString path = lockFile.absoluteFilePath().chopped(5);
    if (!QFile::exists(path)) TakeLock(path.toStdString());
  }
  std::vector<LeftRecovery> found;
  for (const QFileInfo& file : dir.entryInfoList({pattern}, QDir::Files, QDir::Time)) {
    std::string path = file.absoluteFilePath().toStdString();
    if (auto lock = TakeLock(path)) found.push_back(LeftRecovery(std::move(path), std::move(lock)));
  }
  return found;
}

std::optional<RecoveredDocument> LeftRecovery::Read() const {
  QFile file(QString::fromStdString(path_));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return DecodeRecovery(
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void LeftRecovery::Remove() {
  QFile::remove(QString::fromStdString(path_));
}

}  // namespace lw
