#include "ui/pages/page_contactid.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/mainwindow.h"
#include "ui/multiapply.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"
#include "ui/pages/paramform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace {
QString S(const char* text) {
    return QString::fromUtf8(text);
}
const GridOptions kBaseOptions =
    GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines | GridOption::RowLines;
const GridOptions kListOptions =
    GridOption::Tabs | GridOption::ConfirmDelete | GridOption::CancelOnExit | GridOption::MultiSelect;

bool isTelColumn(const DBGridColumn& column) {
    return column.fieldName().startsWith(QLatin1String("_Tel")) && column.fieldName().size() == 5;
}
QStringList hexByteItems() {
    QStringList items;
    for (int v = 0; v < 256; ++v)
        items << QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    return items;
}
const QStringList kUserCodes = {QStringLiteral("_FPT_Ins"), QStringLiteral("_FPT_Dis")};
const QStringList kInputCodes = {QStringLiteral("_FPT_AllZona"), QStringLiteral("_FPT_RipAllZona"),
                                 QStringLiteral("_FPT_CodEscZona")};
const QStringList kSystemCodes = {QStringLiteral("_Code")};
const QStringList kReceiverTyped = {QStringLiteral("_Nome"), QStringLiteral("_Tel"),
                                    QStringLiteral("_PrefixPSTN"), QStringLiteral("_PrefixGSM")};
} // namespace

TPageContactID::TPageContactID(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet12"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_FPT = new TPageControl(QStringLiteral("PageControl_FPT"), this);
    lay->addWidget(PageControl_FPT);
    TabSheet33 = new QWidget;
    TabSheet33->setObjectName(QStringLiteral("TabSheet33"));
    PageControl_FPT->addPage(TabSheet33, QStringLiteral("CODICI IMPIANTO\\TEL"));
    TabSheet24 = new QWidget;
    TabSheet24->setObjectName(QStringLiteral("TabSheet24"));
    PageControl_FPT->addPage(TabSheet24, QStringLiteral("EVENTI CID"));
    TabSheet25 = new QWidget;
    TabSheet25->setObjectName(QStringLiteral("TabSheet25"));
    PageControl_FPT->addPage(TabSheet25, QStringLiteral("CODICI 4+2"));
    TabSheet34 = new QWidget;
    TabSheet34->setObjectName(QStringLiteral("TabSheet34"));
    PageControl_FPT->addPage(TabSheet34, QStringLiteral("PARAMETRI"));
    TabSheet36 = new QWidget;
    TabSheet36->setObjectName(QStringLiteral("TabSheet36"));
    PageControl_FPT->addPage(TabSheet36, QStringLiteral("PARAMETRI DI SISTEMA"));
    buildReceivers();
    buildEvents();
    buildCodes();
    buildParameters();
    buildSystemParameters();
}

bool TPageContactID::unsupportedEvent(int recNo) {
    return recNo == 1 || recNo == 5 || recNo == 22 || recNo == 23;
}

DBGrid* TPageContactID::makeGrid(QWidget* parent, const char* name, DataSource* source, GridOptions extra) {
    auto* grid = new DBGrid(parent);
    grid->setObjectName(S(name));
    grid->setOptions(kBaseOptions | extra);
    grid->setDataSource(source);
    CellFaces::fitWhenShown(*grid);
    return grid;
}

DBComboBox* TPageContactID::makeCellCombo(DBGrid* grid, const char* name, const QStringList& items) {
    auto* combo = new DBComboBox(grid->viewport());
    combo->setObjectName(S(name));
    combo->setItems(items);
    combo->setMaxVisibleItems(20);
    combo->setDataSource(grid->dataSource());
    combo->hide();
    grid->attachCellEditor(combo);
    return combo;
}

// ---------------------------------------------------------------- building

