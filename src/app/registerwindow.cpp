#include "app/registerwindow.h"

#include "app/aboutbox.h"
#include "app/modelchoice.h"
#include "app/picturebox.h"
#include "app/splash.h"
#include "app/startupenv.h"
#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/colors.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "platform/registrykey.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>

TForm_Anagrafica* Form_Anagrafica = nullptr;

namespace {

const QString kProgramCaption = QStringLiteral("TBN for (ZEPHRA)V080");
const QString kRegisterFilter = QStringLiteral("*.cds|*.cds");
const QString kRegisterExtension = QStringLiteral(".cds");

QFont tahoma(int pixels, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QGroupBox* makeGroupBox(const QString& name, QWidget* parent) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    return box;
}

bool isEditing(const DataSet* table) {
    return table && (table->state() == DataSetState::Edit || table->state() == DataSetState::Insert);
}

// Stores the register path in the settings key, when the key can be opened; the path in
// memory changes either way.
void storeDatabasePath() {
    RegistryKey reg;
    if (!reg.openKey(kTabulonRegistryKey, false))
        return;
    try {
        reg.writeString(QStringLiteral("DATABASE"), DATABASE);
    } catch (const RegistryError&) {
        // Same as a key that cannot be opened: only the path in memory changes.
    }
    reg.closeKey();
}

QString folderOf(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

} // namespace

QString withRegisterExtension(const QString& chosenName) {
    if (chosenName.right(4) == kRegisterExtension)
        return chosenName;
    return chosenName + kRegisterExtension;
}

TForm_Anagrafica::TForm_Anagrafica(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form_Anagrafica"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFont(tahoma(11, false));
    buildMenu();
    buildLayout();
    resize(665, 461 + menuBar()->sizeHint().height());
    setMinimumHeight(240);
    QRect frame(QPoint(), size());
    frame.moveCenter(mainFormCentre());
    move(frame.topLeft());
    FormCreate();
}

TForm_Anagrafica::~TForm_Anagrafica() {
    if (Form_Anagrafica == this)
        Form_Anagrafica = nullptr;
}

void TForm_Anagrafica::buildMenu() {
    File1 = menuBar()->addMenu(QStringLiteral("File"));
    File1->setObjectName(QStringLiteral("File1"));
    Action1 = File1->addAction(QStringLiteral("Export DB"), this, &TForm_Anagrafica::Action1ExecuteExport);
    Action1->setObjectName(QStringLiteral("Action1"));
    Action2 = File1->addAction(QStringLiteral("Import DB"), this, &TForm_Anagrafica::Action2ExecuteImport);
    Action2->setObjectName(QStringLiteral("Action2"));
    Action3 =
        File1->addAction(QStringLiteral("New Config"), this, &TForm_Anagrafica::Action3ExecuteNewConfig);
    Action3->setObjectName(QStringLiteral("Action3"));
}

void TForm_Anagrafica::buildLayout() {
    DataSource* source = DM ? DM->DataSource_Tabulon : nullptr;

    Splitter2 = new QSplitter(Qt::Vertical, this);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(8);
    Splitter2->setChildrenCollapsible(false);
    Splitter2->setOpaqueResize(true);
    setCentralWidget(Splitter2);

    GroupBox4 = makeGroupBox(QStringLiteral("GroupBox4"), Splitter2);
    GroupBox4->setFont(tahoma(13, true));
    auto* listLayout = new QVBoxLayout(GroupBox4);
    listLayout->setContentsMargins(4, 4, 4, 4);
    DBGrid1 = new DBGrid(GroupBox4);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setFont(tahoma(13, false));
    DBGrid1->setDataSource(source);
    listLayout->addWidget(DBGrid1);

    GroupBox7 = makeGroupBox(QStringLiteral("GroupBox7"), Splitter2);
    auto* detailLayout = new QVBoxLayout(GroupBox7);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    ScrollBox2 = new QScrollArea(GroupBox7);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    ScrollBox2->setWidgetResizable(false);
    detailLayout->addWidget(ScrollBox2);
    auto* details = new QWidget;
    details->setObjectName(QStringLiteral("ScrollBox2Contents"));
    details->resize(659, 218);
    ScrollBox2->setWidget(details);

    GroupBox6 = makeGroupBox(QStringLiteral("GroupBox6"), details);
    GroupBox6->setGeometry(3, 0, 297, 145);
    Image2 = new PictureBox(QStringLiteral(":/startup/customer.svg"), GroupBox6);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(27, 18, 32, 32);
    Image3 = new PictureBox(QStringLiteral(":/startup/phone.svg"), GroupBox6);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(27, 58, 32, 32);
    Image1 = new PictureBox(QStringLiteral(":/startup/key.svg"), GroupBox6);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(27, 98, 32, 32);
    const struct {
        DBEdit* TForm_Anagrafica::*member;
        const char* name;
        const char* field;
        int top;
    } edits[] = {
        {&TForm_Anagrafica::DBEdit1, "DBEdit1", "_NomeCliente", 24},
        {&TForm_Anagrafica::DBEdit3, "DBEdit3", "_TelTelegestione", 64},
        {&TForm_Anagrafica::DBEdit2, "DBEdit2", "_PswTeleGestione", 104},
    };
    for (const auto& e : edits) {
        auto* edit = new DBEdit(GroupBox6);
        edit->setObjectName(QString::fromLatin1(e.name));
        edit->setGeometry(72, e.top, 201, 25);
        edit->setDataSource(source);
        edit->setDataField(QString::fromLatin1(e.field));
        edit->installEventFilter(this);
        this->*e.member = edit;
    }

    GroupBox1 = makeGroupBox(QStringLiteral("GroupBox1"), details);
    GroupBox1->setGeometry(3, 151, 297, 66);
    Button_Crea = new QPushButton(GroupBox1);
    Button_Crea->setObjectName(QStringLiteral("Button_Crea"));
    Button_Crea->setGeometry(8, 23, 75, 25);
    Button_Elimina = new QPushButton(GroupBox1);
    Button_Elimina->setObjectName(QStringLiteral("Button_Elimina"));
    Button_Elimina->setGeometry(110, 23, 75, 25);
    Button_Ok = new QPushButton(GroupBox1);
    Button_Ok->setObjectName(QStringLiteral("Button_Ok"));
    Button_Ok->setGeometry(212, 23, 75, 25);
    connect(Button_Crea, &QPushButton::clicked, this, &TForm_Anagrafica::Button_CreaClick);
    connect(Button_Elimina, &QPushButton::clicked, this, &TForm_Anagrafica::Button_EliminaClick);
    connect(Button_Ok, &QPushButton::clicked, this, &TForm_Anagrafica::Button_OkClick);

    GroupBox5 = makeGroupBox(QStringLiteral("GroupBox5"), details);
    GroupBox5->setGeometry(306, -1, 350, 218);
    auto* notesLayout = new QVBoxLayout(GroupBox5);
    notesLayout->setContentsMargins(4, 4, 4, 4);
    Splitter1 = new QSplitter(Qt::Vertical, GroupBox5);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(8);
    Splitter1->setChildrenCollapsible(false);
    notesLayout->addWidget(Splitter1);
    GroupBox3 = makeGroupBox(QStringLiteral("GroupBox3"), Splitter1);
    GroupBox2 = makeGroupBox(QStringLiteral("GroupBox2"), Splitter1);
    const struct {
        QGroupBox* box;
        DBMemo* TForm_Anagrafica::*member;
        const char* name;
        const char* field;
    } memos[] = {
        {GroupBox3, &TForm_Anagrafica::DBMemo2, "DBMemo2", "_IndirizzoCliente"},
        {GroupBox2, &TForm_Anagrafica::DBMemo1, "DBMemo1", "_Nota"},
    };
    for (const auto& m : memos) {
        m.box->setFont(tahoma(11, true));
        auto* layout = new QVBoxLayout(m.box);
        layout->setContentsMargins(6, 4, 6, 6);
        auto* memo = new DBMemo(m.box);
        memo->setObjectName(QString::fromLatin1(m.name));
        memo->setFont(tahoma(11, false));
        memo->setDataSource(source);
        memo->setDataField(QString::fromLatin1(m.field));
        layout->addWidget(memo);
        this->*m.member = memo;
    }
    Splitter1->setSizes({218 - 107 - 8, 107});
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1CanResize(); });

    // The splitter bars are raised strips in the colour of an active border.
    const QString bar = QStringLiteral("QSplitter::handle { background: %1; border-top: 1px solid %2;"
                                       " border-bottom: 1px solid %3; }")
                            .arg(sysColor(COLOR_ACTIVEBORDER).name(), sysColor(COLOR_BTNHIGHLIGHT).name(),
                                 sysColor(COLOR_BTNSHADOW).name());
    Splitter2->setStyleSheet(bar);
    Splitter1->setStyleSheet(bar);
    Splitter2->setSizes({216, 237});
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    connect(Splitter2, &QSplitter::splitterMoved, this, &TForm_Anagrafica::Splitter2Moved);
}

