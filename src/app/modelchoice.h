#pragma once
// The choice of panel model before a new installation is created. Not modal: the register
// window disables itself while it is up, and its OK calls back into the register window.

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

// A dialog with OK and Cancel under a bevelled frame; no behaviour of its own.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QFrame* Bevel1 = nullptr;
};

class TTypeCentral : public TOKBottomDlg {
    Q_OBJECT
public:
    explicit TTypeCentral(QWidget* parent = nullptr);
    ~TTypeCentral() override;

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr; // item index = system type of the new installation

public Q_SLOTS:
    void FormCreate();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override; // FormCloseQuery: only OK and Cancel hide it
    void reject() override;                       // Esc acts as Cancel
    void showEvent(QShowEvent* event) override;

private:
    void placeCombo();
};

extern TTypeCentral* TypeCentral;
