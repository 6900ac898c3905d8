#include "ui/pages/page_ingressi.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/imagelist.h"
#include "ui/inputrules.h"
#include "ui/mainwindow.h"
#include "ui/multiapply.h"
#include "ui/pagecontrol.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/wiringpicture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// What a column of the inputs grids is, by its field.
enum class Kind : quint8 { Other, Name, Message, Option, Partition, LinkUser, Wiring };

struct ColumnKind {
    Kind kind = Kind::Other;
    int number = 0; // 1..4 of a message, 1..8 of a partition
};

ColumnKind kindOf(const QString& field) {
    static const QHash<QString, ColumnKind> kinds = [] {
        QHash<QString, ColumnKind> h;
        h.insert(QStringLiteral("_Nome"), {Kind::Name, 0});
        for (int i = 1; i <= 4; ++i)
            h.insert(QStringLiteral("_Msg%1").arg(i), {Kind::Message, i});
        for (const char* f : {"_BuzzTast", "_Test", "_BloccoEx", "_AutoEx", "_Reinclusion"})
            h.insert(QString::fromLatin1(f), {Kind::Option, 0});
        for (int i = 1; i <= 8; ++i)
            h.insert(QStringLiteral("_Pz%1").arg(i), {Kind::Partition, i});
        h.insert(QStringLiteral("_LinkUser"), {Kind::LinkUser, 0});
        h.insert(QStringLiteral("_TipoIngresso"), {Kind::Wiring, 0});
        return h;
    }();
    return kinds.value(field);
}

// Partition columns 5..8 exist only on the models with eight partitions; without a model the
// boxes are drawn but no click changes them.
bool hasEightPartitions(int systemType) {
    const ModelFeatures* model = modelFeatures(systemType);
    return model && model->eightPartitions;
}
bool partitionDrawn(int systemType, int partition) {
    return partition <= 4 || hasEightPartitions(systemType) || systemType == 0;
}
bool partitionClickable(int systemType, int partition) {
    if (!modelFeatures(systemType))
        return false;
    return partition <= 4 || hasEightPartitions(systemType);
}

// Field positions of the inputs table, read once (the schema never changes).
struct InputFields {
    int nome, tipo, enablePzX, imsg[5], msg[5];
};
const InputFields& inputFields() {
    static const InputFields f = [] {
        const DataSet& t = *DM->CDSet_Ingressi;
        InputFields x{};
        x.nome = t.fieldByName(QStringLiteral("_Nome")).index();
        x.tipo = t.fieldByName(QStringLiteral("_TipoIngresso")).index();
        x.enablePzX = t.fieldByName(QStringLiteral("_EnablePzX")).index();
        for (int i = 1; i <= 4; ++i) {
            x.imsg[i] = t.fieldByName(QStringLiteral("_IMsg%1").arg(i)).index();
            x.msg[i] = t.fieldByName(QStringLiteral("_Msg%1").arg(i)).index();
        }
        return x;
    }();
    return f;
}

// Inputs sharing one terminal share one band colour ($00BBGGRR values).
const TColor kBands[] = {16777166, 12910532, 8454143, 16758783, 10329599, 8684799, 9013701, 56797};

// A value cell: the grip face with `text` in the canvas's font and colour; a marked row keeps its
// highlight instead of the face.
void valueCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text) {
    if (!grid.paintedRowSelected()) {
        DrawGripCell(grid, p, rect, text);
        return;
    }
    p.fillRect(rect, grid.canvas().brush);
    p.setFont(grid.canvas().font);
    p.setPen(grid.canvas().fontColor);
    CellFaces::cellText(grid, p, rect, text);
}

// A filled cell with its text at (+dx, +dy).
void filledCell(DBGrid& grid, QPainter& p, const QRect& rect, const QColor& fill, const QColor& pen,
                const QString& text, int dx = 5, int dy = 2) {
    p.fillRect(rect, fill);
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.setFont(grid.canvas().font);
    p.setPen(pen);
    grid.textOut(p, rect.left() + dx, rect.top() + dy, text);
    p.restore();
}