DataSet* TForm_Anagrafica::root() const {
    return DM ? DM->CDSet_Tabulon : nullptr;
}

bool TForm_Anagrafica::rootOpen() const {
    return root() && root()->active();
}

int TForm_Anagrafica::installationCount() const {
    return rootOpen() ? root()->recordCount() : 0;
}

void TForm_Anagrafica::setButtonStates(bool filled) {
    Button_Crea->setEnabled(true);
    setFilledControls(filled);
}

void TForm_Anagrafica::setFilledControls(bool enabled) {
    Button_Elimina->setEnabled(enabled);
    Button_Ok->setEnabled(enabled);
    GroupBox5->setEnabled(enabled);
    GroupBox6->setEnabled(enabled);
}

void TForm_Anagrafica::disableAllControls() {
    Button_Crea->setEnabled(false);
    setFilledControls(false);
}

void TForm_Anagrafica::setDatabasePanel() {
    if (Form6)
        Form6->setStatusPanelText(7, DATABASE);
}

// ---- form events ----

void TForm_Anagrafica::FormCreate() {
    setupGrid();
    GroupBox3->setTitle(QStringLiteral("Indirizzo Cliente"));
    GroupBox2->setTitle(QStringLiteral("Nota"));
    Button_Crea->setText(QStringLiteral("NUOVO"));
    Button_Elimina->setText(QStringLiteral("CANCELLA"));
    Button_Ok->setText(QStringLiteral("OK"));
    if (installationCount() > 0)
        setFilledControls(true);
    else
        setButtonStates(false);
}

