#include "app/modelchoice.h"

#include "app/aboutbox.h"
#include "app/registerwindow.h"
#include "model/language.h"
#include "platform/dialogs.h"
#include "ui/mainwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

TTypeCentral* TypeCentral = nullptr;

namespace {

const QString kProgramCaption = QStringLiteral("TBN for (ZEPHRA)V080");

void enableRegisterButtons(bool okAndDelete) {
    if (!Form_Anagrafica)
        return;
    Form_Anagrafica->setEnabled(true);
    Form_Anagrafica->Button_Crea->setEnabled(true);
    Form_Anagrafica->Button_Ok->setEnabled(okAndDelete);
    Form_Anagrafica->Button_Elimina->setEnabled(okAndDelete);
}

} // namespace

TOKBottomDlg::TOKBottomDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::StyledPanel);
    Bevel1->setFrameShadow(QFrame::Sunken);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
}

TTypeCentral::TTypeCentral(QWidget* parent) : TOKBottomDlg(parent) {
    setObjectName(QStringLiteral("TypeCentral"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    setFixedSize(311, 119);

    Bevel1->setGeometry(8, 8, 297, 73);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold(QStringLiteral("Tahoma"));
    bold.setStyleHint(QFont::SansSerif);
    bold.setPixelSize(11);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    OKBtn->setGeometry(8, 86, 75, 25);
    CancelBtn->setGeometry(230, 86, 75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &TTypeCentral::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TTypeCentral::CancelBtnClick);
    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, ComboBox1);

    FormCreate();
}

TTypeCentral::~TTypeCentral() {
    if (TypeCentral == this)
        TypeCentral = nullptr;
}

void TTypeCentral::FormCreate() {
    // The main window does not exist yet when this dialog is made; the caption is taken
    // again each time the dialog is shown.
    setWindowTitle(Form6 ? Form6->windowTitle() : QString());
    Label1->setText(QStringLiteral("Tipo centrale"));
    ComboBox1->clear();
    ComboBox1->addItems(Language::CSL_MainCentral_Combo);
    ComboBox1->setCurrentIndex(-1);
    placeCombo();
}

// The combo keeps its designed right edge and grows to the left when the screen font needs
// more room than the design gave the longest model name.
void TTypeCentral::placeCombo() {
    constexpr int right = 168 + 126;
    const int width = qMax(126, ComboBox1->sizeHint().width());
    ComboBox1->setGeometry(right - width, 33, width, 23);
    Label1->setGeometry(17, 36, ComboBox1->x() - 17 - 4, Label1->sizeHint().height());
}

void TTypeCentral::showEvent(QShowEvent* event) {
    const QString mainCaption = Form6 ? Form6->windowTitle() : QString();
    setWindowTitle(mainCaption.isEmpty() ? kProgramCaption : mainCaption);
    QWidget* anchor =
        Form_Anagrafica && Form_Anagrafica->isVisible() ? static_cast<QWidget*>(Form_Anagrafica) : nullptr;
    // Centred on the main form by its outer frame (known from the first show on), so that it
    // comes back at the same place every time.
    QRect frame(QPoint(), frameGeometry().size());
    frame.moveCenter(mainFormCentre());
    move(frame.topLeft());
    // Kept above the register window by the window system, without being its child (a child
    // would be disabled with it).
    if (anchor && windowHandle())
        windowHandle()->setTransientParent(anchor->windowHandle());
    TOKBottomDlg::showEvent(event);
}

void TTypeCentral::OKBtnClick() {
    if (ComboBox1->currentIndex() < 1) {
        ShowMessage(QStringLiteral("Selezionare tipo centrale"));
        return;
    }
    hide();
    if (Form_Anagrafica)
        Form_Anagrafica->Button_CreaClick();
    if (Form6)
        Form6->show();
    enableRegisterButtons(true);
}

void TTypeCentral::CancelBtnClick() {
    const bool filled = Form_Anagrafica && Form_Anagrafica->installationCount() > 0;
    ComboBox1->setCurrentIndex(-1);
    enableRegisterButtons(filled);
    if (Form6)
        Form6->setVisible(filled);
    hide();
}

void TTypeCentral::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void TTypeCentral::reject() {
    CancelBtnClick();
}