void TPageContactID::buildReceivers() {
    auto* lay = new QVBoxLayout(TabSheet33);
    lay->setContentsMargins(4, 4, 4, 4);
    DBGrid30 = makeGrid(TabSheet33, "DBGrid30", DM ? DM->DataSource_ContactID : nullptr,
                        GridOption::AlwaysShowSelection | GridOption::CancelOnExit);
    lay->addWidget(DBGrid30);
    const struct {
        const char* field;
        const char* title;
        int width;
    } columns[] = {{"_ID", "N°", 40},
                   {"_Nome", "ETICHETTA", 180},
                   {"_PrefixPSTN", "Prefisso PSTN", 100},
                   {"_PrefixGSM", "Prefisso GSM", 100},
                   {"_Tel", "NUMERO", 160},
                   {"_FPT_Cod", "CODIFICA", 140}};
    for (const auto& c : columns)
        DBGrid30->addColumn(S(c.field), S(c.title), c.width);
    DBGrid30->column(0).readOnly = true;
    CellFaces::widenToTitles(*DBGrid30);
    // The format is chosen on receivers 1, 3, 5, 7 only, and a choice never reaches the others.
    DBComboBox43 = Form6->cellEditors().attach(
        S("DBComboBox43"), DBGrid30, {}, {}, [](DBGrid& g) { return formatChosenOn(g.dataSet()->recNo()); });
    MultiApply::setSupportedRows(*DBGrid30, [](const DataSet& t) { return formatChosenOn(t.recNo()); });
    DBGrid30->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int col, DBGridColumn& c,
                                        GridDrawState s) { DBGrid30DrawColumnCell(g, p, r, col, c, s); };
    connect(DBGrid30, &DBGrid::currentCellChanged, this, [this] { cellEntered(DBGrid30, kReceiverTyped); });
}

void TPageContactID::buildEvents() {
    auto* lay = new QVBoxLayout(TabSheet24);
    lay->setContentsMargins(4, 4, 4, 4);
    DBGrid31 = makeGrid(TabSheet24, "DBGrid31", DM ? DM->DataSource_ContactID_Eventi : nullptr, kListOptions);
    lay->addWidget(DBGrid31);
    DBGrid31->addColumn(S("_ID"), S("N°"), 32).readOnly = true;
    DBGrid31->addColumn(S("_Nome"), S("EVENTI"), 260).readOnly = true;
    DBGrid31->addColumn(S("_CodiceIDC"), S("CODICE IDC"), 100);
    DBGrid31->addColumn(S("_Tel1"), S("ABILITA"), 80);
    for (int n = 2; n <= 8; ++n)
        DBGrid31->addColumn(QStringLiteral("_Tel%1").arg(n), QStringLiteral("TELEFONO %1").arg(n), 80);
    CellFaces::widenToTitles(*DBGrid31);
    // Events 1, 5, 22 and 23 take neither a code nor a receiver, not even from a multi-row apply.
    DBComboBox45 = Form6->cellEditors().attach(S("DBComboBox45"), DBGrid31, {}, {}, [](DBGrid& g) {
        return !unsupportedEvent(g.dataSet()->recNo());
    });
    MultiApply::setSupportedRows(*DBGrid31, [](const DataSet& t) { return !unsupportedEvent(t.recNo()); });
    DBGrid31->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int col, DBGridColumn& c,
                                        GridDrawState s) { DBGrid31DrawColumnCell(g, p, r, col, c, s); };
    DBGrid31->onCellClick = [this](DBGridColumn& c) { DBGridContactIDCellClick(c); };
    connect(DBGrid31, &DBGrid::currentCellChanged, this, [this] { cellEntered(DBGrid31, {}); });
}

