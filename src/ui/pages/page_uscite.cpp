#include "ui/pages/page_uscite.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/gridfaces.h"
#include "ui/imagelist.h"
#include "ui/inputrules.h"
#include "ui/linkassociations.h"
#include "ui/mainwindow.h"
#include "ui/multiapply.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QSplitter>
#include <QStackedLayout>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
const QString kNome = QStringLiteral("_Nome");
const QString kFunzione = QStringLiteral("_FunzioneUscita");
const QString kAutoReset = QStringLiteral("_AutoReset");
const QString kEnableTel = QStringLiteral("_EnableAssociaTelx");
constexpr int kPhones = 8;

bool isMsgField(const QString& f) {
    return f.size() == 5 && f.startsWith(QLatin1String("_Msg")) && f[4] >= QLatin1Char('1') &&
           f[4] <= QLatin1Char('4');
}
bool isPhoneField(const QString& f) {
    return f.startsWith(QLatin1String("_AssociaTel"));
}

// The function text of sign `sign` in the MIRUN lists, which name the association functions
// for every model.
QString mirunFunction(const char* sign) {
    const int pos = Lang::ListaFunzioneUsciteSegniMIRUN.indexOf(QString::fromLatin1(sign));
    return pos >= 0 && pos < Lang::ListaFunzioneUsciteMIRUN.size() ? Lang::ListaFunzioneUsciteMIRUN.at(pos)
                                                                   : QString();
}

// The output's four words joined by blanks: what the label cells of the function and phone
// grids show.
QString wordsOf(const DBGrid& grid) {
    QString w;
    for (int i = 1; i <= 4; ++i) {
        if (i > 1)
            w += QLatin1Char(' ');
        w += grid.paintedValue(QStringLiteral("_Msg%1").arg(i)).toString();
    }
    return w;
}
} // namespace

int OutputExpansion(int n, int onboard) {
    return n <= onboard ? 0 : (n - onboard - 1) / 3 + 1;
}

int OutputIcon(int n, bool onKeypadTerminal, int onboard, int expansions, int expansionRows,
               const std::function<bool(int k)>& expansionEnabled) {
    if (onKeypadTerminal)
        return Img2::KeypadTerminal;
    if (n <= onboard)
        return Img2::OutputOnboard;
    if (n - onboard <= 3 * expansions) {
        const int k = OutputExpansion(n, onboard);
        if (k > expansionRows)
            return Img2::ExpanderUnknown;
        return expansionEnabled && expansionEnabled(k) ? Img2::ExpanderEnabled : Img2::Warning;
    }
    return Img2::Warning; // a row beyond the expansion outputs: no hardware behind it
}

TPageUscite::TPageUscite(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet2"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Uscite = new TPageControl(QStringLiteral("PageControl_Uscite"), this);
    lay->addWidget(PageControl_Uscite);
    TabSheet19 = new QWidget;
    TabSheet19->setObjectName(QStringLiteral("TabSheet19"));
    PageControl_Uscite->addPage(TabSheet19, QStringLiteral("Messaggi"));
    TabSheet20 = new QWidget;
    TabSheet20->setObjectName(QStringLiteral("TabSheet20"));
    PageControl_Uscite->addPage(TabSheet20, QStringLiteral("Funzioni/Condizione di funzionamento"));
    TabSheet21 = new QWidget;
    TabSheet21->setObjectName(QStringLiteral("TabSheet21"));
    PageControl_Uscite->addPage(TabSheet21, QStringLiteral("Assegna Telefoni"));
    TabSheet35 = new QWidget;
    TabSheet35->setObjectName(QStringLiteral("TabSheet35"));
    PageControl_Uscite->addPage(TabSheet35, QStringLiteral("Associazioni"));

    buildWordsTab();
    buildFunctionsTab();
    buildPhonesTab();
    buildAssociationsTab();
    wireData();
}

static DataSource* outputsSource() {
    return DM ? DM->DataSource_Uscite : nullptr;
}

static void fillSheet(QWidget* sheet, QWidget* content) {
    auto* lay = new QVBoxLayout(sheet);
    lay->setContentsMargins(2, 2, 2, 2);
    lay->addWidget(content);
}

void TPageUscite::buildWordsTab() {
    using O = GridOption;
    DBGrid16 = makePageGrid(
        TabSheet19, "DBGrid16", outputsSource(),
        O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs | O::ConfirmDelete |
            O::CancelOnExit | O::MultiSelect,
        {{"_ID", 32, true}, {"_Nome", 160}, {"_Msg1", 120}, {"_Msg2", 120}, {"_Msg3", 120}, {"_Msg4", 120}});
    fillSheet(TabSheet19, DBGrid16);
    if (Form6)
        DBComboBox7 = Form6->cellEditors().attach(QStringLiteral("DBComboBox7"), DBGrid16);
}

