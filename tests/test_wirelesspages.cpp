// The radio pages in the real main window over the program's data module: the tabs and grids
// of every model, the kinds' row filters, choosing a device type (defaults, name, option panel,
// the status frame's name slot), channel associations kept by the input's number through a
// rename and a save and reload, the level texts and the level bars' look under either kind of
// style, a 400-range row written when its number or name cell is entered, the type cell's button
// and a refused radio code told once.

#include "model/dimensions.h"
#include "model/lang.h"
#include "model_fixture.h"
#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "transfer/transferflags.h"
#include "ui/pages/page_test.h"
#include "ui/pages/page_wireless.h"
#include "ui/pages/wirelesscells.h"
#include "ui/radiochannels.h"
#include "ui/statusframe.h"

#include <QGroupBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleFactory>

namespace {
QList<int> ids(DataSet* t) {
    QList<int> list;
    for (int r = 1; r <= t->recordCount(); ++r)
        list << at(t, r, "_ID").toInt();
    return list;
}

// The cell (record, data column) of a grid on screen as it is painted now.
QImage cellImage(DBGrid* grid, int recNo, int dataCol) {
    QApplication::processEvents();
    const QRect r =
        grid->cellRect(grid->gridColumnOf(dataCol), recNo - grid->topRecNo() + grid->titleOffset());
    return grid->viewport()->grab(r).toImage();
}

// Blue well above red and green: the chunk of a themed bar in the test platform's palette.
bool bluish(const QColor& c) {
    return c.blue() > c.red() + 60 && c.blue() > c.green() + 20;
}

// Columns of a cell's picture with a pixel darker than `limit`, inside a 3-pixel margin (the
// button's raised border and the focus dots around it).
QList<int> darkColumns(const QImage& img, int limit = 80) {
    QList<int> columns;
    for (int x = 3; x < img.width() - 3; ++x)
        for (int y = 3; y < img.height() - 3; ++y)
            if (qGray(img.pixel(x, y)) < limit) {
                columns << x;
                break;
            }
    return columns;
}
} // namespace

class TestWirelessPages : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<BoxAnswerer> anyBox;
    std::unique_ptr<OpenWindow> window;

    // The real main window with one installation of model `type` open.
    TForm6& open(int type) {
        window = std::make_unique<OpenWindow>(type);
        return *window->form;
    }

    // Shows the 800-range tab `tab` (0 remote controls, 1 sirens, 2 detectors) as a user would.
    static void showKind(TForm6& f, int tab) {
        f.PageControl->setActivePage(f.TabSheet10);
        f.TabSheet10->PageControl1->selectPageByUser(1);
        if (f.TabSheet10->PageControl2->activePageIndex() != tab)
            f.TabSheet10->PageControl2->selectPageByUser(tab);
        else
            f.TabSheet10->reapplyDeviceFilter();
    }

    // Clicks "TIPO" of the current 800-range row and chooses `type` in the editor that shows.
    static void chooseType(DBGrid* grid, DBComboBox* combo, const QString& type) {
        grid->setSelectedIndex(3);
        Q_EMIT grid->cellClicked(3);
        QVERIFY2(!combo->isHidden(), "a click in TIPO shows the type editor");
        const int index = combo->findText(type);
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }

