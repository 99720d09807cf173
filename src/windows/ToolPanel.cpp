#include "ToolPanel.h"

#include <QStyle>
#include <QToolButton>

#include "QtConvert.h"
#include "WindowKit.h"

namespace lw {

namespace {

constexpr Colour panelColour = 0xBFD7BF;
constexpr int panelWidth = 67;

// Stock icons stand in for the button pictures.
QStyle::StandardPixmap IconFor(Command command) {
  switch (command) {
    case Command::New:
      return QStyle::SP_FileIcon;
    case Command::Open:
      return QStyle::SP_DialogOpenButton;
    case Command::Save:
      return QStyle::SP_DialogSaveButton;
    case Command::SaveAs:
      return QStyle::SP_DriveFDIcon;
    case Command::Print:
      return QStyle::SP_ComputerIcon;
    case Command::Exit:
      return QStyle::SP_DialogCloseButton;
    case Command::BuildAll2D:
      return QStyle::SP_MediaPlay;
    case Command::BuildSelected2D:
      return QStyle::SP_MediaSeekForward;
    case Command::AddGraph2D:
      return QStyle::SP_FileDialogNewFolder;
    case Command::Clear2D:
      return QStyle::SP_DialogResetButton;
    case Command::Scan2D:
      return QStyle::SP_FileDialogContentsView;
    case Command::ScannedPoints:
      return QStyle::SP_FileDialogListView;
    case Command::SavePicture:
      return QStyle::SP_DialogSaveButton;
    case Command::OpenPicture:
      return QStyle::SP_DirOpenIcon;
    case Command::BuildAll3D:
      return QStyle::SP_MediaPlay;
    case Command::BuildSelected3D:
      return QStyle::SP_MediaSeekForward;
    case Command::AddGraph3D:
      return QStyle::SP_FileDialogNewFolder;
    case Command::Clear3D:
      return QStyle::SP_DialogResetButton;
    case Command::Scan3D:
      return QStyle::SP_FileDialogContentsView;
    case Command::Save3DFrame:
      return QStyle::SP_DialogSaveButton;
    case Command::Save3DFile:
      return QStyle::SP_DriveHDIcon;
    case Command::Open3DFile:
      return QStyle::SP_DirOpenIcon;
    case Command::BuildParameters:
      return QStyle::SP_FileDialogDetailedView;
    case Command::Appearance:
      return QStyle::SP_DesktopIcon;
    case Command::Palette:
      return QStyle::SP_DirHomeIcon;
    case Command::Calculator:
      return QStyle::SP_ComputerIcon;
    case Command::Notepad:
      return QStyle::SP_FileIcon;
    case Command::Integral:
      return QStyle::SP_ArrowRight;
    case Command::Help:
      return QStyle::SP_DialogHelpButton;
    case Command::ConstantSliders2D:
      return QStyle::SP_MediaVolume;
    default:
      return QStyle::SP_CustomBase;
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
    button->setIcon(style()->standardIcon(IconFor(tool.command)));
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
