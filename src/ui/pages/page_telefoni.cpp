#include "ui/pages/page_telefoni.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/gridpaint.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"
#include "ui/pages/paramform.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace {
const QStringList kTypedFields = {QStringLiteral("_Tel"), QStringLiteral("_Nome"),
                                  QStringLiteral("_PrefixPSTN"), QStringLiteral("_PrefixGSM")};
const QStringList kFlagFields = {QStringLiteral("_ConfermaRisposta"), QStringLiteral("_AccessoDiretto"),
                                 QStringLiteral("_ResetAutomatico"), QStringLiteral("_TelProg")};
} // namespace

TPageTelefoni::TPageTelefoni(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet3"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_telefoni = new TPageControl(QStringLiteral("PageControl_telefoni"), this);
    lay->addWidget(PageControl_telefoni);
    TabSheet29 = new QWidget;
    TabSheet29->setObjectName(QStringLiteral("TabSheet29"));
    PageControl_telefoni->addPage(TabSheet29, QStringLiteral("RUBRICA"));
    TabSheet30 = new QWidget;
    TabSheet30->setObjectName(QStringLiteral("TabSheet30"));
    PageControl_telefoni->addPage(TabSheet30, QStringLiteral("PARAMETRI DI CHIAMATA"));
    buildPhoneBook();
    buildParameters();
}

void TPageTelefoni::buildPhoneBook() {
    auto* lay = new QVBoxLayout(TabSheet29);
    lay->setContentsMargins(4, 4, 4, 4);
    GroupBox7 = new QGroupBox(TabSheet29);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    lay->addWidget(GroupBox7);
    auto* inner = new QVBoxLayout(GroupBox7);
    inner->setContentsMargins(4, 4, 4, 4);
    DBGrid3 = new DBGrid(GroupBox7);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    inner->addWidget(DBGrid3);
    DBGrid3->setOptions(GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                        GridOption::RowLines | GridOption::AlwaysShowSelection | GridOption::CancelOnExit);
    if (DM)
        DBGrid3->setDataSource(DM->DataSource_Phone);
    const struct {
        const char* field;
        const char* title;
        int width;
    } columns[] = {{"_ID", "N°", 32},
                   {"_Nome", "ETICHETTA", 90},
                   {"_PrefixPSTN", "Prefisso PSTN", 60},
                   {"_PrefixGSM", "Prefisso GSM", 60},
                   {"_Tel", "NUMERI", 110},
                   {"_ConfermaRisposta", "CONFERMA RISPOSTA", 60},
                   {"_AccessoDiretto", "ACCESSO DIRETTO MENU", 60},
                   {"_ResetAutomatico", "RESET CODA CHIAMATE", 60},
                   {"_TelProg", "TEL PROG.", 60}};
    for (const auto& c : columns)
        DBGrid3->addColumn(QString::fromLatin1(c.field), QString::fromUtf8(c.title), c.width);
    DBGrid3->column(0).readOnly = true;
    CellFaces::widenToTitles(*DBGrid3);
    CellFaces::fitWhenShown(*DBGrid3);
    DBGrid3->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int col, DBGridColumn& c,
                                       GridDrawState s) { DBGrid3DrawColumnCell(g, p, r, col, c, s); };
    DBGrid3->onCellClick = [this](DBGridColumn& c) { DBGrid3CellClick(c); };
    connect(DBGrid3, &DBGrid::currentCellChanged, this, &TPageTelefoni::DBGrid3CellEnter);
}

void TPageTelefoni::buildParameters() {
    using namespace ParamForm;
    DataSource* par = parVari();
    BoxGrid grid(TabSheet30, 3);
    const struct {
        const char* caption;
        const char* name;
        const char* field;
        int last;
    } lists[] = {{"TEMPO TENTATIVI CHIAMATE", "DBComboBox34", "_TempoTentativiChiamate", 240},
                 {"TENTATIVI CHIAMATE", "DBComboBox35", "_NumTentativiChiamate", 9},
                 {"ATTESA ALLA RISPOSTA", "DBComboBox37", "_AttesaRisposta", 60},
                 {"RIPETIZIONE MESSAGGIO", "DBComboBox36", "_RipetizioneMessaggio", 9}};
    for (const auto& l : lists) {
        DBComboBox* combo = comboBox(TabSheet30, QString::fromLatin1(l.name), par,
                                     QString::fromLatin1(l.field), Lang::NumberItems(0, l.last));
        grid.add(boxed(TabSheet30, QString(), QString::fromLatin1(l.caption), combo));
    }
    DBEdit14 = edit(TabSheet30, QStringLiteral("DBEdit14"), tabulon(), QStringLiteral("_PswReset"));
    GroupBox67 =
        boxed(TabSheet30, QStringLiteral("GroupBox67"), QStringLiteral("CODICE RESET CHIAMATE"), DBEdit14);
    grid.add(GroupBox67);
}

void TPageTelefoni::DBGrid3DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                          DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (dataCol >= 2 && dataCol <= 4)
        CellFaces::valueCell(grid, painter, rect, column);
    if (grid.dataActive() && kFlagFields.contains(column.fieldName()))
        DrawCheckBoxes(grid, painter, rect, column, true);
}

void TPageTelefoni::DBGrid3CellClick(DBGridColumn& column) {
    DataSet* t = column.grid()->dataSet();
    if (!CellFaces::writable(t) || !kFlagFields.contains(column.fieldName()))
        return;
    const QString name = column.fieldName();
    CellFaces::editAndPost(t, [&name](DataSet& ds) {
        Field& flag = ds.fieldByName(name);
        flag.setAsBoolean(!flag.asBoolean());
        ds.fieldByName(QStringLiteral("_ID")).setAsInteger(ds.recNo());
    });
}

void TPageTelefoni::DBGrid3CellEnter() {
    DataSet* t = DBGrid3->dataSet();
    if (!t || !t->active())
        return;
    const DBGridColumn* column = DBGrid3->selectedColumn();
    stampRowNumber(*DBGrid3);
    DBGrid3->setOption(GridOption::Editing, column && kTypedFields.contains(column->fieldName()));
    CellFaces::postPending(t);
}

#include "moc_page_telefoni.cpp"