// A terminal caption laid over the picture, as a tag.
QLabel* terminalLabel(const char* name, QWidget* parent, int x, int y) {
    auto* label = new QLabel(QStringLiteral("-----"), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont f = label->font();
    f.setBold(true);
    f.setPixelSize(16);
    label->setFont(f);
    label->setAutoFillBackground(true); // opaque, over the picture
    label->setStyleSheet(
        QStringLiteral("QLabel { background: #FFFFFF; color: #2B3A55;"
                       " border: 1px solid #2B3A55; border-radius: 3px; padding: 0px 3px; }"));
    label->move(x, y);
    label->adjustSize();
    label->hide();
    return label;
}

} // namespace

TPageIngressi::TPageIngressi(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    PageControl_Ingressi = new TPageControl(QStringLiteral("PageControl_Ingressi"), this);
    lay->addWidget(PageControl_Ingressi);
    auto sheet = [this](QWidget*& member, const char* name, const char* caption) {
        member = new QWidget;
        member->setObjectName(QString::fromLatin1(name));
        PageControl_Ingressi->addPage(member, QString::fromUtf8(caption));
    };
    sheet(TabSheet15, "TabSheet15", "Messaggi");
    sheet(TabSheetIngFunzioni, "TabSheetIngFunzioni", "Funzioni / Tipo");
    sheet(TabSheetIngTelefoni, "TabSheetIngTelefoni", "Telefoni");
    sheet(TabSheetIngOnOff, "TabSheetIngOnOff", "Ingressi ON/OFF");
    sheet(TabSheetIngAdattamento, "TabSheetIngAdattamento", "Adattamento");

    buildMessages();
    buildFunctions();
    buildPhones();
    buildOnOff();
    buildAdaptation();

    for (DBGrid* grid : {DBGrid10, DBGrid15, DBGrid11, DBGrid26}) {
        grid->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                        GridDrawState s) {
            DBGridIngressiDrawColumnCell(g, p, r, dataCol, c, s);
        };
        grid->onCellClick = [this, grid](DBGridColumn& c) { DBGridIngressiCellClick(*grid, c); };
    }
    for (DBGrid* grid : {DBGrid10, DBGrid15, DBGrid11, DBGrid26, DBGrid44})
        CellFaces::fitWhenShown(*grid);
    DBGrid44->onDrawColumnCell = [this](DBGrid& g, QPainter& p, const QRect& r, int dataCol, DBGridColumn& c,
                                        GridDrawState s) { DBGrid44DrawColumnCell(g, p, r, dataCol, c, s); };

    if (Form6) {
        CellEditors& editors = Form6->cellEditors();
        DBComboBox1 = editors.attach(QStringLiteral("DBComboBox1"), DBGrid10);
        DBComboBox32 = editors.attach(QStringLiteral("DBComboBox32"), DBGrid15);
        DBComboBox2 = editors.attach(QStringLiteral("DBComboBox2"), DBGrid11);
        DBLookupComboBox6 = editors.attachLookup(QStringLiteral("DBLookupComboBox6"), DBGrid26);
        DBComboBox29 = editors.attach(QStringLiteral("DBComboBox29"), DBGrid44);
    }
    wireModel();
    m_inputsGridShown = shownInputsGrid();
    connect(PageControl_Ingressi, &TPageControl::changed, this, &TPageIngressi::keepRowsInView);
}

DBGrid* TPageIngressi::shownInputsGrid() const {
    const QWidget* sheet = PageControl_Ingressi->activePage();
    for (DBGrid* grid : {DBGrid10, DBGrid15, DBGrid11, DBGrid26})
        if (grid->parentWidget() == sheet || sheet->isAncestorOf(grid))
            return grid;
    return nullptr;
}

// The four inputs tabs are one table: the tab chosen shows the rows the tab left showed.
// ("Adattamento" in between changes nothing.)
void TPageIngressi::keepRowsInView() {
    DBGrid* shown = shownInputsGrid();
    if (!shown)
        return;
    if (m_inputsGridShown && m_inputsGridShown != shown) {
        // Once the sheet shown has laid the grid out at its size.
        const int top = m_inputsGridShown->topRecNo();
        QMetaObject::invokeMethod(
            shown, [shown, top] { shown->setTopRecNo(top); }, Qt::QueuedConnection);
    }
    m_inputsGridShown = shown;
}

