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

void paintPageCell(DBGrid& grid, QPainter& p, const QRect& rect, int dataCol, DBGridColumn& column,
                   GridDrawState state) {
    ColoraGriglia(grid, p, rect, dataCol, column, state);
    const Field* f = column.field();
    if (f && f->dataType() == FieldType::Boolean) {
        const bool enabled =
            column.fieldName() == "_Enable" || grid.paintedValue(QStringLiteral("_Enable")).toBool();
        DrawCheckBoxes(grid, p, rect, column, enabled);
    } else if (f && (column.fieldName() == "_Tipo" || column.fieldName() == "_Msg1") &&
               !grid.paintedRowSelected()) {
        // The value-cell look: a size-grip face with the text over it.
        drawFrameControl(p, rect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        QFont font = grid.canvas().font;
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::black);
        grid.textOut(p, rect.left() + 5, rect.top() + 2, grid.paintedText(column));
    }
}

struct GalleryPage {
    std::unique_ptr<DataSet> table = makeSampleTable(112, QStringLiteral("CDSet_Ingressi"));
    std::unique_ptr<DataSet> users = makeUserTable();
    DataSource source{table.get()};
    DataSource userSource{users.get()};
    QWidget window;
    DBGrid* grid = new DBGrid(&window);
    GridMouseTracker tracker;

    GalleryPage() {
        // Minimum widths of the columns that take the free width; the others keep theirs.
        for (auto [name, tag] :
             {std::pair{"_Nome", 70}, {"_Tipo", 100}, {"_Msg1", 80}, {"_Utente", 96}, {"_Nota", 80}})
            table->fieldByName(QString::fromLatin1(name)).tag = tag;
        QFont font;
        font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
        font.setPixelSize(13);
        window.setFont(font);
        window.resize(1180, 640);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid, 1);
        layout->addWidget(buildControls());
        buildGrid();
    }

    void buildGrid() {
        grid->setDataSource(&source);
        grid->setOptions(grid->options() | GridOption::MultiSelect | GridOption::AlwaysShowSelection);
        grid->setDefaultDrawing(false);
        QList<std::tuple<QString, QString, int>> cols = {{"_ID", "N.", 34},          {"_Nome", "Nome", 110},
                                                         {"_Enable", "Abil.", 38},   {"_Tipo", "Tipo", 120},
                                                         {"_Msg1", "Messaggio", 96}, {"_Ora", "Ora", 48}};
        for (int p = 1; p <= 8; ++p)
            cols.append({QStringLiteral("_Partizione%1").arg(p), QStringLiteral("P%1").arg(p), 26});
        cols += {{"_Tempo", "Tempo", 46}, {"_Codice", "Codice", 60}, {"_Lunghezza", "Lung.", 42},
                 {"_Stato", "Stato", 42}, {"_Utente", "Utente", 96}, {"_Nota", "Nota", 120}};
        for (const auto& [field, title, width] : cols) {
            DBGridColumn& column = grid->addColumn(field, title, width);
            column.title.alignment = Qt::AlignHCenter;
            if (column.field()->dataType() == FieldType::Boolean || field == "_ID")
                column.alignment = Qt::AlignHCenter;
        }
        grid->column(0).readOnly = true;
        grid->onDrawColumnCell = paintPageCell;
        grid->onTitleClick = DBGridTitleClick;
        tracker.attach(*grid);
    }

    QWidget* buildControls() {
        auto* controls = new QGroupBox(QStringLiteral("Ingresso selezionato"));
        auto* row = new QGridLayout(controls);
        auto bind = [&](auto* control, const char* field, int r, int c, int rows = 1) {
            control->setDataSource(&source);
            control->setDataField(QString::fromLatin1(field));
            row->addWidget(control, r, c, rows, 1);
            return control;
        };
        auto label = [&](const char* text, int r, int c) {
            row->addWidget(new QLabel(QString::fromLatin1(text)), r, c);
        };
        label("Nome", 0, 0);
        bind(new DBEdit, "_Nome", 0, 1);
        label("Ora", 0, 2);
        bind(new DBEdit, "_Ora", 0, 3);
        bind(new DBCheckBox(QStringLiteral("Abilitato")), "_Enable", 0, 4);
        bind(new DBCheckBox, "_Stato", 0, 5)->setKind(DBCheckBox::Kind::OnOff);
        label("Tipo", 1, 0);
        bind(new DBComboBox, "_Tipo", 1, 1)
            ->setItems({"Istantaneo", "Ritardato", "24 ore", "Incendio", "Non Configurato"});
        label("Utente", 1, 2);
        listNames(bind(new DBLookupComboBox, "_Utente", 1, 3), &userSource);
        auto* radio = bind(new DBRadioGroup(QStringLiteral("LUNGHEZZA CODICI")), "_Lunghezza", 0, 6, 2);
        radio->setItems({QStringLiteral("xxxxxx"), QStringLiteral("xxxx")});
        radio->setValues({QStringLiteral("0"), QStringLiteral("1")});
        radio->setColumns(2);
        bind(new DBMemo, "_Nota", 0, 7, 2)->setFixedHeight(54);
        return controls;
    }
};

} // namespace

class GalleryTest : public QObject {
    Q_OBJECT
private slots:
    void savesScreenshotsAtOneAndTwoTimes() {
        GalleryPage page;
        page.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.window));
        DBGrid& grid = *page.grid;
        FixDBGridColumnsWidth(&grid);

        // A current row in the middle, two marked rows and one row with its check boxes off.
        for (int rec : {3, 4}) {
            grid.moveToRecNo(rec);
            grid.setCurrentRowSelected(true);
        }
        grid.moveToRecNo(7);
        grid.setSelectedIndex(1);
        grid.setFocus();
        QCoreApplication::processEvents();

        for (qreal ratio : {1.0, 2.0}) {
            const QImage shot = renderWidget(page.window, ratio);
            QCOMPARE(shot.width(), int(page.window.width() * ratio));
            const QString path =
                QCoreApplication::applicationDirPath() + QStringLiteral("/gallery_%1x.png").arg(int(ratio));
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
