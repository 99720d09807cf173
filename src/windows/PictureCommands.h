// The main window's picture commands: save and open the 2D picture, save the 3D
// frame, and print what the current view shows. Failures are shown in an error box.
#pragma once

#include <QImage>

class QWidget;

namespace lw {

class Dialogs;
class Program;

// What the current view shows, pixel for pixel: the visible part of the 2D picture,
// or the 3D frame of view3D (the OpenGL view when there is one, else the panel).
QImage CurrentViewImage(Program& program, QWidget* view3D);
// The frame of the 3D panel (grabbed from its OpenGL view when there is one).
QImage Frame3D(QWidget* view3D);

void SavePicture2DCommand(QWidget* parent, Program& program, Dialogs& dialogs);
// True when a picture was loaded (the plot view is then to be repainted).
bool OpenPicture2DCommand(QWidget* parent, Program& program, Dialogs& dialogs);
void SaveFrame3DCommand(QWidget* parent, Program& program, Dialogs& dialogs, QWidget* view3D);
void PrintViewCommand(QWidget* parent, Program& program, Dialogs& dialogs, QWidget* view3D);

}  // namespace lw
