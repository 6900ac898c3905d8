#pragma once
// What the transfer needs from the rest of the program, set by whoever wires the application:
// the configuration model's values and the main window's handlers. Tests set them directly.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

struct TransferModelAccess {
    std::function<int()> systemType;          // the installation's model 1..6, 0 none
    std::function<QString()> remoteCode;      // remote-management code (access handshake)
    std::function<QString()> installerCode;   // installer code (cloud authorisation user)
    std::function<QString()> panelId;         // 32-character identifier of the panel on the relay
    std::function<QStringList()> inputNames;  // _Nome of every input, in record order
    std::function<QStringList()> outputNames; // _Nome of every output, in record order
};
extern TransferModelAccess ModelAccess;

struct TransferHooks {
    // Called at every job's end, however it ended: the main window's page-change handler (which
    // also lets CONNETTI come back up).
    static inline std::function<void()> pageControlChange;
    static inline std::function<void()> repaintAll;     // the main window's full repaint
    static inline std::function<QString()> mainCaption; // the main window's caption
    static inline std::function<QWidget*()> mainWindow; // the main window, or nullptr
    // The date and time a clock write sets in the panel: what the installer chose on screen, or
    // the computer's clock. Unset: the computer's clock.
    static inline std::function<QDateTime()> panelClock;

    static void resetAll();
};
