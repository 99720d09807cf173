#include "document/FileIo.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace lw {

bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const auto limit =
      static_cast<qint64>(std::min<std::size_t>(maxBytes, std::numeric_limits<qint64>::max()));
  const QByteArray data = file.read(limit);
  if (file.error() != QFileDevice::NoError) return false;
  bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
  return true;
}

std::string FileNameOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

}  // namespace lw