DBGrid* TPageIngressi::makeGrid(const char* name, QWidget* sheet, bool alwaysShowSelection) {
    auto* grid = new DBGrid(sheet);
    grid->setObjectName(QString::fromLatin1(name));
    GridOptions options = GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                          GridOption::RowLines | GridOption::Tabs | GridOption::ConfirmDelete |
                          GridOption::CancelOnExit | GridOption::MultiSelect;
    if (alwaysShowSelection)
        options |= GridOption::AlwaysShowSelection;
    grid->setOptions(options);
    grid->setDefaultDrawing(false); // every cell is painted by the page's painter
    if (DM)
        grid->setDataSource(QLatin1String(name) == QLatin1String("DBGrid44") ? DM->DataSource_Adattamento
                                                                             : DM->DataSource_Ingressi);
    DBGridColumn& id = grid->addColumn(QStringLiteral("_ID"), QStringLiteral("N°"), 20);
    id.readOnly = true;
    return grid;
}

void TPageIngressi::buildMessages() {
    DBGrid10 = makeGrid("DBGrid10", TabSheet15, false);
    DBGrid10->addColumn(QStringLiteral("_Nome"), QString(), 200);
    for (int i = 1; i <= 4; ++i)
        DBGrid10->addColumn(QStringLiteral("_Msg%1").arg(i), QString(), 200);
    auto* lay = new QVBoxLayout(TabSheet15);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(DBGrid10);
}

void TPageIngressi::buildFunctions() {
    Splitter2 = new QSplitter(Qt::Vertical, TabSheetIngFunzioni);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    DBGrid15 = makeGrid("DBGrid15", Splitter2, true);
    DBGrid15->addColumn(QStringLiteral("_Nome"), QString(), 80);
    for (const char* f :
         {"_FuncIngresso", "_TipoIngresso", "_AttSirIngresso", "_TimeInIngresso", "_ImpulsiIngresso"})
        DBGrid15->addColumn(QString::fromLatin1(f), QString(), 80);
    DBGrid15->addColumn(QStringLiteral("_CicliEsclusione"), QString(), 58);
    for (const char* f : {"_TipoNc", "_Test", "_BloccoEx", "_AutoEx", "_BuzzTast", "_Reinclusion"})
        DBGrid15->addColumn(QString::fromLatin1(f), QString(), 80);

    // Its titles are longer than the values: no title is cut.
    CellFaces::widenToTitles(*DBGrid15);

    GroupBox70 = new QGroupBox(Splitter2);
    GroupBox70->setObjectName(QStringLiteral("GroupBox70"));
    GroupBox70->setMinimumHeight(40);
    QFont bold = GroupBox70->font();
    bold.setBold(true);
    GroupBox70->setFont(bold);
    auto* boxLay = new QVBoxLayout(GroupBox70);
    boxLay->setContentsMargins(4, 4, 4, 4);
    ScrollBox1 = new QScrollArea(GroupBox70);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    auto* canvas = new QWidget;
    canvas->setObjectName(QStringLiteral("WiringCanvas"));
    canvas->setFixedSize(718, 240);
    QFont plain = canvas->font();
    plain.setBold(false);
    canvas->setFont(plain);
    Image3 = new WiringPicture(canvas);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(0, 0, 718, 240);
    Label_Z = terminalLabel("Label_Z", canvas, 72, 104);
    Label_Z1 = terminalLabel("Label_Z1", canvas, 168, 104);
    Label_Z2 = terminalLabel("Label_Z2", canvas, 440, 104);
    Label_Z3 = terminalLabel("Label_Z3", canvas, 320, 216);
    ScrollBox1->setWidget(canvas);
    boxLay->addWidget(ScrollBox1);

    Splitter2->addWidget(DBGrid15);
    Splitter2->addWidget(GroupBox70);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    Splitter2->setSizes({400, 290});
    auto* lay = new QVBoxLayout(TabSheetIngFunzioni);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(Splitter2);
}

void TPageIngressi::buildPhones() {
    DBGrid11 = makeGrid("DBGrid11", TabSheetIngTelefoni, false);
    DBGrid11->addColumn(QStringLiteral("_Nome"), QString(), 150);
    for (int i = 1; i <= 8; ++i)
        DBGrid11->addColumn(QStringLiteral("_TipoChiamataTel%1").arg(i), QStringLiteral("Tel. %1").arg(i),
                            100);
    auto* lay = new QVBoxLayout(TabSheetIngTelefoni);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(DBGrid11);
}

