// Times one full repaint of a 112-row, 20-column owner-drawn grid (the shared base painter on
// every cell, check boxes on the Boolean columns, the value-cell face on two columns) rendered
// into an image on the offscreen platform. Prints the average over many repaints for a grid tall
// enough to show all 112 rows, and for a page-sized grid that shows about 25 of them. Then times
// one key typed into the open in-place editor of that grid, with what it made dirty painted, and
// with every cell repainted.
//
//   QT_QPA_PLATFORM=offscreen ./bench_grid [repeats]

#include "benchsupport.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"
#include "platform/maskedlineedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 112;

std::unique_ptr<DataSet> makeTable() {
    auto t = std::make_unique<DataSet>(QStringLiteral("CDSet_Bench"));
    t->addField(QStringLiteral("_ID"), FieldType::Integer).readOnly = true;
    t->addField(QStringLiteral("_Nome"), FieldType::String, 16);
    t->addField(QStringLiteral("_Enable"), FieldType::Boolean);
    t->addField(QStringLiteral("_Tipo"), FieldType::String, 20);
    t->addField(QStringLiteral("_Msg1"), FieldType::String, 16);
    t->addField(QStringLiteral("_Ora"), FieldType::String, 5);
    for (int p = 1; p <= 8; ++p)
        t->addField(QStringLiteral("_Partizione%1").arg(p), FieldType::Boolean);
    for (const char* name : {"_Tempo", "_Codice", "_Zona", "_Uscita", "_Telefono", "_Nota"})
        t->addField(QString::fromLatin1(name), FieldType::String, 20);
    t->open();
    for (int r = 1; r <= kRows; ++r) {
        t->append();
        t->field(0).setAsInteger(r);
        t->field(1).setAsString(QStringLiteral("Ingresso %1").arg(r));
        t->field(2).setAsBoolean(r % 5 != 0);
        t->field(3).setAsString(r % 2 ? QStringLiteral("Istantaneo") : QStringLiteral("Ritardato"));
        t->field(4).setAsString(QStringLiteral("PORTA"));
        t->field(5).setAsString(QStringLiteral("%1:30").arg(r % 24, 2, 10, QLatin1Char('0')));
        for (int p = 1; p <= 8; ++p)
            t->field(5 + p).setAsBoolean((r + p) % 3 == 0);
        for (int f = 14; f < 20; ++f)
            t->field(f).setAsString(QStringLiteral("Valore %1.%2").arg(r).arg(f));
        t->post();
    }
    t->first();
    return t;
}

// A key typed into the grid's open editor as the platform delivers it: press and release to the
// focus widget. Letters and Backspace take turns so the name keeps its length.
void typeOneKey(DBGrid& grid, int i) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        focus = grid.inplaceEditor();
    const bool letter = i % 2 == 0;
    const int key = letter ? Qt::Key_A + i % 26 : Qt::Key_Backspace;
    const QString text = letter ? QString(QChar(u'a' + i % 26)) : QStringLiteral("\b");
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(focus, &press);
    QApplication::sendEvent(focus, &release);
}

void paintCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol, DBGridColumn& column,
               GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    const Field* f = column.field();
    if (f->dataType() == FieldType::Boolean) {
        DrawCheckBoxes(grid, p, rect, column, dataCol == 2 || grid.paintedBoolean(grid.column(2)));
    } else if (dataCol == 3 || dataCol == 4) {
        drawFrameControl(p, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        p.setPen(Qt::black);
        grid.textOut(p, rect.left() + 5, rect.top() + 2, grid.paintedText(column));
    }
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    BenchApplication app(argc, argv, 200);
    const int repeats = app.repeats;

    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(13);
    QApplication::setFont(font);

    auto table = makeTable();
    DataSource source(table.get());
    DBGrid grid;
    grid.setDataSource(&source);
    grid.setDefaultDrawing(false);
    grid.setOptions(grid.options() | GridOption::AlwaysShowSelection);
    for (int c = 0; c < table->fieldCount(); ++c)
        grid.addColumn(table->field(c).fieldName(), QString(), c >= 6 && c < 14 ? 26 : 70);
    grid.onDrawColumnCell = paintCell;
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    int width = grid.indicatorWidth() + 1 + 2 * grid.frameWidth();
    for (int c = 0; c < grid.columnCount(); ++c)
        width += grid.column(c).width() + 1;
    const int fullHeight =
        grid.titleRowHeight() + 1 + kRows * (grid.defaultRowHeight() + 1) + 2 * grid.frameWidth();

    // Never shown: a window taller than the offscreen screen would be cut to it. Rendering the
    // whole grid once delivers the pending resize to the grid and its viewport.
    grid.resize(width, fullHeight);
    QImage whole(grid.size(), QImage::Format_ARGB32_Premultiplied);
    grid.render(&whole);
    std::printf("cells painted per repaint: %d rows x %d columns\n", grid.visibleRowCount(),
                grid.columnCount());
    std::printf("full grid  (%dx%d): %.3f ms at 1x, %.3f ms at 2x (average of %d)\n",
                grid.viewport()->width(), grid.viewport()->height(),
                averageRenderMs(*grid.viewport(), repeats, 1.0),
                averageRenderMs(*grid.viewport(), repeats, 2.0), repeats);

    grid.resize(width, 520);
    grid.render(&whole);
    std::printf("page grid  (%dx%d, %d rows shown): %.3f ms at 1x, %.3f ms at 2x\n", grid.viewport()->width(),
                grid.viewport()->height(), grid.visibleRowCount(),
                averageRenderMs(*grid.viewport(), repeats, 1.0),
                averageRenderMs(*grid.viewport(), repeats, 2.0));

    // The editor of a name cell, open as a second click leaves it. Each round types one key; the
    // first figure lets the window paint what the key made dirty (as the event loop does after
    // each key), the others paint every cell of the grid, with the editor over its cell, after
    // every key: the most a key could cost.
    grid.setOptions(grid.options() | GridOption::Editing);
    grid.show();
    QApplication::setActiveWindow(&grid);
    grid.setSelectedIndex(1);
    if (!grid.showEditor()) {
        std::printf("typing: the in-place editor did not open\n");
        return 1;
    }
    PaintCounter editorPaints(grid.inplaceEditor());
    PaintCounter viewportPaints(grid.viewport());
    int typed = 0;
    const auto oneKey = [&] { typeOneKey(grid, typed++); };
    const auto keyAndPaint = [&] {
        oneKey();
        QApplication::processEvents();
    };
    for (int i = 0; i < 5; ++i)
        keyAndPaint();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repeats; ++i)
        keyAndPaint();
    std::printf("one key typed into the open editor, what it made dirty painted: %.3f ms "
                "(%d paints of the editor, %d of the grid's cells, in %d keys)\n",
                double(timer.nsecsElapsed()) / 1e6 / repeats, editorPaints.count, viewportPaints.count,
                repeats + 5);
    std::printf("one key typed into the open editor, every cell repainted: %.3f ms at 1x, %.3f ms at 2x\n",
                averageRenderMs(*grid.viewport(), repeats, 1.0, oneKey),
                averageRenderMs(*grid.viewport(), repeats, 2.0, oneKey));
    return 0;
}
