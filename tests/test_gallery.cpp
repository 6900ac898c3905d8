// Builds a page-like window (a 112-row, 20-column owner-drawn grid with the shared painters and
// a row of bound controls) and saves screenshots at 100% and 200% into the build folder:
// gallery_1x.png, gallery_2x.png. The checks here are the ones a look at the pictures would make.

#include "platform/dbcontrols.h"
#include "platform/dbgrid.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"
#include "support/widgetfixtures.h"

#include <QtTest>

namespace {

struct GalleryPage {
    std::unique_ptr<DataSet> table;
    std::unique_ptr<DataSet> users;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<DataSource> userSource;
    std::unique_ptr<QWidget> window;
    DBGrid* grid = nullptr;
    GridMouseTracker tracker;
};

bool isValueColumn(const DBGridColumn& c) {
    return c.fieldName() == "_Tipo" || c.fieldName() == "_Msg1";
}

void paintPageCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    const Field* f = column.field();
    if (!f)
        return;
    if (f->dataType() == FieldType::Boolean) {
        const bool enabled =
            column.fieldName() == "_Enable" || grid.paintedValue(QStringLiteral("_Enable")).toBool();
        DrawCheckBoxes(grid, p, rect, column, enabled);
    } else if (isValueColumn(column) && !grid.paintedRowSelected()) {
        // The value-cell look: a size-grip face with the text over it.
        drawFrameControl(p, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        QFont font = grid.canvas().font;
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::black);
        grid.textOut(p, rect.left() + 5, rect.top() + 2, grid.paintedText(column));
    }
}