void TPageIngressi::buildOnOff() {
    DBGrid26 = makeGrid("DBGrid26", TabSheetIngOnOff, true);
    DBGrid26->addColumn(QStringLiteral("_Nome"), QString(), 200);
    for (int i = 1; i <= 8; ++i)
        DBGrid26->addColumn(QStringLiteral("_Pz%1").arg(i), QString(), 80);
    DBGrid26->addColumn(QStringLiteral("_LinkUser"), QString(), 160).alignment = Qt::AlignHCenter;
    auto* lay = new QVBoxLayout(TabSheetIngOnOff);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(DBGrid26);
}

void TPageIngressi::buildAdaptation() {
    DBGrid44 = makeGrid("DBGrid44", TabSheetIngAdattamento, false);
    DBGrid44->addColumn(QStringLiteral("_Nome"), QString(), 250);
    DBGrid44->addColumn(QStringLiteral("_Adattamento"), QString(), 250);
    auto* lay = new QVBoxLayout(TabSheetIngAdattamento);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(DBGrid44);
}

// The wiring picture, the terminal labels and the column titles follow the data here, in the
// events that change it; the grids' painters only paint.
void TPageIngressi::wireModel() {
    if (!DM)
        return;
    auto follow = [this](DataSource* source, auto fn) {
        connect(source, &DataSource::dataSetScrolled, this, fn);
        connect(source, &DataSource::recordChanged, this, fn);
        connect(source, &DataSource::dataSetChanged, this, fn);
        connect(source, &DataSource::activeChanged, this, fn);
    };
    follow(DM->DataSource_Ingressi, [this] { showWiringOfCurrentInput(); });
    // Expanders change the icons, the bands and the terminal numbers; keypads the icons;
    // the vocabulary the words of the message cells.
    follow(DM->DataSource_ExpIngressi, [this] {
        showWiringOfCurrentInput();
        DBGrid15->viewport()->update();
    });
    follow(DM->DataSource_Tastiere, [this] { DBGrid15->viewport()->update(); });
    follow(DM->DataSource_Messaggi, [this] { DBGrid10->viewport()->update(); });
    showWiringOfCurrentInput();
}

// ---- rules ------------------------------------------------------------------------------------

int TPageIngressi::inputIcon(int inputNo) {
    if (!DM)
        return Img2::Warning;
    const DataSet& inputs = *DM->CDSet_Ingressi;
    const int r = inputNo;
    if (r >= 1 && r <= inputs.recordCount() && inputs.stringAt(r, inputFields().tipo) == Lang::WiringRadio())
        return Img2::Radio;
    if (InputRules::inputOnKeypad(*DM, r))
        return Img2::KeypadTerminal;
    const int onboard = C_NUM_INPUTS_ONBOARD;
    if (r <= onboard)
        return Img2::InputOnboard;
    if (r - onboard <= 8 * C_NUM_EXPIN) {
        const int e = (r - onboard - 1) / 8 + 1;
        const DataSet& exp = *DM->CDSet_ExpIngressi;
        if (e > exp.recordCount())
            return Img2::ExpanderUnknown;
        return exp.booleanAt(e, exp.fieldByName(QStringLiteral("_Enable")).index()) ? Img2::ExpanderEnabled
                                                                                    : Img2::Warning;
    }
    return Img2::Warning;
}

QColor TPageIngressi::wiringBand(int inputNo) {
    if (!DM)
        return {};
    const int type = DM->GetSystemType();
    const int k = InputRules::pairingStep(type);
    if (k == 0 || inputNo < 1 || inputNo > 3 * k)
        return {};
    const DataSet& exp = *DM->CDSet_ExpIngressi;
    if (exp.recordCount() != C_NUM_EXPIN)
        return {};
    const int enableIdx = exp.fieldByName(QStringLiteral("_Enable")).index();
    // Any of the model's input expanders, once enabled, takes the shared terminals apart.
    const int tested = modelDimensions(type)->expIn;
    for (int e = 1; e <= tested && e <= exp.recordCount(); ++e)
        if (exp.booleanAt(e, enableIdx))
            return {};
    const DataSet& inputs = *DM->CDSet_Ingressi;
    if (inputNo > inputs.recordCount())
        return {};
    if (InputRules::wiringPosition(inputs.stringAt(inputNo, inputFields().tipo)) < 16)
        return {};
    return colorFromTColor(kBands[(inputNo - 1) % k]);
}

