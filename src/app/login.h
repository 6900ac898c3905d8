#pragma once
// The login dialog: asks for the program password, creates the settings key with its
// first-run defaults, lets the user change the password, and on success creates the data
// module (and through it every other window) behind the wait window.

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// First-run window bounds of the main window, computed by the login.
extern int CLeft;
extern int CTop;
extern int CHeight;
extern int CWidth;

class TPW : public QDialog {
    Q_OBJECT
public:
    explicit TPW(QWidget* parent = nullptr);
    ~TPW() override;

    QLabel* Label1 = nullptr;
    QLineEdit* Password = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The running executable's version as "%d.%d.%d.%d". Throws std::runtime_error when the
    // executable carries no version record.
    static QString GetAppVersionStr();

    // Creates the data module (which creates every other window). Tests replace it; the
    // default creates `TDM` into `DM`.
    static std::function<void()> createDataModuleHook;

public Q_SLOTS:
    void FormCreate();
    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Esc

private:
    void FormClose();
    QString readOrCreateSettings(const QString& versionText);
    void askNewPassword();
    void startDataModule();
    void endProgram();

    bool m_ending = false;
    bool m_damagedPasswordSaid = false; // a "LogIn" of another type is said once a dialog
};

extern TPW* PW;

// Creates the login dialog into `PW` and shows it (the about box calls this at the end of
// its fade).
TPW* createLoginDialog();