void TPageContactID::buildCodes() {
    auto* lay = new QVBoxLayout(TabSheet25);
    lay->setContentsMargins(4, 4, 4, 4);
    Splitter8 = new QSplitter(Qt::Horizontal, TabSheet25);
    Splitter8->setObjectName(S("Splitter8"));
    Splitter12 = new QSplitter(Qt::Horizontal);
    Splitter12->setObjectName(S("Splitter12"));
    lay->addWidget(Splitter8);

    DBGrid39 = makeGrid(Splitter8, "DBGrid39", DM ? DM->DataSource_Utenti : nullptr, kListOptions);
    DBGrid39->addColumn(S("_ID"), S("N°"), 40).readOnly = true;
    DBGrid39->addColumn(S("_Nome"), S("UTENTE"), 90);
    DBGrid39->addColumn(S("_FPT_Ins"), S("INSERIMENTO"), 40);
    DBGrid39->addColumn(S("_FPT_Dis"), S("DISINSERIMENTO"), 40);
    Splitter8->addWidget(DBGrid39);
    Splitter8->addWidget(Splitter12);

    DBGrid2 = makeGrid(Splitter12, "DBGrid2", DM ? DM->DataSource_Ingressi : nullptr, kListOptions);
    DBGrid2->addColumn(S("_ID"), S("N°"), 40).readOnly = true;
    DBGrid2->addColumn(S("_Nome"), S("ZONA"), 90);
    DBGrid2->addColumn(S("_FPT_AllZona"), S("ALLARME"), 40);
    DBGrid2->addColumn(S("_FPT_RipAllZona"), S("RIPRISTINO"), 40);
    DBGrid2->addColumn(S("_FPT_CodEscZona"), S("ESCLUSIONE"), 40);
    DBGrid40 = makeGrid(Splitter12, "DBGrid40", DM ? DM->DataSource_FPT : nullptr, kListOptions);
    DBGrid40->addColumn(S("_ID"), S("N°"), 40).readOnly = true;
    DBGrid40->addColumn(S("_Nome"), S("EVENTO"), 170);
    DBGrid40->addColumn(S("_Code"), S("CODICE"), 40);
    Splitter12->addWidget(DBGrid2);
    Splitter12->addWidget(DBGrid40);
    for (DBGrid* grid : {DBGrid39, DBGrid2, DBGrid40})
        CellFaces::widenToTitles(*grid);
    // Room for each grid's columns: users, then inputs beside the system events.
    Splitter8->setStretchFactor(0, 4);
    Splitter8->setStretchFactor(1, 7);
    Splitter8->setSizes({380, 700});
    Splitter12->setStretchFactor(0, 3);
    Splitter12->setStretchFactor(1, 2);
    Splitter12->setSizes({415, 285});

    const QStringList hex = hexByteItems();
    DBComboBox9 = makeCellCombo(DBGrid39, "DBComboBox9", hex);
    DBComboBox10 = makeCellCombo(DBGrid2, "DBComboBox10", hex);
    DBComboBox12 = makeCellCombo(DBGrid40, "DBComboBox12", hex);
    for (DBGrid* grid : {DBGrid39, DBGrid2, DBGrid40}) {
        grid->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int col, DBGridColumn& c,
                                        GridDrawState s) { DBGridIDCDrawColumnCell(g, p, r, col, c, s); };
        grid->onCellClick = [this](DBGridColumn& c) { DBGridIDCCellClick(c); };
        connect(grid, &DBGrid::currentCellChanged, this, [this, grid] { cellEntered(grid, {}); });
    }
    for (DBComboBox* combo : {DBComboBox9, DBComboBox10, DBComboBox12}) {
        connect(combo, &DBComboBox::changedByUser, this, [this, combo] { DBComboBoxIDCChange(combo); });
        connect(combo, &DBComboBox::droppedDown, this,
                [combo] { Form6->cellEditors().DBComboBoxDropDown(*combo); });
        // Put away when the user turns to something else without choosing.
        connect(combo, &DBComboBox::exited, this, [combo] {
            if (!combo->isDroppedDown())
                combo->hide();
        });
    }
}

