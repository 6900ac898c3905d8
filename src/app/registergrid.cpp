// The register window's list: its columns, the framed cells, the hovered row with its
// cursors, and the fitting of the column widths to the window.

#include "app/registerwindow.h"

#include "model/datamodule.h"
#include "model/language.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/glyphs.h"
#include "platform/gridpaint.h"

#include <QPainter>

namespace {

struct ColumnDef {
    const char* field;
    const char* title;
    int width;
    bool readOnly;
    bool centred;
};

const ColumnDef kColumns[] = {
    {"_NomeCliente", "Nome Cliente", 148, false, false},
    {"_TelTelegestione", "Telefono Telegestione", 168, true, false},
    {"_PswTeleGestione", "Password", 109, true, false},
    {"_IDCentrale", "Sistema", 104, true, true},
    {"_TipoCentrale", "Modello", 94, true, true},
};

} // namespace

void TForm_Anagrafica::setupGrid() {
    m_hover = std::make_unique<GridMouseTracker>();
    DBGrid1->setOptions(GridOption::Titles | GridOption::Indicator | GridOption::ColumnResize |
                        GridOption::ColLines | GridOption::RowLines | GridOption::Tabs |
                        GridOption::ConfirmDelete | GridOption::CancelOnExit);
    DBGrid1->setColor(GridPalette::color(GridPalette::GridBackground));
    DBGrid1->clearColumns();
    for (const ColumnDef& def : kColumns) {
        DBGridColumn& column =
            DBGrid1->addColumn(QString::fromLatin1(def.field), QString::fromLatin1(def.title), def.width);
        column.readOnly = def.readOnly;
        column.title.alignment = Qt::AlignHCenter;
        if (def.centred)
            column.alignment = Qt::AlignHCenter;
    }

    // Minimum widths live in the fields' tags: the first column is fixed, every other one may
    // shrink to 16 pixels, then the register's own minimums.
    for (int i = 0; i < DBGrid1->columnCount(); ++i) {
        if (Field* field = DBGrid1->column(i).field())
            field->tag = i == 0 ? 0 : 16;
    }
    DataSet* table = DBGrid1->dataSet();
    if (table) {
        const QFontMetrics metrics(font());
        auto setTag = [table](const char* name, int tag) {
            if (Field* field = table->findField(QString::fromLatin1(name)))
                field->tag = tag;
        };
        // The two text columns keep room for their field's display name, and for their
        // title as the grid writes it, whichever is wider.
        const QFontMetrics titleMetrics(DBGrid1->titleFont());
        auto labelWidth = [this, table, &metrics, &titleMetrics](const char* name) {
            Field* field = table->findField(QString::fromLatin1(name));
            DBGridColumn* column = DBGrid1->columnOfField(QString::fromLatin1(name));
            const int label = field ? metrics.horizontalAdvance(field->displayName()) + 4 : 16;
            const int title = column ? titleMetrics.horizontalAdvance(column->titleCaption()) + 8 : 0;
            return qMax(label, title);
        };
        setTag("_NomeCliente", 40);
        setTag("_TelTelegestione", labelWidth("_TelTelegestione"));
        setTag("_PswTeleGestione", labelWidth("_PswTeleGestione"));
        setTag("_IDCentrale", 16);
        // The model column never narrows below its longest label, which it shows in bold.
        QFont bold = DBGrid1->font();
        bold.setBold(true);
        const QFontMetrics boldMetrics(bold);
        int widest = 0;
        for (const QString& label : Language::CSL_MainCentral_Combo)
            widest = qMax(widest, boldMetrics.horizontalAdvance(label) + 10);
        setTag("_TipoCentrale", widest);
        if (DBGridColumn* model = DBGrid1->columnOfField(QStringLiteral("_TipoCentrale")))
            model->setWidth(qMax(model->storedWidth(), widest));
    }

    DBGrid1->onDrawColumnCell = [this](DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                       DBGridColumn& column, GridDrawState state) {
        DBGrid1DrawColumnCell(grid, painter, rect, dataCol, column, int(state));
    };
    DBGrid1->onMouseMove = [this](DBGrid& sender, Qt::KeyboardModifiers shift, int x, int y) {
        DBGridMouseMove(sender, shift, x, y);
    };
    DBGrid1->onDblClick = [this](DBGrid&) { DBGrid1DblClick(); };
    DBGrid1->viewport()->installEventFilter(this);
}

void TForm_Anagrafica::DBGrid1DrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                             DBGridColumn& column, int state) {
    const GridDrawState drawState = GridDrawState::fromInt(state);
    ColoraGriglia(grid, painter, rect, dataCol, column, drawState, registerWindowCellStyle(), m_hover.get());
    if (dataCol == 0 || dataCol == 1)
        return;
    // The model columns are drawn as raised faces carrying their text in bold.
    QFont bold = grid.canvas().font;
    bold.setBold(true);
    drawFrameControl(painter, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const QRect textRect = rect.adjusted(5, 2, 0, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, grid.paintedText(column));
    painter.restore();
}

int TForm_Anagrafica::mouseOverRow() const {
    return m_hover ? m_hover->MouseOverRow() : 0;
}

DBGrid* TForm_Anagrafica::senderMouseMove() const {
    return m_hover ? m_hover->senderMouseMove() : nullptr;
}

void TForm_Anagrafica::DBGridMouseMove(DBGrid& sender, Qt::KeyboardModifiers shift, int x, int y) {
    m_hover->DBGridMouseMove(sender, shift, x, y);
}

void TForm_Anagrafica::SetMouseOverRow(int row) {
    m_hover->SetMouseOverRow(row);
}

// Fitting waits until the grid is on screen: a hidden grid's size is not final yet, and
// fitting to it would first shrink every column to its minimum. A column held at its minimum
// leaves the others too wide by what it could not give up (and the shares' rounding leaves a
// few pixels more); that rest comes off the widest columns still above their minimum, so the
// columns fill the grid without a scroll bar whenever their minimums allow.
void TForm_Anagrafica::FixDBGridColumnsWidth(DBGrid* grid) {
    if (!grid || !grid->isVisible())
        return;
    ::FixDBGridColumnsWidth(grid, FitOption::HideSiblingEditors);

    const int lines = grid->hasOption(GridOption::ColLines) ? 1 : 0;
    int used = grid->indicatorWidth() + (grid->hasOption(GridOption::Indicator) ? lines : 0);
    for (int i = 0; i < grid->columnCount(); ++i) {
        if (grid->column(i).visible())
            used += grid->column(i).width() + lines;
    }
    int over = used - grid->viewport()->width();
    while (over > 0) {
        DBGridColumn* widest = nullptr;
        for (int i = 0; i < grid->columnCount(); ++i) {
            DBGridColumn& column = grid->column(i);
            const Field* field = column.field();
            if (column.visible() && field && field->tag != 0 && column.width() > field->tag &&
                (!widest || column.width() > widest->width()))
                widest = &column;
        }
        if (!widest)
            break;
        widest->setWidth(widest->width() - 1);
        --over;
    }
}