void TPageUscite::buildFunctionsTab() {
    using O = GridOption;
    DBGrid27 =
        makePageGrid(TabSheet20, "DBGrid27", outputsSource(),
                     O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs | O::MultiSelect,
                     {{"_ID", 32, true},
                      {"_Nome", 200},
                      {"_FunzioneUscita", 170},
                      {"_CondFunzionamento", 190},
                      {"_PulseDuration", 100},
                      {"_PulseDelay", 100},
                      {"_Polarita", 90},
                      {"_AutoReset", 80}});
    CellFaces::widenToTitles(*DBGrid27); // its titles are longer than most values
    fillSheet(TabSheet20, DBGrid27);
    if (Form6)
        DBComboBox3 = Form6->cellEditors().attach(QStringLiteral("DBComboBox3"), DBGrid27);
}

void TPageUscite::buildPhonesTab() {
    using O = GridOption;
    DBGrid29 = makePageGrid(TabSheet21, "DBGrid29", outputsSource(),
                            O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::ConfirmDelete |
                                O::CancelOnExit | O::MultiSelect,
                            {{"_ID", 32, true}, {"_Nome", 200}});
    for (int n = 1; n <= kPhones; ++n)
        DBGrid29->addColumn(QStringLiteral("_AssociaTel%1").arg(n), QString(), 80);
    fillSheet(TabSheet21, DBGrid29);
}

void TPageUscite::buildAssociationsTab() {
    using O = GridOption;
    Splitter13 = new QSplitter(Qt::Horizontal, TabSheet35);
    Splitter13->setObjectName(QStringLiteral("Splitter13"));
    Splitter13->setChildrenCollapsible(false);
    fillSheet(TabSheet35, Splitter13);

    DBGrid45 = makePageGrid(nullptr, "DBGrid45", outputsSource(), O::ColLines | O::RowLines | O::RowSelect,
                            {{"_ID", 32, true}, {"_Nome", 100}});
    GroupBox73 = makeGroupBox(Splitter13, "GroupBox73", QStringLiteral("USCITE"), DBGrid45);
    Splitter13->addWidget(GroupBox73);

    auto* panels = new QWidget(Splitter13);
    panels->setObjectName(QStringLiteral("Panel_Associazioni"));
    auto* panelLay = new QVBoxLayout(panels);
    panelLay->setContentsMargins(0, 0, 0, 0);
    Splitter13->addWidget(panels);
    Splitter13->setStretchFactor(0, 1);
    Splitter13->setStretchFactor(1, 3);
    Splitter13->setSizes({220, 860});

    // One panel per kind of association, each a source list with the tool bar beside it and
    // the link list.
    auto panel = [&](const char* boxName, const QString& caption, const char* sourceBox, const char* linkBox,
                     const char* splitterName, DBGrid* source, DBGrid* links, QToolBar* bar,
                     QGroupBox*& srcBox, QGroupBox*& lnkBox, QSplitter*& splitter) {
        splitter = new QSplitter(Qt::Horizontal);
        splitter->setObjectName(QString::fromLatin1(splitterName));
        splitter->setChildrenCollapsible(false);
        srcBox = makeGroupBox(splitter, sourceBox, QString(), source, bar);
        lnkBox = makeGroupBox(splitter, linkBox, QString(), links);
        splitter->addWidget(srcBox);
        splitter->addWidget(lnkBox);
        QGroupBox* box = makeGroupBox(panels, boxName, caption, splitter);
        box->hide();
        panelLay->addWidget(box);
        return box;
    };
    DataSource* inputs = DM ? DM->DataSource_Ingressi : nullptr;
    DataSource* users = DM ? DM->DataSource_Utenti : nullptr;
    DBGrid19 = makePageGrid(nullptr, "DBGrid19", inputs,
                            O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs | O::RowSelect,
                            {{"_ID", 32, true}, {"_Nome", 120}});
    DBGrid20 = makePageGrid(nullptr, "DBGrid20", DM ? DM->DataSource_InLink : nullptr,
                            O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs,
                            {{"_ID", 32, true}, {"_Nome", 120}});
    ActionToolBar6 = makeSideToolBar(nullptr, "ActionToolBar6");
    GroupBox10 = panel("GroupBox10", QStringLiteral("INGRESSI ASSOCCIATI"), "GroupBox26", "GroupBox57",
                       "Splitter9", DBGrid19, DBGrid20, ActionToolBar6, GroupBox26, GroupBox57, Splitter9);

    const GridOptions userOpts = O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                                 O::ConfirmDelete | O::CancelOnExit;
    DBGrid23 = makePageGrid(nullptr, "DBGrid23", users, userOpts, {{"_ID", 32, true}, {"_Nome", 120}});
    DBGrid24 = makePageGrid(nullptr, "DBGrid24", DM ? DM->DataSource_UserLink : nullptr, userOpts,
                            {{"_ID", 32, true}, {"_Nome", 120}});
    ActionToolBar8 = makeSideToolBar(nullptr, "ActionToolBar8");
    GroupBox61 = panel("GroupBox61", QStringLiteral("UTENTI ASSOCIAZIONI"), "GroupBox64", "GroupBox65",
                       "Splitter17", DBGrid23, DBGrid24, ActionToolBar8, GroupBox64, GroupBox65, Splitter17);

    // Titles of the lists: the source lists name what they list.
    DBGrid19->column(1).title.caption = QStringLiteral("INGRESSI");
    DBGrid23->column(1).title.caption = QStringLiteral("UTENTI");
    DBGrid20->column(1).title.caption = QStringLiteral("INGRESSI ASSOCIATI");
    DBGrid24->column(1).title.caption = QStringLiteral("UTENTI ASSOCIAZIONI");
}

