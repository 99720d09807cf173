#include "windows/StandardTexts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QListView>
#include <QLocale>

#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <array>

namespace lw {

namespace {

QLocale Ukrainian() {
  return QLocale(QLocale::Ukrainian, QLocale::Ukraine);
}

// The columns of QFileSystemModel: name, size, type, date modified.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

class UkrainianFileList final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != kSizeColumn && index.column() != kDateColumn)) {
      return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex source = mapToSource(index);
    if (index.column() == kDateColumn) return UkrainianFileDate(files->lastModified(source));
    // Folders have no size, as in the dialog's own list.
    if (files->isDir(source)) return QIdentityProxyModel::data(index, role);
    return UkrainianFileSize(files->size(source));
  }
};

// The side bar (Qt names it "sidebar") as wide as its longest name.
void WidenSideBar(QFileDialog& dialog) {
  auto* bar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
  if (bar == nullptr || bar->model() == nullptr) return;
  int widest = 0;
  for (int row = 0; row < bar->model()->rowCount(); ++row) {
    const QString name = bar->model()->index(row, 0).data().toString();
    widest = std::max(widest, bar->fontMetrics().horizontalAdvance(name));
  }
  const int icon = bar->iconSize().width() > 0 ? bar->iconSize().width() : 16;
  // Icon, the gap beside it, the frame and a scroll bar's room.
  const int needed = widest + icon +
                     3 * bar->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) +
                     2 * bar->frameWidth() + bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  bar->setMinimumWidth(std::max(bar->minimumWidth(), needed));
}

// The size and date columns as wide as their longest Ukrainian texts, and the
// dialog wide enough to show them beside a name.
void WidenColumns(QFileDialog& dialog) {
  auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (list == nullptr) return;
  const int padding = 2 * list->style()->pixelMetric(QStyle::PM_HeaderMargin) +
                      list->style()->pixelMetric(QStyle::PM_HeaderMarkSize);
  QHeaderView& header = *list->header();
  int columns = 0;
  for (const auto& [column, longest] :
       {std::pair{kSizeColumn, UkrainianFileSize(1023)},
        std::pair{kDateColumn, UkrainianFileDate(QDateTime(QDate(2000, 12, 28), QTime(20, 58)))}}) {
    const int needed = list->fontMetrics().horizontalAdvance(longest) + padding;
    header.resizeSection(column, std::max(header.sectionSize(column), needed));
    columns += header.sectionSize(column);
  }
  // The layout is not settled before the dialog shows: its least width is set from
  // the side bar, the columns and room for a name, and the frames around them.
  constexpr int kNameRoom = 260;
  const auto* bar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
  const int margins = 6 * dialog.style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
  const int wanted = (bar != nullptr ? bar->minimumWidth() : 0) + kNameRoom + columns +
                     header.sectionSize(kTypeColumn) +
                     list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins;
  dialog.setMinimumWidth(std::max(dialog.minimumWidth(), wanted));
}

}  // namespace

StandardDialogTexts::StandardDialogTexts() {
  // The interface is Ukrainian whatever the system's language is.
  QLocale::setDefault(Ukrainian());
  systemLoaded_ =
      system_.load(QStringLiteral("qtbase_uk"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (systemLoaded_) QCoreApplication::installTranslator(&system_);
  // Installed last, so it is asked first.
  ownLoaded_ = own_.load(QStringLiteral(":/translations/standard_dialogs_uk.qm"));
  if (ownLoaded_) QCoreApplication::installTranslator(&own_);
}

StandardDialogTexts::~StandardDialogTexts() {
  if (ownLoaded_) QCoreApplication::removeTranslator(&own_);
  if (systemLoaded_) QCoreApplication::removeTranslator(&system_);
}

QString UkrainianFileSize(qint64 bytes) {
  QLocale uk = Ukrainian();
  uk.setNumberOptions(QLocale::OmitGroupSeparator);
  if (bytes < 1024) {
    // Qt's own text says "байти" whatever the count.
    const qint64 ones = bytes % 10, tens = bytes % 100;
    const char* word = ones == 1 && tens != 11                              ? "байт"
                       : ones >= 2 && ones <= 4 && (tens < 12 || tens > 14) ? "байти"
                                                                            : "байтів";
    return uk.toString(bytes) + QChar(0x00A0) + QString::fromUtf8(word);
  }
  static constexpr std::array<const char*, 4> units{"КБ", "МБ", "ГБ", "ТБ"};
  double value = static_cast<double>(bytes) / 1024.0;
  std::size_t unit = 0;
  while (value >= 1024.0 && unit + 1 < units.size()) {
    value /= 1024.0;
    ++unit;
  }
  return uk.toString(value, 'f',
                     value < 10.0    ? 2
                     : value < 100.0 ? 1
                                     : 0) +
         QChar(0x00A0) + QString::fromUtf8(units[unit]);
}

QString UkrainianFileDate(const QDateTime& modified) {
  return Ukrainian().toString(modified, QLocale::ShortFormat);
}

void SpeakUkrainian(QFileDialog& dialog) {
  dialog.setProxyModel(new UkrainianFileList(&dialog));
  WidenSideBar(dialog);
  WidenColumns(dialog);
}

}  // namespace lw
