#pragma once
// The main window's way into the connection form, the job start, the register window, the
// registry and the whole register (save, free, open an installation), so that the window's own
// files stay about the window. Pages use the tables, Lang and the message boxes directly.

#include <QString>

#include <functional>

class QWidget;
class TForm6;

namespace MainWindowLinks {
// Transfer job start (tab code, direction: true writes to the panel). False when no job runs
// afterwards (no link chosen or open, a code without a list); a watching test's starts run.
bool startTransfer(int tabCode, bool write);
// Tests watch the job starts instead of running them (an empty function restores the start).
void setTransferObserverForTests(std::function<void(int tabCode, bool write)> observer);
// Switches the connection form's sequencer timer off.
void stopSequencer();
// Whether the program may end with respect to a running transfer. The live status simply stops.
// A job that moves configuration parts asks first: No keeps it running (false); Yes stops it as
// a stop does (nothing more is sent, nothing read is applied), says what that leaves behind, and
// gives true.
bool stopTransferBeforeExit();
// Position of the connection form's reply time-out scroll bar; 180 without the form.
int replyTimeoutPosition();
void showConnectionForm();
void showTraceWindow();
void showRegisterWindow();

// Yes/No question with a warning icon; true for Yes.
bool askYesNoWarning(const QString& text);
void showError(const QString& text);

// Brings the root table to browse mode and writes the whole register to DATABASE.
void saveRegister();
QString registerPath();
// The save of a program about to end. Returns true when the program may end: the register
// was saved (to DATABASE, or to another file the user named, which becomes DATABASE), the
// data module is gone, or the user chose to leave without saving. False: a save failed and
// the user chose to stay; nothing was lost.
bool saveRegisterBeforeExit(QWidget* parent);
// Frees the data module (which saves the register) when it exists.
void freeDataModule();
void freeVocabularyLists();

// Window bounds kept in the registry: false when the key does not exist (nothing changes). A
// value missing or of another type takes its first-run value, with a warning that names it.
bool readWindowBounds(int& top, int& left, int& height, int& width);
// Writes DATABASE, the bounds and BaudRate; nothing when the key does not exist. Never throws.
void writeExitValues(const QString& database, int top, int left, int height, int width, int baudRate);

// ---- opening an installation ----
// Posts the root table when a row of it is being edited or inserted.
void postRegisterRow();
// Puts every table of the open installation on its first row, so each page opens at its top
// (a new installation leaves them on the rows it appended last).
void rewindTables();
// Panel model of the installation under the register's cursor (0 none).
int systemType();
// Sets the dimension constants for the model (1..6; others change nothing).
void selectSystem(int systemType);
void hideRegisterWindow();
// Closes the cloud link when it is connected; an open serial port stays open.
void disconnectCloudLink();
// Puts the connection form's link list back on its first entry, with that entry's boxes.
void resetConnectionList();
// Deletes the links of the opened installation that name no item (or repeat one) and says
// which ones were deleted.
void dropDanglingLinks();

// Texts that travel to the panel are typed no longer than the panel keeps them (its 16-character
// names), though the register's fields may hold more: what the installer sees is what is sent.
void limitTypingToPanelSlots();

// Sets the window texts of the main window (and builds the vocabulary lists).
void languageRewrite(TForm6& form);
// Gives the window's handlers to the transfer and the connection form.
void wireTransferHooks(TForm6& form);
} // namespace MainWindowLinks