void TPageUscite::wireData() {
    for (DBGrid* g : {DBGrid16, DBGrid27, DBGrid29, DBGrid45}) {
        g->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                     GridDrawState s) {
            DBGridUsciteDrawColumnCell(grid, p, r, dataCol, c, s);
        };
        if (g != DBGrid45)
            g->onCellClick = [this, g](DBGridColumn& c) { DBGridUsciteCellClick(*g, c); };
        connect(g, &DBGrid::selectedRowsChanged, this, &TPageUscite::updateAssociationPanels);
    }
    connect(DBGrid27, &DBGrid::currentCellChanged, this, &TPageUscite::functionCellChanged);
    connect(PageControl_Uscite, &TPageControl::changed, this, &TPageUscite::updateAssociationPanels);
    functionCellChanged();
    if (!DM)
        return;
    DataSource* outputs = DM->DataSource_Uscite;
    connect(outputs, &DataSource::dataSetScrolled, this, &TPageUscite::updateAssociationPanels);
    connect(outputs, &DataSource::dataSetChanged, this, &TPageUscite::updateAssociationPanels);
    connect(outputs, &DataSource::recordChanged, this, &TPageUscite::updateAssociationPanels);
    DataSource* phones = DM->DataSource_Phone;
    connect(phones, &DataSource::dataSetChanged, this, &TPageUscite::updatePhoneTitles);
    connect(phones, &DataSource::recordChanged, this, &TPageUscite::updatePhoneTitles);
    connect(phones, &DataSource::activeChanged, this, &TPageUscite::updatePhoneTitles);
    updatePhoneTitles();
    updateAssociationPanels();
}

// Only the two pulse columns are typed into (under the field's edit mask); the list columns
// go through the page's list editors.
void TPageUscite::functionCellChanged() {
    const DBGridColumn* c = DBGrid27->selectedColumn();
    const bool pulse = c && (c->fieldName() == QLatin1String("_PulseDuration") ||
                             c->fieldName() == QLatin1String("_PulseDelay"));
    DBGrid27->setOption(GridOption::Editing, pulse);
}

void TPageUscite::updatePhoneTitles() {
    for (int n = 1; n <= kPhones; ++n) {
        DBGridColumn* c = DBGrid29->columnOfField(QStringLiteral("_AssociaTel%1").arg(n));
        if (!c)
            continue;
        QString name;
        if (DM && DM->CDSet_Phone->active())
            name = GetNameTable(*DM->CDSet_Phone, kNome, n);
        // A blank title, not the field's own name, for a phone the book does not hold.
        c->title.caption = name.isEmpty() ? QStringLiteral(" ") : name;
    }
    DBGrid29->update();
    DBGrid29->viewport()->update();
}

