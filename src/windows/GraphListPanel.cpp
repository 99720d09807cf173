#include "windows/GraphListPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/DocumentEditor.h"
#include "windows/GraphParamsDialog.h"
#include "windows/QtConvert.h"
#include "windows/WindowKit.h"

namespace lw {

namespace {
constexpr Colour listColour = 0xE2FCFE;
}

GraphListPanel::GraphListPanel(QWidget* parent, DocumentEditor& edits, const Palette& palette,
                               bool threeD)
    : QGroupBox(QStringLiteral("Графіки"), parent),
      edits_(edits),
      palette_(palette),
      threeD_(threeD) {
  SetHint(this, QStringLiteral("Графіки"));
  auto* layout = new QGridLayout(this);
  list_ = new QListWidget(this);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setMinimumHeight(130);
  QPalette pal = list_->palette();
  pal.setColor(QPalette::Base, ToQColor(listColour));
  list_->setPalette(pal);
  layout->addWidget(list_, 0, 0, 1, 4);
  layout->setRowStretch(0, 1);

  cut_ = new QPushButton(QStringLiteral("Вилучити"), this);
  SetHint(cut_, QStringLiteral("Вилучити вказаний графік зі списку"));
  paste_ = new QPushButton(QStringLiteral("Вставити"), this);
  SetHint(paste_, QStringLiteral("Вставити новий графік у список"));
  edit_ = new QPushButton(QStringLiteral("Змінити"), this);
  SetHint(edit_, QStringLiteral("Змінити вказаний графік"));
  add_ = new QPushButton(QStringLiteral("Додати"), this);
  SetHint(add_, QStringLiteral("Додати новий графік у список"));
  layout->addWidget(cut_, 1, 0);
  layout->addWidget(paste_, 1, 1);
  layout->addWidget(edit_, 1, 2);
  layout->addWidget(add_, 1, 3);

  auto* line = new QHBoxLayout;
  swatch_ = new Swatch(this, true);
  swatch_->setFixedSize(24, 16);
  auto* caption = new QLabel(QStringLiteral("Виділений графік :"), this);
  MakeBold(caption);
  description_ = new QLabel(this);
  line->addWidget(swatch_);
  line->addWidget(caption);
  line->addWidget(description_, 1);
  layout->addLayout(line, 2, 0, 1, 4);

  connect(cut_, &QPushButton::clicked, this, [this] { CutGraph(); });
  connect(paste_, &QPushButton::clicked, this, [this] { PasteGraph(); });
  connect(edit_, &QPushButton::clicked, this, [this] { EditGraph(); });
  connect(add_, &QPushButton::clicked, this, [this] { AddGraph(); });
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row < 0) return;
    if (threeD_) {
      edits_.Select3D(static_cast<std::size_t>(row));
    } else {
      edits_.Select2D(static_cast<std::size_t>(row));
    }
  });
  Refresh();
}

void GraphListPanel::AddGraph() {
  // A second request while the dialog is already up (a shortcut) is ignored.
  if (!dialog_ || dialog_->isVisible()) return;
  GraphParamsDialog& dialog = *dialog_;
  // A text the document could not store is refused; the dialog comes back with it so
  // nothing typed is lost.
  if (threeD_) {
    dialog.PrepareDialog3D();
    dialog.Load3D(QString(), edits_.Graphs3D().NewEntry(palette_));
    while (dialog.Run() && !edits_.AddGraph3D(S(dialog.FormulaText()), dialog.Entry3D())) {
      dialog.ShowRefusal(edits_.Refusal());
    }
  } else {
    dialog.PrepareDialog2D();
    dialog.Load2D(QString(), edits_.Graphs2D().NewEntry(palette_));
    while (dialog.Run() && !edits_.AddGraph2D(S(dialog.FormulaText()), dialog.Entry2D())) {
      dialog.ShowRefusal(edits_.Refusal());
    }
  }
  Refresh();
}

void GraphListPanel::EditGraph() {
  if (!dialog_ || dialog_->isVisible()) return;
  GraphParamsDialog& dialog = *dialog_;
  if (threeD_) {
    const auto& editor = edits_.Graphs3D();
    if (!editor.Selection()) return;
    const std::size_t i = *editor.Selection();
    dialog.PrepareDialog3D();
    dialog.Load3D(Q(editor.List().Text(i)), editor.List().At(i));
    while (dialog.Run() && !edits_.EditGraph3D(S(dialog.FormulaText()), dialog.Entry3D())) {
      dialog.ShowRefusal(edits_.Refusal());
    }
  } else {
    const auto& editor = edits_.Graphs2D();
    if (!editor.Selection()) return;
    const std::size_t i = *editor.Selection();
    dialog.PrepareDialog2D();
    dialog.Load2D(Q(editor.List().Text(i)), editor.List().At(i));
    while (dialog.Run() && !edits_.EditGraph2D(S(dialog.FormulaText()), dialog.Entry2D())) {
      dialog.ShowRefusal(edits_.Refusal());
    }
  }
  Refresh();
}

void GraphListPanel::CutGraph() {
  if (threeD_) {
    edits_.CutGraph3D();
  } else {
    edits_.CutGraph2D();
  }
}

void GraphListPanel::PasteGraph() {
  if (threeD_) {
    edits_.PasteGraph3D();
  } else {
    edits_.PasteGraph2D();
  }
}

namespace {

template <class Editor>
void ShowList(QListWidget* list, const Editor& editor) {
  const auto& texts = editor.List().Texts();
  bool same = list->count() == static_cast<int>(texts.size());
  for (int i = 0; same && i < list->count(); ++i) {
    same = list->item(i)->text() == Q(texts[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    list->clear();
    for (const std::string& text : texts) list->addItem(Q(text));
  }
  const int row = editor.Selection() ? static_cast<int>(*editor.Selection()) : -1;
  if (list->currentRow() != row) list->setCurrentRow(row);
}

}  // namespace

void GraphListPanel::Refresh() {
  SelectedGraphDescription description;
  if (threeD_) {
    ShowList(list_, edits_.Graphs3D());
    description = edits_.Graphs3D().Description();
  } else {
    ShowList(list_, edits_.Graphs2D());
    description = edits_.Graphs2D().Description();
  }
  swatch_->SetColour(description.Swatch);
  description_->setText(Q(description.Label));
}

}  // namespace lw