void TPageContactID::buildParameters() {
    using namespace ParamForm;
    DataSource* root = tabulon();
    BoxGrid grid(TabSheet34, 3);

    QGroupBox* monitor = group(TabSheet34, S("GroupBoxMonitor"), S("RICEVITORE DI MONITORAGGIO"));
    addRow(monitor, S("INDIRIZZO"),
           edit(monitor, S("DBEditMonitorAddress"), root, S("_Net_GPRS_MonitorAddress")));
    addRow(monitor, S("PORTA"), edit(monitor, S("DBEditMonitorPort"), root, S("_Net_GPRS_MonitorPort")));
    addRow(monitor, S("ID"), edit(monitor, S("DBEditMonitorID"), root, S("_Net_GPRS_Monitor_ID")));
    addRow(monitor, S("TIMEOUT"),
           comboBox(monitor, S("DBComboBoxMonitorTimeout"), root, S("_Net_GPRS_Monitor_Timeout"),
                    Lang::NumberItems(0, 240)));
    grid.add(monitor);

    QGroupBox* backup = group(TabSheet34, S("GroupBoxBackupSMS"), S("SMS DI BACKUP"));
    addRow(backup, S("NUMERO"), edit(backup, S("DBEditBackupSMS"), root, S("_Net_GPRS_SMS")));
    addRow(backup, S("TIMEOUT (sec.)"),
           comboBox(backup, S("DBComboBoxSessionTimeout"), root, S("_Net_GPRS_Session_Timeout"),
                    Lang::NumberItems(20, 60)));
    grid.add(backup);

    grid.add(radioGroup(TabSheet34, S("DBRadioGroupCodifica"), S("FORMATO RICEVITORE"), root,
                        S("_Net_ADEMCO_Codifica"), {S("IT GPRS RX"), S("DC 09 CID"), S("DC 09 SIA")}));
    for (int n = 1; n <= 2; ++n) {
        QGroupBox* rx = group(TabSheet34, QStringLiteral("GroupBoxRicevitore%1").arg(n),
                              QStringLiteral("RICEVITORE %1").arg(n));
        addRow(rx, S("INDIRIZZO"),
               edit(rx, QStringLiteral("DBEditRemoteAddress%1").arg(n), root,
                    QStringLiteral("_Net_GPRS_RemoteAddress%1").arg(n)));
        addRow(rx, S("PORTA"),
               edit(rx, QStringLiteral("DBEditRemotePort%1").arg(n), root,
                    QStringLiteral("_Net_GPRS_RemotePort%1").arg(n)));
        addRow(rx, radioGroup(rx, QStringLiteral("DBRadioGroupIP%1Proto").arg(n), S("PROTOCOLLO"), root,
                              QStringLiteral("_Net_GPRS_IP%1Proto").arg(n), {S("TCP"), S("UDP")}, 2));
        grid.add(rx);
    }
}

void TPageContactID::buildSystemParameters() {
    using namespace ParamForm;
    BoxGrid grid(TabSheet36, 3);
    GroupBox129 = new QGroupBox(S("ID IMPIANTO"), TabSheet36);
    GroupBox129->setObjectName(S("GroupBox129"));
    auto* ids = new QGridLayout(GroupBox129);
    ids->setContentsMargins(10, 8, 10, 8);
    ids->setHorizontalSpacing(10);
    // Account codes 5..8 exist on the eight-partition models only; the layout hides them.
    for (int n = 1; n <= 8; ++n) {
        const bool upper = n > 4;
        const QString editName =
            upper ? QStringLiteral("DBEdit%1").arg(24 + n) : QStringLiteral("DBEditIDImp%1").arg(n);
        const QString labelName =
            upper ? QStringLiteral("Label%1").arg(31 + n) : QStringLiteral("LabelIDImp%1").arg(n);
        QLabel* l = label(GroupBox129, labelName, QStringLiteral("ID PRG%1").arg(n));
        DBEdit* e = edit(GroupBox129, editName, tabulon(), QStringLiteral("_ContactID_IDImp%1").arg(n));
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10);
        ids->addWidget(l, (n - 1) % 4, upper ? 2 : 0);
        ids->addWidget(e, (n - 1) % 4, upper ? 3 : 1);
    }
    grid.add(GroupBox129);

    QGroupBox* call = group(TabSheet36, S("GroupBoxIDCChiamate"), S("PARAMETRI DI CHIAMATA"));
    addRow(call, S("TENTATIVI"),
           comboBox(call, S("DBComboBoxIDCTentativi"), parVari(), S("_IDC_NumTentativi"),
                    Lang::NumberItems(0, 10)));
    addRow(call, S("RIPRISTINO ZONE"),
           checkBox(call, S("DBCheckBox1"), parVari(), S("_IDC_RipristinoZone"), DBCheckBox::Kind::OnOff));
    addRow(call, S("RITARDO RIPRISTINO"),
           checkBox(call, S("DBCheckBox9"), parVari(), S("_IDC_RitardoRipristino"), DBCheckBox::Kind::OnOff));
    grid.add(call);

    GroupBox104 = boxed(TabSheet36, S("GroupBox104"), S("AMPIEZZA DTMF SU GSM"),
                        comboBox(TabSheet36, S("DBComboBoxIDCAmpImpulso"), parVari(), S("_IDC_AmpImpulso"),
                                 Lang::NumberItems(0, 63)));
    grid.add(GroupBox104);
}

// ---------------------------------------------------------------- painting

