#pragma once
// Progress of a running transfer: one line per completed part, a bar for the parts of the
// current command and a bar for the position in the command list. Cannot be closed while a job
// moves parts.
#include <QDialog>

class QFrame;
class QGroupBox;
class QListWidget;
class QProgressBar;

class TSendingDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSendingDlg(QWidget* parent = nullptr);
    ~TSendingDlg() override;

    QFrame* Bevel1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr; // parts of the current command
    QProgressBar* ProgressBar1 = nullptr; // position in the command list

    void FormCreate();
    void FormShow();
    bool FormCloseQuery() const;

    // For each completed part: shows the dialog, adds label + counter (with "  ........Ok" on the
    // command's last part), selects it, and moves both bars.
    void AddPartLine(const QString& label, int counter, bool last, int command, int parts);
    // Adds a line and selects it (a part sent again).
    void AddLine(const QString& text);

private:
    // Centred on the screen the main window is on (the primary screen without a main window).
    void centreOnMainWindowScreen();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
};

extern TSendingDlg* SendingDlg;
