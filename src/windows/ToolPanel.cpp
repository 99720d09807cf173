#include "windows/ToolPanel.h"

#include <QToolButton>

#include "windows/QtConvert.h"
#include "windows/ToolIcons.h"
#include "windows/WindowKit.h"

namespace lw {

namespace {

constexpr Colour panelColour = 0xBFD7BF;
constexpr int panelWidth = 67;

}  // namespace

ToolPanel::ToolPanel(QWidget* parent, std::function<void(Command)> run) : QFrame(parent) {
  setFixedWidth(panelWidth);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(panelColour));
  setPalette(pal);
  int number = 1;
  for (const ToolButtonEntry& tool : ToolButtons()) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(number++));
    button->setGeometry(tool.left, tool.top, tool.width, 28);
    button->setIcon(DrawnIcon(tool.glyph));
    button->setIconSize(QSize(22, 22));
    button->setAutoRaise(false);
    SetHint(button, QString::fromUtf8(tool.hint.data(), static_cast<qsizetype>(tool.hint.size())));
    const Command command = tool.command;
    connect(button, &QToolButton::clicked, this, [run, command] { run(command); });
    buttons_.push_back(button);
  }
  for (int top : ToolSeparatorTops()) {
    auto* line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(3, top, 61, 3);
  }
}

}  // namespace lw