void TForm_Anagrafica::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm_Anagrafica::FormShow() {
    if (Form6) {
        const QString caption = Form6->windowTitle();
        setWindowTitle(caption.isEmpty() ? kProgramCaption : caption);
        Form6->setEnabled(false);
    } else if (windowTitle().isEmpty()) {
        setWindowTitle(kProgramCaption);
    }
    if (rootOpen())
        setFilledControls(root()->recordCount() > 0);
    else
        setButtonStates(false);
}

void TForm_Anagrafica::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

void TForm_Anagrafica::FormHide() {
    if (!Form6)
        return;
    Form6->setVisible(true);
    Form6->setEnabled(true);
    QString customer;
    QString model;
    if (rootOpen() && root()->recordCount() > 0) {
        customer = root()->fieldByName(QStringLiteral("_NomeCliente")).asString();
        model = root()->fieldByName(QStringLiteral("_TipoCentrale")).asString();
    }
    Form6->setWindowTitle(kProgramCaption + QLatin1Char(' ') + Lang::Version + QStringLiteral("   (") +
                          customer + QStringLiteral(")  ") + model);
}

bool TForm_Anagrafica::FormCloseQuery() {
    if (installationCount() > 0)
        return true;
    if (MessageBox(QStringLiteral("Vuoi uscire da programma?"), QCoreApplication::applicationName(),
                   mbYes | mbNo) == mrYes) {
        // Through the main window's exit routine, which saves the register; the main window is
        // disabled under this one, so its close box would refuse. A failed save the user
        // chose to stay after keeps the program open.
        if (Form6 && !Form6->exitProgram())
            return false;
        StartupEnv::exitProcess(0);
    }
    return false;
}