std::unique_ptr<GalleryPage> buildPage() {
    auto page = std::make_unique<GalleryPage>();
    page->table = makeSampleTable(112, QStringLiteral("CDSet_Ingressi"));
    page->users = makeTextTable(QStringLiteral("CDSet_Utenti"), {QStringLiteral("_Nome")},
                                {QStringLiteral("Installatore"), QStringLiteral("Mario Rossi"),
                                 QStringLiteral("Laura Bianchi"), QStringLiteral("Servizio Tecnico")});
    // Minimum widths of the columns that take the free width; the others keep theirs.
    for (auto [name, tag] :
         {std::pair{"_Nome", 70}, {"_Tipo", 100}, {"_Msg1", 80}, {"_Utente", 96}, {"_Nota", 80}})
        page->table->fieldByName(QString::fromLatin1(name)).tag = tag;
    page->source = std::make_unique<DataSource>(page->table.get());
    page->userSource = std::make_unique<DataSource>(page->users.get());

    page->window = std::make_unique<QWidget>();
    QWidget& w = *page->window;
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(13);
    w.setFont(font);
    w.resize(1180, 640);
    auto* layout = new QVBoxLayout(&w);

    auto* grid = new DBGrid(&w);
    page->grid = grid;
    grid->setDataSource(page->source.get());
    grid->setOptions(grid->options() | GridOption::MultiSelect | GridOption::AlwaysShowSelection);
    grid->setDefaultDrawing(false);
    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    static const Col cols[] = {
        {"_ID", "N.", 34},          {"_Nome", "Nome", 110},      {"_Enable", "Abil.", 38},
        {"_Tipo", "Tipo", 120},     {"_Msg1", "Messaggio", 96},  {"_Ora", "Ora", 48},
        {"_Partizione1", "P1", 26}, {"_Partizione2", "P2", 26},  {"_Partizione3", "P3", 26},
        {"_Partizione4", "P4", 26}, {"_Partizione5", "P5", 26},  {"_Partizione6", "P6", 26},
        {"_Partizione7", "P7", 26}, {"_Partizione8", "P8", 26},  {"_Tempo", "Tempo", 46},
        {"_Codice", "Codice", 60},  {"_Lunghezza", "Lung.", 42}, {"_Stato", "Stato", 42},
        {"_Utente", "Utente", 96},  {"_Nota", "Nota", 120}};
    for (const Col& c : cols) {
        DBGridColumn& column =
            grid->addColumn(QString::fromLatin1(c.field), QString::fromLatin1(c.title), c.width);
        column.title.alignment = Qt::AlignHCenter;
        if (column.field()->dataType() == FieldType::Boolean || column.fieldName() == "_ID")
            column.alignment = Qt::AlignHCenter;
    }
    grid->column(0).readOnly = true;
    grid->onDrawColumnCell = paintPageCell;
    grid->onTitleClick = DBGridTitleClick;
    page->tracker.attach(*grid);
    layout->addWidget(grid, 1);

    auto* controls = new QGroupBox(QStringLiteral("Ingresso selezionato"), &w);
    auto* row = new QGridLayout(controls);
    auto* name = new DBEdit(controls);
    name->setDataSource(page->source.get());
    name->setDataField(QStringLiteral("_Nome"));
    auto* time = new DBEdit(controls);
    time->setDataSource(page->source.get());
    time->setDataField(QStringLiteral("_Ora"));
    auto* enable = new DBCheckBox(QStringLiteral("Abilitato"), controls);
    enable->setDataSource(page->source.get());
    enable->setDataField(QStringLiteral("_Enable"));
    auto* onOff = new DBCheckBox(controls);
    onOff->setKind(DBCheckBox::Kind::OnOff);
    onOff->setDataSource(page->source.get());
    onOff->setDataField(QStringLiteral("_Stato"));
    auto* kind = new DBComboBox(controls);
    kind->setItems({"Istantaneo", "Ritardato", "24 ore", "Incendio", "Non Configurato"});
    kind->setDataSource(page->source.get());
    kind->setDataField(QStringLiteral("_Tipo"));
    auto* user = new DBLookupComboBox(controls);
    user->setListSource(page->userSource.get());
    user->setKeyField(QStringLiteral("_Nome"));
    user->setListField(QStringLiteral("_Nome"));
    user->setDataSource(page->source.get());
    user->setDataField(QStringLiteral("_Utente"));
    auto* radio = new DBRadioGroup(QStringLiteral("LUNGHEZZA CODICI"), controls);
    radio->setItems({QStringLiteral("xxxxxx"), QStringLiteral("xxxx")});
    radio->setValues({QStringLiteral("0"), QStringLiteral("1")});
    radio->setColumns(2);
    radio->setDataSource(page->source.get());
    radio->setDataField(QStringLiteral("_Lunghezza"));
    auto* memo = new DBMemo(controls);
    memo->setDataSource(page->source.get());
    memo->setDataField(QStringLiteral("_Nota"));
    memo->setFixedHeight(54);
    row->addWidget(new QLabel(QStringLiteral("Nome"), controls), 0, 0);
    row->addWidget(name, 0, 1);
    row->addWidget(new QLabel(QStringLiteral("Ora"), controls), 0, 2);
    row->addWidget(time, 0, 3);
    row->addWidget(enable, 0, 4);
    row->addWidget(onOff, 0, 5);
    row->addWidget(new QLabel(QStringLiteral("Tipo"), controls), 1, 0);
    row->addWidget(kind, 1, 1);
    row->addWidget(new QLabel(QStringLiteral("Utente"), controls), 1, 2);
    row->addWidget(user, 1, 3);
    row->addWidget(radio, 0, 6, 2, 1);
    row->addWidget(memo, 0, 7, 2, 1);
    layout->addWidget(controls);
    return page;
}

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT
private slots:
    void savesScreenshotsAtOneAndTwoTimes() {
        auto page = buildPage();
        QWidget& w = *page->window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        FixDBGridColumnsWidth(page->grid);

        // A current row in the middle, two marked rows and one row with its check boxes off.
        DBGrid& grid = *page->grid;
        grid.moveToRecNo(3);
        grid.setCurrentRowSelected(true);
        grid.moveToRecNo(4);
        grid.setCurrentRowSelected(true);
        grid.moveToRecNo(7);
        grid.setSelectedIndex(1);
        grid.setFocus();
        QCoreApplication::processEvents();

        const QString dir = QCoreApplication::applicationDirPath();
        for (qreal ratio : {1.0, 2.0}) {
            const QImage shot = renderWidget(w, ratio);
            QCOMPARE(shot.width(), int(w.width() * ratio));
            const QString path = dir + QStringLiteral("/gallery_%1x.png").arg(int(ratio));
            QVERIFY(shot.save(path));
            qInfo("saved %s", qPrintable(path));
        }
        // After fitting the columns fill the width: no horizontal scrolling, at most a few pixels
        // left over from the division among the resizable columns.
        int used = 20;
        for (int c = 0; c < grid.columnCount(); ++c)
            used += grid.column(c).width() + 1;
        QVERIFY(used <= grid.viewport()->width());
        QVERIFY(used > grid.viewport()->width() - 5);
    }
};

QTEST_MAIN(GalleryTest)
#include "test_gallery.moc"
