#include "ToolPanel.h"

#include <QToolButton>

#include "QtConvert.h"
#include "ToolIcons.h"
#include "WindowKit.h"

namespace lw {

namespace {

constexpr Colour panelColour = 0xBFD7BF;
constexpr int panelWidth = 67;

// Each button shows what its command does.
ToolGlyph GlyphFor(Command command) {
  switch (command) {
    case Command::New:
      return ToolGlyph::NewFile;
    case Command::Open:
      return ToolGlyph::OpenFile;
    case Command::Save:
      return ToolGlyph::Save;
    case Command::SaveAs:
      return ToolGlyph::SaveAs;
    case Command::Print:
      return ToolGlyph::Print;
    case Command::Exit:
      return ToolGlyph::Exit;
    case Command::BuildAll2D:
      return ToolGlyph::BuildAll2D;
    case Command::BuildSelected2D:
      return ToolGlyph::BuildSelected2D;
    case Command::AddGraph2D:
      return ToolGlyph::AddGraph2D;
    case Command::Clear2D:
      return ToolGlyph::Clear2D;
    case Command::Scan2D:
      return ToolGlyph::Scan2D;
    case Command::ScannedPoints:
      return ToolGlyph::PointList;
    case Command::SavePicture:
      return ToolGlyph::SavePicture;
    case Command::OpenPicture:
      return ToolGlyph::OpenPicture;
    case Command::BuildAll3D:
      return ToolGlyph::BuildAll3D;
    case Command::BuildSelected3D:
      return ToolGlyph::BuildSelected3D;
    case Command::AddGraph3D:
      return ToolGlyph::AddGraph3D;
    case Command::Clear3D:
      return ToolGlyph::Clear3D;
    case Command::Scan3D:
      return ToolGlyph::Scan3D;
    case Command::Save3DFrame:
      return ToolGlyph::SaveFrame3D;
    case Command::Save3DFile:
      return ToolGlyph::Save3DFile;
    case Command::Open3DFile:
      return ToolGlyph::Open3DFile;
    case Command::BuildParameters:
      return ToolGlyph::Parameters;
    case Command::Appearance:
      return ToolGlyph::Appearance;
    case Command::Palette:
      return ToolGlyph::Palette;
    case Command::Calculator:
      return ToolGlyph::Calculator;
    case Command::Notepad:
      return ToolGlyph::Notepad;
    case Command::Integral:
      return ToolGlyph::Integral;
    case Command::Help:
      return ToolGlyph::Help;
    case Command::ConstantSliders2D:
      return ToolGlyph::ConstantSliders;
    default:
      return ToolGlyph::Help;
  }
}

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
    button->setIcon(DrawnIcon(GlyphFor(tool.command)));
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