void TForm_Anagrafica::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}

void TForm_Anagrafica::FormClose() {
    Button_OkClick();
}

void TForm_Anagrafica::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm_Anagrafica::FormResize() {
    FixDBGridColumnsWidth(DBGrid1);
}

void TForm_Anagrafica::Splitter2Moved() {
    FixDBGridColumnsWidth(DBGrid1);
}

bool TForm_Anagrafica::Splitter1CanResize() {
    FixDBGridColumnsWidth(DBGrid1);
    return true;
}

void TForm_Anagrafica::DBGrid1DblClick() {
    if (installationCount() > 0)
        DBEdit1->setFocus();
}

bool TForm_Anagrafica::DBEditKeyDown(DBEdit*, int key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (isEditing(root())) {
        try {
            root()->post();
        } catch (const DataSetError& error) {
            ShowMessage(error.message());
        }
    }
    return false;
}

bool TForm_Anagrafica::eventFilter(QObject* watched, QEvent* event) {
    // The grid follows every change of its own size, whichever splitter or resize caused it.
    if (watched == DBGrid1->viewport() && event->type() == QEvent::Resize)
        FixDBGridColumnsWidth(DBGrid1);
    if (event->type() == QEvent::KeyPress) {
        for (DBEdit* edit : {DBEdit1, DBEdit2, DBEdit3}) {
            if (watched == edit)
                DBEditKeyDown(edit, static_cast<QKeyEvent*>(event)->key());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- work behind the wait window ----

void TForm_Anagrafica::runBehindWaitWindow(const QString& text, const std::function<void()>& work) {
    if (!m_splash)
        m_splash = new TSplash(this);
    m_splash->AvvioAttesa(this, text);
    QString failure;
    try {
        work();
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    m_splash->FineAttesa();
    if (!failure.isEmpty())
        MessageBox(failure, QCoreApplication::applicationName(), mbOK | mbIconError);
}

// ---- buttons ----

void TForm_Anagrafica::Button_CreaClick() {
    if (!rootOpen())
        return;
    if (DM->registerFull()) {
        ShowMessage(TDM::registerFullText());
        if (TypeCentral)
            TypeCentral->ComboBox1->setCurrentIndex(-1);
        return;
    }
    if (Form6)
        Form6->hide();
    disableAllControls();
    const int chosen = TypeCentral ? TypeCentral->ComboBox1->currentIndex() : -1;
    if (chosen < 1) {
        if (TypeCentral) {
            setEnabled(false);
            TypeCentral->show();
            TypeCentral->raise();
            TypeCentral->activateWindow();
            TypeCentral->ComboBox1->setFocus();
        }
    } else {
        repaint();
        runBehindWaitWindow(QStringLiteral("ATTENDERE\rCONFIGURAZIONE IN CORSO..."),
                            [chosen] { DM->AddDataSet(chosen); });
        TypeCentral->ComboBox1->setCurrentIndex(-1);
    }
    if (installationCount() > 0) {
        GroupBox5->setEnabled(true);
        GroupBox6->setEnabled(true);
    } else {
        setFilledControls(false);
    }
    if (!TypeCentral)
        setButtonStates(installationCount() > 0);
}

void TForm_Anagrafica::Button_EliminaClick() {
    disableAllControls();
    if (installationCount() == 0) {
        ShowMessage(QStringLiteral("Non ci sono configurazioni attive"));
        setButtonStates(false);
        return;
    }
    if (MessageBox(QStringLiteral("Eliminare la configurazione selezionata?"),
                   QCoreApplication::applicationName(), mbYes | mbCancel) == mrYes) {
        if (Form6)
            Form6->hide();
        runBehindWaitWindow(QStringLiteral("ATTENDERE\rEliminazione della Configurazione in corso..."),
                            [] { DM->DeleteMasterRecord(); });
    }
    const bool filled = installationCount() > 0;
    if (Form6)
        Form6->setVisible(filled);
    setButtonStates(filled);
}

void TForm_Anagrafica::Button_OkClick() {
    if (isEditing(root())) {
        try {
            root()->post();
        } catch (const DataSetError& error) {
            ShowMessage(error.message());
            return;
        }
    }
    OpenInstallation();
    // The opening gives way to the main window; hiding is harmless when it already did.
    hide();
}

// ---- register file actions ----

void TForm_Anagrafica::Action1ExecuteExport() {
    if (QFileInfo::exists(DATABASE)) {
        const QString chosen = PromptSaveFileName(this, QStringLiteral("Export"), folderOf(DATABASE),
                                                  DATABASE, kRegisterFilter, QString());
        if (!chosen.isEmpty())
            DATABASE = withRegisterExtension(chosen);
        storeDatabasePath();
    }
    setDatabasePanel();
}

void TForm_Anagrafica::Action2ExecuteImport() {
    if (isEditing(root())) {
        try {
            root()->post();
        } catch (const DataSetError& error) {
            ShowMessage(error.message());
            setDatabasePanel();
            return;
        }
    }
    const QString chosen = PromptOpenFileName(this, QStringLiteral("Import"), folderOf(DATABASE),
                                              kRegisterFilter, QStringLiteral("*.cds"));
    if (!chosen.isEmpty() && DM) {
        // A file of another data model, or a damaged one, leaves the register in memory,
        // DATABASE and the settings as they were.
        QString error;
        if (DM->importRegister(chosen, &error)) {
            DATABASE = chosen;
            storeDatabasePath();
            // The buttons follow the register just read, and so do the bound edits: an
            // imported register with rows is editable at once.
            setButtonStates(installationCount() > 0);
        } else {
            qWarning().noquote() << error; // why, for whoever reads the log
            ShowMessage(QStringLiteral("Il catalogo non corrisponde alle tabelle presenti"));
        }
    }
    setDatabasePanel();
}

void TForm_Anagrafica::Action3ExecuteNewConfig() {
    const QString chosen = PromptSaveFileName(this, QStringLiteral("Export"), folderOf(DATABASE),
                                              QStringLiteral("*.cds"), kRegisterFilter, QString());
    if (chosen.isEmpty() || !root())
        return;
    const QString newName = withRegisterExtension(chosen);
    const bool mainWindowShown = Form6 && Form6->isVisible();
    if (Form6)
        Form6->hide();
    // A failure starts nothing new: the main window comes back as it was.
    const auto fail = [this, mainWindowShown](const QString& message, bool asError) {
        if (asError)
            MessageBox(message, QCoreApplication::applicationName(), mbOK | mbIconError);
        else
            ShowMessage(message);
        if (Form6 && mainWindowShown)
            Form6->show();
        setDatabasePanel();
    };
    try {
        if (isEditing(root()))
            root()->post();
    } catch (const DataSetError& error) {
        fail(error.message(), false);
        return;
    }
    // Both files are written before the register is emptied: a failure leaves the register
    // in memory, its file and DATABASE as they were.
    QString error;
    if (!DM->saveRegister(DATABASE, &error) || !DM->saveRegister(newName, &error)) {
        fail(error, true);
        return;
    }
    DATABASE = newName;
    root()->setFileName(newName);
    storeDatabasePath();

    {
        TDM::ControlsPause pause(*DM);
        int remaining = root()->recordCount();
        while (remaining > 0) {
            DM->DeleteMasterRecord();
            const int now = root()->recordCount();
            if (now >= remaining)
                break; // nothing more can be deleted
            remaining = now;
        }
    }

    setDatabasePanel();
    activateWindow();
    setFocus();
}
