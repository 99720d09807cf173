#include "app/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include "app/DocumentSession.h"

namespace lw {

std::string FindProgramFolder(const std::string& executableDir) {
  const QDir beside(QString::fromStdString(executableDir));
  const QString templateName =
      QString::fromUtf8(TemplateFileName.data(), static_cast<qsizetype>(TemplateFileName.size()));
  if (QFileInfo::exists(beside.filePath(templateName))) return executableDir;
  const QString shared = QDir::cleanPath(beside.filePath(QStringLiteral("../share/linewright")));
  if (QFileInfo::exists(QDir(shared).filePath(templateName))) return shared.toStdString();
  return executableDir;
}

bool IsInstalledDataFolder(const std::string& folder) {
  return QDir::cleanPath(QString::fromStdString(folder))
      .endsWith(QStringLiteral("/share/linewright"));
}

}  // namespace lw