QString TPageIngressi::linkedUserName(int inputNo) {
    if (!DM)
        return {};
    const DataSet& inputs = *DM->CDSet_Ingressi;
    if (inputNo < 1 || inputNo > inputs.recordCount())
        return {};
    const DataSet& users = *DM->CDSet_Utenti;
    const int id = inputs.integerAt(inputNo, inputs.fieldByName(QStringLiteral("_LinkUserID")).index());
    // User n is record n.
    if (id >= 1 && id <= users.recordCount())
        return users.stringAt(id, users.fieldByName(QStringLiteral("_Nome")).index());
    return inputs.stringAt(inputNo, inputs.fieldByName(QStringLiteral("_LinkUser")).index());
}

QString TPageIngressi::zoneText(int inputNo) {
    if (!DM)
        return {};
    const DataSet& inputs = *DM->CDSet_Ingressi;
    if (inputNo < 1 || inputNo > inputs.recordCount())
        return {};
    const InputFields& f = inputFields();
    QStringList words;
    for (int i = 1; i <= 4; ++i)
        words << inputs.stringAt(inputNo, f.msg[i]);
    const QString text = words.join(QLatin1Char(' '));
    // An input without words (a new installation) is known by its name.
    return text.trimmed().isEmpty() ? inputs.stringAt(inputNo, f.nome) : text;
}

bool TPageIngressi::wiringLabels(int inputNo, int* picture, QString captions[4]) {
    if (!DM)
        return false;
    const DataSet& inputs = *DM->CDSet_Ingressi;
    if (inputNo < 1 || inputNo > inputs.recordCount())
        return false;
    const int t = InputRules::wiringPosition(inputs.stringAt(inputNo, inputFields().tipo));
    if (t < 0)
        return false;
    const int n = qMax(1, C_NUM_INPUTS_ONBOARD);
    const int m = (inputNo - 1) % n + 1;
    const bool expander = InputRules::ExpInActive();
    const auto z = [](int v) { return QStringLiteral("Z%1").arg(v); };
    const QString first = z(expander ? inputNo : m);
    const QString second = z(expander ? inputNo : m + n);
    const QString third = z(expander ? inputNo : m + 2 * n);
    for (int i = 0; i < 4; ++i)
        captions[i].clear();
    if (t == 1) {
        captions[0] = first;
    } else if (t >= 4 && t <= 10) {
        captions[0] = captions[3] = first;
    } else if (t >= 11 && t <= 15) {
        captions[0] = captions[2] = first;
    } else if (t >= 16 && t <= 21) {
        captions[0] = captions[1] = first;
        captions[2] = second;
    } else if (t == 22) {
        captions[0] = captions[1] = first;
        captions[2] = second;
        captions[3] = third;
    }
    *picture = t;
    return true;
}

void TPageIngressi::showWiringOfCurrentInput() {
    if (!DM || !DM->CDSet_Ingressi->active() || DM->CDSet_Ingressi->isEmpty())
        return;
    const DataSet& inputs = *DM->CDSet_Ingressi;
    const int r = inputs.recNo();
    int picture = 0;
    QString captions[4];
    if (!wiringLabels(r, &picture, captions))
        return; // an unknown wiring leaves the picture as it was
    Image3->setPicture(picture);
    const InputFields& f = inputFields();
    QStringList parts{inputs.stringAt(r, f.nome)};
    for (int i = 1; i <= 4; ++i)
        parts << inputs.stringAt(r, f.msg[i]);
    GroupBox70->setTitle(parts.join(QStringLiteral("  ")));
    QLabel* labels[4] = {Label_Z, Label_Z1, Label_Z2, Label_Z3};
    for (int i = 0; i < 4; ++i) {
        labels[i]->setVisible(!captions[i].isEmpty());
        if (!captions[i].isEmpty()) {
            labels[i]->setText(captions[i]);
            labels[i]->adjustSize();
        }
    }
}

