#pragma once
// The main window's Italian texts: menus, actions, page and sub-page captions and the
// window caption. Set once while the window is created.

#include <QString>

class TForm6;

// The window caption before an installation is opened: the program name and its version.
QString MainWindowBaseCaption(const QString& version);
void ApplyMainWindowTexts(TForm6& form, const QString& version);
