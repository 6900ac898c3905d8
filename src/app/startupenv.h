#pragma once
// What the start-up chain asks of the machine, behind functions that tests can replace:
// how the process ends, how large the desktop is, where the executable lives.

#include <QSize>
#include <QString>

#include <functional>

namespace StartupEnv {

// Ends the process with `code`. The program never ends on its own when its last window
// closes; only the login's cancel and the main window's exit routine end it, through here.
// Default: leave every running event loop (main() then returns `code`), or std::exit when no
// loop runs yet.
void exitProcess(int code);
// Replaces the exit (tests record the code instead); an empty function restores the default.
void setExitFunction(std::function<void(int)> exitFunction);

// The whole virtual desktop (all screens together).
QSize desktopSize();
void setDesktopSizeFunction(std::function<QSize()> desktopSizeFunction);

// The running executable (its version record is the program's version) and its folder, the
// latter with its trailing separator, both in native notation.
QString executablePath();
QString executableFolder();
void setExecutablePathForTests(const QString& path); // empty: the real executable

} // namespace StartupEnv