// ---- painters ---------------------------------------------------------------------------------

void TPageIngressi::DBGridIngressiDrawColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                                 DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    if (!DM)
        return;
    const DataSet& inputs = *DM->CDSet_Ingressi;
    const int r = grid.paintedRecNo();
    const ColumnKind k = kindOf(column.fieldName());
    const InputFields& f = inputFields();
    const bool marked = grid.paintedRowSelected();
    const bool g10 = &grid == DBGrid10, g15 = &grid == DBGrid15, g11 = &grid == DBGrid11,
               g26 = &grid == DBGrid26;

    const QString text = k.kind == Kind::LinkUser ? linkedUserName(r) : grid.paintedText(column);
    if ((g15 || g26 || g11) && dataCol >= 2) {
        if (!marked)
            grid.canvas().fontColor = Qt::black;
        valueCell(grid, p, rect, text);
    }
    if ((g15 || g26) && k.kind == Kind::Option) {
        DrawCheckBoxes(grid, p, rect, column, true);
    } else if ((g15 || g26) && k.kind == Kind::Partition) {
        if (partitionDrawn(DM->GetSystemType(), k.number))
            DrawCheckBoxes(grid, p, rect, column, inputs.booleanAt(r, f.enablePzX));
    } else if (g26 && k.kind == Kind::LinkUser && !inputs.booleanAt(r, f.enablePzX) && !marked) {
        filledCell(grid, p, rect, sysColor(COLOR_BTNFACE), grid.canvas().fontColor, text);
    } else if (g10 && k.kind == Kind::Message) {
        // The cell shows the vocabulary's current word at the stored index.
        const DataSet& words = *DM->CDSet_Messaggi;
        const QVariant index = inputs.valueAt(r, f.imsg[k.number]);
        const int word = index.isValid() ? index.toInt() + 1 : 0;
        if (word >= 1 && word <= words.recordCount()) {
            if (!marked)
                grid.canvas().fontColor = Qt::black;
            valueCell(grid, p, rect,
                      words.stringAt(word, words.fieldByName(QStringLiteral("_Messaggio")).index()));
        }
    } else if (g15 && k.kind == Kind::Wiring && !marked) {
        const QColor band = wiringBand(r);
        if (band.isValid())
            filledCell(grid, p, rect, band, Qt::black, grid.paintedText(column));
    } else if (g15 && k.kind == Kind::Name) {
        filledCell(grid, p, rect, grid.canvas().brush, grid.canvas().fontColor, zoneText(r), 32, 0);
        const int side = rect.height();
        ImageList2().draw(p, QRect(rect.left(), rect.top(), side, side), inputIcon(r));
    }
}

void TPageIngressi::DBGrid44DrawColumnCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol,
                                           DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    if (column.fieldName() == QLatin1String("_Adattamento"))
        valueCell(grid, p, rect, grid.paintedText(column));
}

// ---- clicks -----------------------------------------------------------------------------------

void TPageIngressi::DBGridIngressiCellClick(DBGrid& grid, DBGridColumn& column) {
    DataSet* inputs = grid.dataSet();
    if (!DM || !inputs || !inputs->active() || inputs->isEmpty())
        return;
    const ColumnKind k = kindOf(column.fieldName());
    DBGrid* marksOf = nullptr;
    const Field* guard = nullptr;
    if (k.kind == Kind::Partition) {
        guard = &inputs->fieldByName(QStringLiteral("_EnablePzX"));
        if (!partitionClickable(DM->GetSystemType(), k.number) || !guard->asBoolean())
            return;
        marksOf = DBGrid26;
    } else if (k.kind == Kind::Option) {
        marksOf = DBGrid15;
    } else {
        return; // the list columns show their editors by themselves
    }
    try {
        Field& field = inputs->fieldByName(column.fieldName());
        inputs->edit();
        field.setAsBoolean(!field.asBoolean());
        MultiApply::postIfEditing(*inputs);
        MultiApply::MultiSelectChekBox(field, marksOf, guard);
    } catch (const DataSetError& e) {
        inputs->cancel();
        ShowMessage(e.message());
    }
}

#include "moc_page_ingressi.cpp"
