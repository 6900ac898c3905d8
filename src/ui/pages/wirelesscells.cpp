#include "ui/pages/wirelesscells.h"

#include "platform/colors.h"
#include "platform/glyphs.h"
#include "platform/levelbar.h"
#include "ui/pages/cellfaces.h"

#include <QPainter>
#include <QVBoxLayout>

namespace WirelessCells {

namespace {
const QString kNotAvailable = QStringLiteral("Non disponibile %");

// `text` at (5, 2) in the cell's font and colour.
void canvasText(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text) {
    p.save();
    p.setFont(grid.canvas().font);
    p.setPen(grid.canvas().fontColor);
    CellFaces::cellText(grid, p, rect, text);
    p.restore();
}
} // namespace

Level batteryLevel(int step) {
    if (step >= 0 && step <= 8)
        return {(step + 1) * 10, QStringLiteral(" %")};
    if (step == 9 || step == 10)
        return {100, QStringLiteral(" %")};
    return {0, kNotAvailable};
}

Level signal400Level(int step) {
    switch (step) {
    case 0:
        return {25, QStringLiteral("Scarsa %")};
    case 1:
        return {50, QStringLiteral("Sufficiente %")};
    case 2:
        return {75, QStringLiteral("Buono %")};
    case 3:
        return {100, QStringLiteral("Ottimo %")};
    default:
        return {0, kNotAvailable};
    }
}

Level signal800Level(int step) {
    if (step < 1 || step > 10)
        return {0, kNotAvailable};
    static const char* const words[] = {"Scarsa %", "Sufficiente %", "Buono %", "Ottimo %"};
    const int word = step <= 2 ? 0 : step <= 5 ? 1 : step <= 8 ? 2 : 3;
    return {step * 10, QString::fromLatin1(words[word])};
}

QString supervisionText(int minutes) {
    if (minutes == 0 || minutes == 255)
        return QStringLiteral(" Non calcolata");
    if (minutes == 254)
        return QStringLiteral(" Non disponibile");
    return QStringLiteral(" %1  Min.").arg(minutes);
}

DBGrid* makeGrid(const QString& name, QWidget* sheet, DataSource* source,
                 std::initializer_list<ColumnDef> columns, int channels, int channelWidth, bool centred) {
    auto* lay = new QVBoxLayout(sheet);
    lay->setContentsMargins(2, 2, 2, 2);
    auto* grid = new DBGrid(sheet);
    grid->setObjectName(name);
    grid->setMinimumWidth(40);
    lay->addWidget(grid);
    QFont f;
    f.setFamilies(
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(13);
    grid->setFont(f);
    grid->setTitleFont(f); // made bold by the window with every grid's titles
    grid->setOptions(GridOption::Titles | GridOption::ColumnResize | GridOption::ColLines |
                     GridOption::RowLines | GridOption::Tabs | GridOption::ConfirmDelete |
                     GridOption::CancelOnExit);
    if (source)
        grid->setDataSource(source);
    for (const ColumnDef& c : columns)
        grid->addColumn(QString::fromLatin1(c.field), QString::fromUtf8(c.title), c.width).readOnly =
            c.readOnly;
    for (int k = 1; k <= channels; ++k)
        grid->addColumn(QStringLiteral("_Input%1").arg(k), QStringLiteral("ASSOCIAZIONE"), channelWidth);
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->column(c).title.alignment = Qt::AlignHCenter;
        if (centred)
            grid->column(c).alignment = Qt::AlignHCenter;
    }
    CellFaces::widenToTitles(*grid);
    CellFaces::fitWhenShown(*grid);
    return grid;
}

void valueCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text) {
    CellFaces::markCell(p, rect);
    QFont f = grid.canvas().font;
    f.setBold(true);
    p.save();
    p.setFont(f);
    p.setPen(Qt::black);
    CellFaces::cellText(grid, p, rect, text);
    p.restore();
    drawFocusRect(p, rect);
}

void expanderCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text, bool firstHalf) {
    p.fillRect(rect, sysColor(firstHalf ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION));
    canvasText(grid, p, rect, text);
}

void textCell(DBGrid& grid, QPainter& p, const QRect& rect, const QString& text) {
    p.fillRect(rect, grid.canvas().brush);
    canvasText(grid, p, rect, text);
}

void levelCell(DBGrid& grid, QPainter& p, const QRect& rect, const Level& level) {
    p.fillRect(rect, grid.canvas().brush);
    DrawStatus(p, rect, grid.font(), level.text, level.percent);
}

void crossCell(DBGrid& grid, QPainter& p, const QRect& rect, const QColor& brush) {
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    p.fillRect(inner, brush.isValid() ? brush : grid.canvas().brush);
    drawFrameControl(p, inner, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_MONO);
}

} // namespace WirelessCells
