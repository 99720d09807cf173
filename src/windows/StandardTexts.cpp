#include "windows/StandardTexts.h"

#include <QLibraryInfo>

namespace lw {

std::unique_ptr<QTranslator> LoadStandardDialogTexts() {
  auto translator = std::make_unique<QTranslator>();
  // The interface is Ukrainian whatever the system's language is.
  if (!translator->load(QStringLiteral("qtbase_uk"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return nullptr;
  }
  return translator;
}

}  // namespace lw