private slots:
    void init() {
        anyBox = std::make_unique<BoxAnswerer>();
        TForm6::setProcessExit([](int) {});
    }
    void cleanup() {
        const QStringList boxes = closeWindowAndBoxes(window, anyBox);
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(QLatin1Char('|'))));
    }

    void everyModelShowsBothRanges_data() { OpenWindow::addModelRows("eightPartitions"); }
    void everyModelShowsBothRanges() {
        QFETCH(int, type);
        QFETCH(bool, eightPartitions);
        TForm6& f = open(type);
        TPageWireless* page = f.TabSheet10;
        QCOMPARE(page->PageControl1->count(), 2);
        for (QGroupBox* box : page->GroupBoxParzWireless)
            QCOMPARE(!box->isHidden(), eightPartitions);
        showKind(f, 2);
        QCOMPARE(DM->CDSet_DeviceRadio800->recordCount(), 64);
    }

    void eachKindShowsItsRows() {
        TForm6& f = open(3);
        DataSet* t = DM->CDSet_DeviceRadio800;
        showKind(f, 1);
        QCOMPARE(ids(t), (QList<int>{21, 22, 23, 24, 77, 78, 79, 80}));
        showKind(f, 0);
        QCOMPARE(t->recordCount(), 40);
        QCOMPARE(ids(t).first(), 1);
        QCOMPARE(ids(t).last(), 76);
        showKind(f, 2);
        QCOMPARE(t->recordCount(), 64);
        // A job walks the whole table unfiltered: nothing filters it meanwhile, and the job's
        // ending (the window's page change handler) filters it again.
        t->setFiltered(false);
        StateTrasfert = 1;
        f.TabSheet10->reapplyDeviceFilter();
        f.TabSheet10->PageControl2->selectPageByUser(1);
        QCOMPARE(t->recordCount(), 112);
        StateTrasfert = 0;
        f.PageControlChange();
        QCOMPARE(t->recordCount(), 8);
    }

    // Choosing a type names the device, writes its kind's defaults and brings its options to
    // the front; the status frame learns the name. Options the user set later stay through
    // repaints and moves; only another type choice replaces them. No type resets the row.
    void choosingATypeWritesItsDefaultsOnce() {
        TForm6& f = open(6);
        f.resize(1124, 740);
        f.show();
        TPageWireless* page = f.TabSheet10;
        DataSet* t = DM->CDSet_DeviceRadio800;
        showKind(f, 2);
        QVERIFY(t->locate(QStringLiteral("_ID"), 30));
        chooseType(page->DBGrid48, page->DBComboBoxWireless800_Device, QStringLiteral("VIRNA800"));
        QCOMPARE(t->fieldByName("_Tipo").asInteger(), 3);
        QCOMPARE(t->fieldByName("_Nome").asString(), QStringLiteral("VIRNA800 D.30"));
        QCOMPARE(t->fieldByName("_ID_Radio").asString(), QStringLiteral("0000000000"));
        QCOMPARE(t->fieldByName("_Batt").asInteger(), 14);
        QCOMPARE(t->fieldByName("_Segnale").asInteger(), 14);
        QCOMPARE(page->OptionPanels->currentWidget(), page->Panel_VIRNA);
        QCOMPARE(page->GroupBox17->title(), QStringLiteral("VIRNA800 D.30  30"));
        QCOMPARE(f.TabSheet8->Pannello1121->TEXT_DEVICE[5], QStringLiteral("VIRNA800 D.30"));

        // The user's options survive repaints and moving away and back.
        writeRow(t, t->recNo(), "_RemCrt_Sensibility", 2);
        writeRow(t, t->recNo(), "_RemCrt_TestMode", false);
        const int recNo = t->recNo();
        page->DBGrid48->grab();
        t->first();
        page->DBGrid48->grab();
        t->setRecNo(recNo);
        QCOMPARE(t->fieldByName("_RemCrt_Sensibility").asInteger(), 2);
        QVERIFY(!t->fieldByName("_RemCrt_TestMode").asBoolean());

        // A new type: its defaults again.
        chooseType(page->DBGrid48, page->DBComboBoxWireless800_Device, QStringLiteral("TORVO800"));
        QCOMPARE(t->fieldByName("_Tipo").asInteger(), 6);
        QCOMPARE(t->fieldByName("_RemCrt_Sensibility").asInteger(), 0);
        QVERIFY(t->fieldByName("_RemCrt_TestMode").asBoolean());
        QCOMPARE(page->OptionPanels->currentWidget(), page->Panel_TORVO800);

        // No type: the row is reset.
        chooseType(page->DBGrid48, page->DBComboBoxWireless800_Device, QString());
        QCOMPARE(t->fieldByName("_Tipo").asInteger(), 0);
        QCOMPARE(t->fieldByName("_Nome").asString(), QString());
        QCOMPARE(t->fieldByName("_NomeDevice").asString(), QString());
        QCOMPARE(t->fieldByName("_Batt").asInteger(), 14);
        QCOMPARE(page->OptionPanels->currentWidget(), page->Panel_Blank);
        f.hide();
    }

    void eachKindHasItsTypes_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("panel");
        QTest::newRow("remote") << 0 << 60 << "BOLDO800" << 4 << "Panel_BOLDO";
        QTest::newRow("siren") << 1 << 77 << "LIRNO800" << 8 << "Panel_LIRNO";
        QTest::newRow("ULMO") << 2 << 25 << "ULMO800" << 1 << "Panel_ULMO";
        QTest::newRow("VIRNA800T") << 2 << 112 << "VIRNA800T" << 5 << "Panel_VIRNAT";
        QTest::newRow("RUSTA") << 2 << 81 << "RUSTA800" << 7 << "Panel_RUSTA";
        QTest::newRow("PALVO") << 2 << 40 << "PALVO800" << 9 << "Panel_PALVO";
    }
    void eachKindHasItsTypes() {
        QFETCH(int, tab);
        QFETCH(int, device);
        QFETCH(QString, type);
        QFETCH(int, tipo);
        QFETCH(QString, panel);
        TForm6& f = open(1);
        TPageWireless* page = f.TabSheet10;
        DBComboBox* combos[] = {page->DBComboBoxWireless800_Telecomandi, page->DBComboBoxWireless800_Sirene,
                                page->DBComboBoxWireless800_Device};
        DBGrid* grids[] = {page->DBGrid9, page->DBGrid47, page->DBGrid48};
        DataSet* t = DM->CDSet_DeviceRadio800;
        showKind(f, tab);
        QVERIFY(t->locate(QStringLiteral("_ID"), device));
        writeRow(t, t->recNo(), "_RemCrt_Switch", 17);
        chooseType(grids[tab], combos[tab], type);
        QCOMPARE(t->fieldByName("_Tipo").asInteger(), tipo);
        QCOMPARE(t->fieldByName("_ID").asInteger(), device); // never renumbered by its filtered place
        QCOMPARE(t->fieldByName("_RemCrt_Switch").asInteger(), 5);
        QCOMPARE(page->OptionPanels->currentWidget()->objectName(), panel);
        QCOMPARE(TPageWireless::GetIdxDev800(type), tipo);
    }

    // Two radio inputs share a name: the channel keeps the number of the one chosen, through a
    // rename of that input and a save and reload of the register.
    void channelAssociationsKeepTheInput() {
        TForm6& f = open(4);
        DataSet* inputs = DM->CDSet_Ingressi;
        for (int n : {3, 5}) {
            writeRow(inputs, n, "_Nome", QStringLiteral("FINESTRA"));
            writeRow(inputs, n, "_TipoIngresso", Lang::WiringRadio());
        }
        DataSet* devices = DM->CDSet_DeviceRadio;
        writeRow(devices, 2, "_Tipo", 1);                             // a three-channel device
        ChannelEditor* editor = f.TabSheet10->DBLookupComboBox1_5[1]; // channel 2
        editor->fillList();
        QCOMPARE(editor->count(), 3); // "no input", input 3, input 5
        QCOMPARE(editor->itemText(2), QStringLiteral("FINESTRA (Contatto esterno)"));
        QVERIFY(editor->choose(2));
        QCOMPARE(at(devices, 2, "_In2").toInt(), 5);
        QCOMPARE(at(devices, 2, "_Input2").toString(), QStringLiteral("FINESTRA (Contatto esterno)"));

        writeRow(inputs, 5, "_Nome", QStringLiteral("BASCULANTE"));
        QCOMPARE(at(devices, 2, "_In2").toInt(), 5);
        QCOMPARE(RadioChannels::associationText(*inputs, RadioChannels::Range::R400, 1, 2, 5, QString()),
                 QStringLiteral("BASCULANTE (Contatto esterno)"));
        editor->fillList();
        QCOMPARE(editor->currentIndex(), 2);
        window->reopenFromFile();
        QCOMPARE(at(DM->CDSet_DeviceRadio, 2, "_In2").toInt(), 5);
        QCOMPARE(at(DM->CDSet_Ingressi, 5, "_Nome").toString(), QStringLiteral("BASCULANTE"));
    }

    // A typed device's name is typed in place; its channel cells open an editor only for the
    // channels its type has; a device of no type has neither.
    void whatA400DeviceLetsTheUserEdit() {
        TForm6& f = open(5);
        TPageWireless* page = f.TabSheet10;
        DBGrid* grid = page->DBGrid46;
        DataSet* devices = DM->CDSet_DeviceRadio;
        writeRow(devices, 3, "_Tipo", 2); // channels 1 and 2
        f.PageControl->setActivePage(page);
        page->PageControl1->selectPageByUser(0);
        RealKeys::activate(&f);
        const struct {
            int recNo;
            int column;
            bool editing;
            int editorShown; // channel whose editor a click shows, 0 none
        } cases[] = {{3, 2, true, 0},  {3, 7, false, 1}, {3, 8, false, 2},
                     {3, 9, false, 0}, {4, 2, false, 0}, {4, 7, false, 0}};
        for (const auto& c : cases) {
            OpenWindow::click(grid, c.recNo, c.column);
            QCOMPARE(grid->hasOption(GridOption::Editing), c.editing);
            for (int k = 1; k <= 5; ++k) {
                ChannelEditor* e = page->DBLookupComboBox1_5[size_t(k - 1)];
                QCOMPARE(!e->isHidden(), k == c.editorShown);
                e->hidePopup();
            }
        }
    }

    // A name typed and written stays pending while the cursor is in its row; entering the
    // number cell writes the row with its position as its number, and entering the name cell
    // again writes the row too.
    void a400RowIsWrittenOnEnteringItsNumberOrName() {
        TForm6& f = open(5);
        TPageWireless* page = f.TabSheet10;
        DBGrid* grid = page->DBGrid46;
        DataSet* devices = DM->CDSet_DeviceRadio;
        writeRow(devices, 3, "_Tipo", 2);
        writeRow(devices, 3, "_ID", 40); // a number the row lost
        f.PageControl->setActivePage(page);
        page->PageControl1->selectPageByUser(0);
        RealKeys::activate(&f);

        RealKeys::openByClicks(grid, 3, 2);
        RealKeys::type("PORTA{Ret}");
        QCOMPARE(devices->state(), DataSetState::Edit);
        OpenWindow::click(grid, 3, 0);
        QCOMPARE(devices->state(), DataSetState::Browse);
        QCOMPARE(at(devices, 3, "_ID").toInt(), 3);
        QCOMPARE(at(devices, 3, "_Nome").toString(), QStringLiteral("PORTA"));

        RealKeys::openByClicks(grid, 3, 2);
        RealKeys::type("CANCELLO{Ret}{Right}");
        QCOMPARE(grid->selectedIndex(), 3);
        QCOMPARE(devices->state(), DataSetState::Edit); // TIPO writes nothing
        RealKeys::type("{Left}");
        QCOMPARE(devices->state(), DataSetState::Browse);
        QCOMPARE(at(devices, 3, "_Nome").toString(), QStringLiteral("CANCELLO"));
    }

    // The level bars follow the application's style: the flat grey track and light-blue fill
    // under the classic "Windows" style, the style's own groove and chunk (2 pixels inside the
    // track) under a themed one.
    void levelBarsFollowTheStyle() {
        const QString styleBefore = QApplication::style()->name();
        const auto restore = qScopeGuard([&] { QApplication::setStyle(QStyleFactory::create(styleBefore)); });
        TForm6& f = open(1);
        writeRow(DM->CDSet_DeviceRadio, 1, "_Tipo", 1);
        writeRow(DM->CDSet_DeviceRadio, 1, "_Batt", 4); // 50 %
        TPageWireless* page = f.TabSheet10;
        f.PageControl->setActivePage(page);
        page->PageControl1->selectPageByUser(0);
        RealKeys::activate(&f);
        const QColor track(0xEB, 0xEB, 0xEB), fill(132, 193, 255);

        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
        QImage cell = cellImage(page->DBGrid46, 1, 4);
        const int mid = cell.height() / 2;
        QCOMPARE(cell.pixelColor(2, mid), fill);
        QCOMPARE(cell.pixelColor(cell.width() - 3, mid), track);

        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        cell = cellImage(page->DBGrid46, 1, 4);
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                QVERIFY(cell.pixelColor(x, y) != fill && cell.pixelColor(x, y) != track);
        QVERIFY(bluish(cell.pixelColor(6, mid)));  // the chunk
        QVERIFY(!bluish(cell.pixelColor(2, mid))); // the track's 2 pixels left of it
        QVERIFY(!bluish(cell.pixelColor(10, 2)));  // and above it
        QVERIFY(!bluish(cell.pixelColor(cell.width() - 4, mid)));
    }

    // "TIPO" is one scroll-right button over the whole cell, its arrow in the middle; the
    // longest type name ends left of the arrow.
    void theTypeCellIsOneScrollButton() {
        TForm6& f = open(3);
        TPageWireless* page = f.TabSheet10;
        DataSet* t = DM->CDSet_DeviceRadio800;
        showKind(f, 2);
        writeRow(t, 2, "_NomeDevice", QStringLiteral("VIRNA800T"));
        writeRow(t, 2, "_Tipo", 5);
        RealKeys::activate(&f);
        const QImage empty = cellImage(page->DBGrid48, 1, 3);
        const QImage named = cellImage(page->DBGrid48, 2, 3);
        const QList<int> arrow = darkColumns(empty);
        QVERIFY(!arrow.isEmpty());
        QVERIFY(arrow.first() >= empty.width() / 2 - 5 && arrow.last() <= empty.width() / 2 + 5);
        QCOMPARE(empty.pixelColor(empty.width() / 4, empty.height() / 2), sysColor(COLOR_BTNFACE));
        QCOMPARE(empty.pixelColor(empty.width() - 6, empty.height() / 2), sysColor(COLOR_BTNFACE));
        const QList<int> ink = darkColumns(named);
        for (int x = arrow.first() - 2; x < arrow.first(); ++x)
            QVERIFY2(!ink.contains(x), "the type name runs into the arrow");
        QVERIFY(ink.first() < arrow.first() - 20); // the name is there
    }

    // The sensors' grid of a ZOREM shown, its first row (device 25) a ULMO800, the window active.
    TPageWireless* firstSensorTyped() {
        TForm6& f = open(3);
        showKind(f, 2);
        DataSet* t = DM->CDSet_DeviceRadio800;
        writeRow(t, 1, "_NomeDevice", QStringLiteral("ULMO800"));
        writeRow(t, 1, "_Tipo", 1);
        RealKeys::activate(&f);
        return f.TabSheet10;
    }

    // A radio code too short for its mask is refused with one box, however the user tries to
    // leave it; a changed code is judged afresh.
    void aRefusedCodeIsToldOnce() {
        TPageWireless* page = firstSensorTyped();
        DataSet* t = DM->CDSet_DeviceRadio800;
        RealKeys::openByClicks(page->DBGrid48, 1, 4);
        RealKeys::type("12{Ret}");
        QCOMPARE(window->boxes.count(), 1);
        RealKeys::type("{Down}");
        QCOMPARE(window->boxes.count(), 1);
        QCOMPARE(t->recNo(), 1); // the cursor stays with the refused code
        QVERIFY(page->DBGrid48->editorMode());
        RealKeys::type("3{Ret}");
        QCOMPARE(window->boxes.count(), 2);
        QCOMPARE(window->boxes.texts().at(0), window->boxes.texts().at(1));
        RealKeys::type("{Esc}{Esc}");
        QCOMPARE(at(t, 1, "_ID_Radio").toString(), QStringLiteral("0000000000"));
        window->boxes.clear();
    }

    // Enter in CODICE writes the typed code and posts the row; with nothing typed it opens no
    // editor.
    void enterOrTheNumberCellWritesTheRow() {
        TPageWireless* page = firstSensorTyped();
        DataSet* t = DM->CDSet_DeviceRadio800;
        RealKeys::openByClicks(page->DBGrid48, 1, 4);
        RealKeys::type("12ab34cd56{Ret}");
        QCOMPARE(t->state(), DataSetState::Browse);
        QVERIFY(!page->DBGrid48->editorMode());
        QCOMPARE(at(t, 1, "_ID_Radio").toString(), QStringLiteral("12AB34CD56"));
        QCOMPARE(t->recNo(), 1);
        RealKeys::type("{Ret}");
        QVERIFY(!page->DBGrid48->editorMode());
        QCOMPARE(t->state(), DataSetState::Browse);
        QCOMPARE(window->boxes.count(), 0);

        // A name typed, then the number cell entered: the row is written, and the device keeps its number
        // (its place among the sensors is 1, its number 25).
        RealKeys::openByClicks(page->DBGrid48, 1, 2);
        RealKeys::type("Porta{Ret}");
        QCOMPARE(t->state(), DataSetState::Edit);
        RealKeys::type("{Left}{Left}");
        QCOMPARE(t->state(), DataSetState::Browse);
        QCOMPARE(at(t, 1, "_Nome").toString(), QStringLiteral("PORTA"));
        QCOMPARE(at(t, 1, "_ID").toInt(), 25);
    }

    void anEditorClosedWithoutAChoiceWritesNothing() {
        TForm6& f = open(2);
        DataSet* devices = DM->CDSet_DeviceRadio;
        writeRow(devices, 1, "_Tipo", 4);
        ChannelEditor* editor = f.TabSheet10->DBLookupComboBox1_5[4];
        editor->show();
        editor->showPopup();
        editor->hidePopup();
        QVERIFY(editor->isHidden());
        QCOMPARE(devices->state(), DataSetState::Browse);
        QCOMPARE(at(devices, 1, "_In5").toInt(), 0);
        QVERIFY(!editor->choose(7)); // no such entry
    }

    // Asked past a type's channels, or for a type no device has, the tables give nothing.
    void channelsPastTheTableAreNone() {
        for (auto r : {RadioChannels::Range::R400, RadioChannels::Range::R800})
            for (int tipo = -1; tipo <= 12; ++tipo) {
                const int n = RadioChannels::channelCount(r, tipo);
                QVERIFY(n >= 0 && n <= 5);
                QVERIFY(!RadioChannels::hasChannel(r, tipo, n + 1));
                QCOMPARE(RadioChannels::channelName(r, tipo, n + 1), QString());
            }
    }

    void levelTexts_data() {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("text");
        QTest::newRow("battery 0") << "battery" << 0 << 10 << " %";
        QTest::newRow("battery 8") << "battery" << 8 << 90 << " %";
        QTest::newRow("battery 9") << "battery" << 9 << 100 << " %";
        QTest::newRow("battery 10") << "battery" << 10 << 100 << " %";
        QTest::newRow("battery 11") << "battery" << 11 << 0 << "Non disponibile %";
        QTest::newRow("battery -1") << "battery" << -1 << 0 << "Non disponibile %";
        QTest::newRow("400 signal 0") << "400" << 0 << 25 << "Scarsa %";
        QTest::newRow("400 signal 3") << "400" << 3 << 100 << "Ottimo %";
        QTest::newRow("400 signal 4") << "400" << 4 << 0 << "Non disponibile %";
        QTest::newRow("800 signal 0") << "800" << 0 << 0 << "Non disponibile %";
        QTest::newRow("800 signal 2") << "800" << 2 << 20 << "Scarsa %";
        QTest::newRow("800 signal 5") << "800" << 5 << 50 << "Sufficiente %";
        QTest::newRow("800 signal 6") << "800" << 6 << 60 << "Buono %";
        QTest::newRow("800 signal 10") << "800" << 10 << 100 << "Ottimo %";
        QTest::newRow("800 signal 14") << "800" << 14 << 0 << "Non disponibile %";
    }
    void levelTexts() {
        QFETCH(QString, scale);
        QFETCH(int, step);
        QFETCH(int, percent);
        QFETCH(QString, text);
        const WirelessCells::Level l = scale == "battery" ? WirelessCells::batteryLevel(step)
                                       : scale == "400"   ? WirelessCells::signal400Level(step)
                                                          : WirelessCells::signal800Level(step);
        QCOMPARE(l.percent, percent);
        QCOMPARE(l.text, text);
    }

    void supervisionTexts() {
        QCOMPARE(WirelessCells::supervisionText(0), QStringLiteral(" Non calcolata"));
        QCOMPARE(WirelessCells::supervisionText(255), QStringLiteral(" Non calcolata"));
        QCOMPARE(WirelessCells::supervisionText(254), QStringLiteral(" Non disponibile"));
        QCOMPARE(WirelessCells::supervisionText(30), QStringLiteral(" 30  Min."));
    }
};

QTEST_MAIN(TestWirelessPages)
#include "test_wirelesspages.moc"