void TPageUscite::updateAssociationPanels() {
    const DataSet* outputs = DM ? DM->CDSet_Uscite : nullptr;
    const bool hasRow = outputs && outputs->active() && !outputs->isEmpty();
    const QString label = hasRow ? outputs->fieldByName(kNome).asString() : QString();
    GroupBox26->setTitle(label);
    GroupBox64->setTitle(label);

    bool inputs = false, users = false;
    bool manyMarked = false;
    for (const DBGrid* g : {DBGrid16, DBGrid27, DBGrid29})
        manyMarked = manyMarked || (g->isVisible() && g->selectedRowCount() > 1);
    if (hasRow && !manyMarked) {
        const QString f = outputs->fieldByName(kFunzione).asString();
        inputs = !f.isEmpty() && f == mirunFunction("I");
        users = !f.isEmpty() && (f == mirunFunction("U") || f == mirunFunction("W"));
    }
    GroupBox10->setVisible(inputs);
    GroupBox61->setVisible(users);
}

// ---------------------------------------------------------------- painting

void TPageUscite::drawLabelCell(DBGrid& grid, QPainter& painter, const QRect& rect, bool withIcon) {
    painter.fillRect(rect, grid.canvas().brush);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(grid.canvas().font);
    painter.setPen(grid.canvas().fontColor);
    grid.textOut(painter, rect.left() + 32, rect.top(), wordsOf(grid));
    if (withIcon && DM) {
        const int n = grid.paintedRecNo();
        const bool keypad = InputRules::GetM1M2Key(grid.paintedValue(kNome).toString()) > 0;
        const DataSet* exp = DM->CDSet_ExpUscite;
        const Field* enable = exp->findField(QStringLiteral("_Enable"));
        const int icon =
            OutputIcon(n, keypad, C_NUM_OUTPUTS_ONBOARD, C_NUM_EXPOUT, exp->recordCount(),
                       [exp, enable](int k) { return enable && exp->booleanAt(k, enable->index()); });
        ImageList2().draw(painter, QRect(rect.left(), rect.top(), rect.height(), rect.height()), icon);
    }
    painter.restore();
}

void TPageUscite::DBGridUsciteDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                             DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    const DataSet* ds = grid.dataSet();
    if (!ds || !ds->active() || ds->isEmpty())
        return;
    const QString& field = column.fieldName();
    const bool functionGrid = &grid == DBGrid27;
    const bool phoneGrid = &grid == DBGrid29;

    if (functionGrid || phoneGrid) {
        if (field == kNome) {
            drawLabelCell(grid, painter, rect, functionGrid);
        } else if (functionGrid && field == kAutoReset) {
            DrawCheckBoxes(grid, painter, rect, column, true);
        } else if (phoneGrid && isPhoneField(field)) {
            // Drawn as a click on it acts: only an output allowed to call has live boxes.
            DrawCheckBoxes(grid, painter, rect, column, grid.paintedValue(kEnableTel).toBool());
        } else if (dataCol >= 2) {
            drawGripFace(grid, painter, rect, grid.paintedText(column));
        }
        return;
    }
    if (&grid == DBGrid16 && isMsgField(field) && DM) {
        const QVariant idx = grid.paintedValue(QStringLiteral("_IMsg") + field.right(1));
        const int p = idx.isValid() ? idx.toInt() + 1 : 0;
        const DataSet* words = DM->CDSet_Messaggi;
        const Field* text = words->findField(QStringLiteral("_Messaggio"));
        if (p > 0 && p <= words->recordCount() && text)
            drawGripFace(grid, painter, rect, words->stringAt(p, text->index()));
    }
}

// ---------------------------------------------------------------- clicks

// Inverts a flag of the current output, then gives the new value to the other marked outputs
// (those whose `guard` is true, when a guard is named). A row whose guard is false is left alone.
void TPageUscite::toggleFlag(DBGrid& grid, const QString& field, const QString& guard) {
    DataSet* ds = grid.dataSet();
    if (!ds || !ds->active() || ds->isEmpty())
        return;
    try {
        const Field* control = guard.isEmpty() ? nullptr : &ds->fieldByName(guard);
        if (control && !control->asBoolean())
            return;
        Field& f = ds->fieldByName(field);
        ds->edit();
        f.setAsBoolean(!f.asBoolean());
        ds->post();
        MultiApply::MultiSelectChekBox(f, &grid, control);
    } catch (const DataSetError& e) {
        ShowMessage(e.message());
    }
}

void TPageUscite::DBGridUsciteCellClick(DBGrid& grid, DBGridColumn& column) {
    const QString& field = column.fieldName();
    if (&grid == DBGrid27 && field == kAutoReset)
        toggleFlag(grid, field, QString());
    else if (&grid == DBGrid29 && isPhoneField(field))
        toggleFlag(grid, field, kEnableTel);
}

#include "moc_page_uscite.cpp"