void TPageContactID::DBGrid30DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                            DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (dataCol > 0)
        CellFaces::valueCell(grid, painter, rect, column);
    // Every format cell is a value cell, so the receivers that take no format of their own
    // are told apart by the not-applicable look rather than by an empty face.
    if (column.fieldName() == QLatin1String("_FPT_Cod") && !formatChosenOn(grid.paintedRecNo()))
        DrawNotApplicable(painter, rect);
}

void TPageContactID::DBGrid31DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                            DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const bool unsupported = unsupportedEvent(grid.paintedRecNo());
    const QString& field = column.fieldName();
    if (field == QLatin1String("_CodiceIDC"))
        CellFaces::valueCell(grid, painter, rect, column, true);
    if (unsupported && (field == QLatin1String("_CodiceIDC") || field == QLatin1String("_Nome"))) {
        CellFaces::markCell(painter, rect);
        if (field == QLatin1String("_Nome"))
            CellFaces::cellText(grid, painter, rect, QStringLiteral("Non disponibile"));
    }
    if (isTelColumn(column) && grid.dataActive()) {
        if (unsupported)
            CellFaces::markCell(painter, rect);
        else
            DrawCheckBoxes(grid, painter, rect, column, true);
    }
}

void TPageContactID::DBGridIDCDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                             DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (dataCol >= 2)
        CellFaces::valueCell(grid, painter, rect, column, true);
}

// ---------------------------------------------------------------- events

void TPageContactID::cellEntered(DBGrid* grid, const QStringList& typedFields) {
    for (DBComboBox* combo : {DBComboBox9, DBComboBox10, DBComboBox12})
        if (combo && combo->parentWidget() == grid->viewport())
            combo->hide();
    DataSet* t = grid->dataSet();
    if (!t || !t->active())
        return;
    const DBGridColumn* column = grid->selectedColumn();
    stampRowNumber(*grid);
    if (!typedFields.isEmpty() || grid == DBGrid30)
        grid->setOption(GridOption::Editing, column && typedFields.contains(column->fieldName()));
    CellFaces::postPending(t);
}

void TPageContactID::showCellCombo(DBComboBox* combo, const QString& field) {
    if (combo->dataField() != field)
        combo->setDataField(field);
    combo->show();
    combo->raise();
    combo->setFocus(Qt::MouseFocusReason);
}

void TPageContactID::DBGridContactIDCellClick(DBGridColumn& column) {
    DataSet* t = column.grid()->dataSet();
    if (!CellFaces::writable(t) || unsupportedEvent(t->recNo()))
        return;
    // The code chooser (DBComboBox45) is shown by the in-grid editors.
    if (!isTelColumn(column))
        return;
    const QString name = column.fieldName();
    const bool toggled = CellFaces::editAndPost(t, [&name](DataSet& ds) {
        Field& flag = ds.fieldByName(name);
        flag.setAsBoolean(!flag.asBoolean());
    });
    if (toggled)
        CellFaces::guarded([&] { MultiApply::MultiSelectChekBox(t->fieldByName(name), column.grid()); });
}

void TPageContactID::DBGridIDCCellClick(DBGridColumn& column) {
    const QString& field = column.fieldName();
    const struct {
        DBComboBox* combo;
        const QStringList& fields;
    } families[] = {{DBComboBox9, kUserCodes}, {DBComboBox10, kInputCodes}, {DBComboBox12, kSystemCodes}};
    const bool writable = CellFaces::writable(column.grid()->dataSet());
    for (const auto& f : families) {
        if (writable && f.fields.contains(field))
            showCellCombo(f.combo, field);
        else
            f.combo->hide();
    }
}

void TPageContactID::DBComboBoxIDCChange(DBComboBox* sender) {
    const QString field = sender->dataField();
    DBGrid* grid = kUserCodes.contains(field)     ? DBGrid39
                   : kInputCodes.contains(field)  ? DBGrid2
                   : kSystemCodes.contains(field) ? DBGrid40
                                                  : nullptr;
    DataSet* table = sender->dataSource() ? sender->dataSource()->dataSet() : nullptr;
    if (!grid || !table || !CellFaces::postPending(table)) {
        MultiApply::putAway(*sender);
        return;
    }
    CellFaces::guarded([&] { MultiApply::MultiSelectComboBox(*sender, grid); });
}

#include "moc_page_contactid.cpp"
