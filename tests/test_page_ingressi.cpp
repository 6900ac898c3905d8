// The inputs page in the real main window over the real data module: per-model columns, icons,
// bands and wiring pictures, the check-box clicks by model, the phone titles, the editors laid
// over the page's grids, a choice saved to the register file, and what its painter shows.

#include "model/dimensions.h"
#include "model/lang.h"
#include "model_fixture.h"
#include "platform/colors.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "ui/celleditors.h"
#include "ui/imagelist.h"
#include "ui/pages/page_ingressi.h"
#include "ui/pages/wiringpicture.h"

#include <QGroupBox>
#include <QLabel>
#include <QSet>

namespace {

const QString kTipo = QStringLiteral("_TipoIngresso");

} // namespace

class InputsPageTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<BoxAnswerer> anyBox;
    std::unique_ptr<OpenWindow> window;
    TForm6* form = nullptr;
    TPageIngressi* page = nullptr;

    // The real main window with one installation of `type` open on the inputs page.
    void open(int type) {
        window = std::make_unique<OpenWindow>(type);
        form = window->form.get();
        page = form->TabSheet1;
        form->PageControl->selectPageByUser(1);
    }
    DataSet& inputs() { return *DM->CDSet_Ingressi; }

private slots:
    void init() {
        anyBox = std::make_unique<BoxAnswerer>();
        TForm6::setProcessExit([](int) {});
    }
    void cleanup() {
        const QStringList boxes = closeWindowAndBoxes(window, anyBox);
        form = nullptr;
        page = nullptr;
        QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join(QLatin1Char('|'))));
    }

    void everyModelShowsItsColumnsIconsAndPicture_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("siren");           // _AttSirIngresso column
        QTest::addColumn<bool>("eightPartitions"); // _Pz5.._Pz8 columns
        for (int t = 1; t <= 6; ++t)
            QTest::newRow(qPrintable(Lang::CSL_MainCentral_Combo.at(t)))
                << t << (t != 1) << (t == 3 || t == 6);
    }
    void everyModelShowsItsColumnsIconsAndPicture() {
        QFETCH(int, type);
        QFETCH(bool, siren);
        QFETCH(bool, eightPartitions);
        open(type);
        QCOMPARE(page->DBGrid15->columnOfField(QStringLiteral("_AttSirIngresso"))->visible(), siren);
        QCOMPARE(page->DBGrid26->columnOfField(QStringLiteral("_Pz5"))->visible(), eightPartitions);
        QCOMPARE(page->DBGrid26->columnOfField(QStringLiteral("_Pz8"))->visible(), eightPartitions);
        QVERIFY(!page->GroupBox70->isHidden());

        // Icons: onboard, then the inputs of the first expander, radio and keypad terminals first.
        QCOMPARE(TPageIngressi::inputIcon(1), Img2::InputOnboard);
        const int firstExpanderInput = C_NUM_INPUTS_ONBOARD + 1;
        writeRow(*DM->CDSet_ExpIngressi, 1, QStringLiteral("_Enable"), true);
        QCOMPARE(TPageIngressi::inputIcon(firstExpanderInput), Img2::ExpanderEnabled);
        writeRow(*DM->CDSet_ExpIngressi, 1, QStringLiteral("_Enable"), false);
        QCOMPARE(TPageIngressi::inputIcon(firstExpanderInput), Img2::Warning);
        QCOMPARE(TPageIngressi::inputIcon(C_NUM_INPUTS_ONBOARD + 8 * C_NUM_EXPIN + 1), Img2::Warning);
        writeRow(inputs(), 2, kTipo, Lang::WiringRadio());
        QCOMPARE(TPageIngressi::inputIcon(2), Img2::Radio);
        writeRow(*DM->CDSet_Tastiere, 2, QStringLiteral("_M1"), at(inputs(), 40, "_Nome"));
        QCOMPARE(TPageIngressi::inputIcon(40), Img2::KeypadTerminal);

        // The picture follows the current input, whichever way its wiring changes.
        const QStringList& wirings = Lang::ListaTipoIngresso_TAVEK_MIRUN;
        for (int t : {0, 1, 5, 12, 22, 3}) {
            writeRow(inputs(), 2, kTipo, wirings.at(t));
            QCOMPARE(page->Image3->picture(), t);
        }
        QVERIFY(page->GroupBox70->title().startsWith(at(inputs(), 2, "_Nome").toString()));
        page->PageControl_Ingressi->setActivePage(page->TabSheetIngFunzioni);
        QCoreApplication::processEvents();
    }

    void terminalLabelsAndBandsShowSharedTerminals() {
        open(2); // MIRUN: eight onboard inputs, two expanders
        const QString twoZones = Lang::ListaTipoIngresso_TAVEK_MIRUN.at(16);
        writeRow(inputs(), 9, kTipo, twoZones);
        QCOMPARE(page->Image3->picture(), 16);
        QCOMPARE(page->Label_Z->text(), QStringLiteral("Z1"));
        QCOMPARE(page->Label_Z1->text(), QStringLiteral("Z1"));
        QCOMPARE(page->Label_Z2->text(), QStringLiteral("Z9"));
        QVERIFY(page->Label_Z3->isHidden());
        const QColor cyan = colorFromTColor(16777166);
        QCOMPARE(TPageIngressi::wiringBand(9), cyan);
        writeRow(inputs(), 1, kTipo, twoZones);
        writeRow(inputs(), 17, kTipo, twoZones);
        QCOMPARE(TPageIngressi::wiringBand(1), cyan);
        QCOMPARE(TPageIngressi::wiringBand(17), cyan);
        QVERIFY(!TPageIngressi::wiringBand(2).isValid()); // a one-zone wiring gets no band
        form->show();
        page->PageControl_Ingressi->setActivePage(page->TabSheetIngFunzioni);
        page->DBGrid15->moveToRecNo(1);
        inputs().setRecNo(9);
        QCoreApplication::processEvents();

        // With an expander in use every input has its own terminal.
        writeRow(*DM->CDSet_ExpIngressi, 2, QStringLiteral("_Enable"), true);
        inputs().setRecNo(9);
        for (QLabel* l : {page->Label_Z, page->Label_Z1, page->Label_Z2})
            QCOMPARE(l->text(), QStringLiteral("Z9"));
        QVERIFY(!TPageIngressi::wiringBand(9).isValid());
    }

    void partitionClicksFollowTheModel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("fifthToggles");
        QTest::newRow("TAVEK") << 1 << false;
        QTest::newRow("ZOREM") << 6 << true;
    }
    void partitionClicksFollowTheModel() {
        QFETCH(int, type);
        QFETCH(bool, fifthToggles);
        open(type);
        DBGrid* grid = page->DBGrid26;
        for (int r : {3, 5, 7})
            writeRow(inputs(), r, QStringLiteral("_FuncIngresso"),
                     r == 7 ? Lang::ListaFunzioniIngresso.value(0) : QStringLiteral("On/Off"));
        for (int r : {3, 7}) {
            QVERIFY(grid->moveToRecNo(r));
            grid->setCurrentRowSelected(true);
        }
        QVERIFY(grid->moveToRecNo(5));
        auto click = [&](const char* field) {
            DBGridColumn* c = grid->columnOfField(QString::fromLatin1(field));
            grid->setSelectedIndex(c->index());
            page->DBGridIngressiCellClick(*grid, *c);
        };
        click("_Pz1");
        QCOMPARE(at(inputs(), 5, "_Pz1").toBool(), true);
        QCOMPARE(at(inputs(), 3, "_Pz1").toBool(), true);
        QCOMPARE(at(inputs(), 7, "_Pz1").toBool(), false); // its input switches no partition
        click("_Pz5");
        QCOMPARE(at(inputs(), 5, "_Pz5").toBool(), fifthToggles);
        // Option boxes have no guard.
        QVERIFY(grid->moveToRecNo(7));
        const bool before = at(inputs(), 7, "_Pz2").toBool();
        click("_Pz2");
        QCOMPARE(at(inputs(), 7, "_Pz2").toBool(), before);
    }

    void renamedPhonesAndUsersShowTheirNewNames() {
        open(3);
        writeRow(*DM->CDSet_Phone, 3, QStringLiteral("_Nome"), QStringLiteral("MARIO"));
        QCOMPARE(page->DBGrid11->columnOfField(QStringLiteral("_TipoChiamataTel3"))->titleCaption(),
                 QStringLiteral("MARIO"));
        // An input linked to user 4 shows that user's name, whatever it becomes.
        DataSet& t = inputs();
        t.setRecNo(5);
        t.edit();
        t.fieldByName(QStringLiteral("_LinkUser")).setAsString(QStringLiteral("OLD"));
        t.fieldByName(QStringLiteral("_LinkUserID")).setAsInteger(4);
        t.post();
        writeRow(*DM->CDSet_Utenti, 4, QStringLiteral("_Nome"), QStringLiteral("BIANCHI"));
        QCOMPARE(TPageIngressi::linkedUserName(5), QStringLiteral("BIANCHI"));
        writeRow(t, 6, QStringLiteral("_LinkUser"), QStringLiteral("ALTRO")); // no user number
        QCOMPARE(TPageIngressi::linkedUserName(6), QStringLiteral("ALTRO"));
    }

    void choicesInThePageReachTheRegisterFile() {
        open(5);
        DBGrid* grid = page->DBGrid15;
        QVERIFY(page->DBComboBox32);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        page->PageControl_Ingressi->setActivePage(page->TabSheetIngFunzioni);
        QVERIFY(grid->moveToRecNo(3));
        const int col = grid->columnOfField(QStringLiteral("_FuncIngresso"))->index();
        grid->setSelectedIndex(col);
        // A real click in the cell shows the editor over it.
        const QRect cell = grid->currentCellRect();
        QVERIFY(cell.isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTRY_VERIFY(page->DBComboBox32->isVisible());
        QCOMPARE(page->DBComboBox32->geometry(), grid->currentCellRect());
        emit page->DBComboBox32->activated(page->DBComboBox32->findText(QStringLiteral("Solo OFF")));
        QVERIFY(page->DBComboBox32->isHidden());
        QCOMPARE(at(inputs(), 3, "_EnablePzX").toBool(), true);

        form->Action20->trigger();
        TDM reread;
        QVERIFY(reread.importRegister(DATABASE));
        reread.CDSet_Tabulon->last();
        QCOMPARE(at(*reread.CDSet_Ingressi, 3, "_FuncIngresso").toString(), QStringLiteral("Solo OFF"));
    }

    // The messages grid shows, in each of its four columns, the vocabulary's word at that
    // column's own index: input k has a word only in column k, so only that cell has ink.
    void eachMessageColumnShowsTheWordOfItsOwnIndex() {
        open(2);
        for (int k = 1; k <= 4; ++k)
            writeRow(inputs(), k, QStringLiteral("_IMsg%1").arg(k), 20 + k);
        page->PageControl_Ingressi->setActivePage(page->TabSheet15);
        DBGrid* grid = page->DBGrid10;
        grid->moveToRecNo(10); // the cursor's row and cell are painted apart: away from rows 1..4
        form->resize(1124, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QApplication::processEvents();
        const QImage shot = grid->viewport()->grab().toImage();
        auto cell = [&](int recNo, int k) {
            const int dataCol = grid->columnOfField(QStringLiteral("_Msg%1").arg(k))->index();
            const QRect r =
                grid->cellRect(grid->gridColumnOf(dataCol), recNo - grid->topRecNo() + grid->titleOffset());
            // The columns share their width unevenly: the same left part of each is compared.
            const QRect left(r.topLeft(), QSize(120, r.height()));
            return shot.copy(
                QRect(left.topLeft() * shot.devicePixelRatio(), left.size() * shot.devicePixelRatio()));
        };
        for (int r = 1; r <= 4; ++r) {
            const int blank = r == 1 ? 2 : 1;
            for (int k = 1; k <= 4; ++k) {
                const bool same = cell(r, k) == cell(r, blank);
                QVERIFY2(same == (k != r), qPrintable(QStringLiteral("input %1, column %2").arg(r).arg(k)));
            }
        }
    }

    // What the page paints where its painter decides: the vocabulary's word a message points at
    // (not the row's stored copy of it), the band of inputs sharing a terminal, and the grey of
    // a user cell an input that switches no partition cannot use.
    void theCellsShowWhatTheirRowsHold() {
        open(2); // MIRUN: inputs sharing a terminal get a band
        const QString twoZones = Lang::ListaTipoIngresso_TAVEK_MIRUN.at(16);
        for (int r : {1, 9, 17})
            writeRow(inputs(), r, kTipo, twoZones);
        for (int r : {10, 11, 12})
            writeRow(inputs(), r, QStringLiteral("_IMsg1"), r == 11 ? 12 : 11);
        writeRow(inputs(), 10, QStringLiteral("_Msg1"), QStringLiteral("AAAA"));
        writeRow(inputs(), 12, QStringLiteral("_Msg1"), QStringLiteral("BBBB"));
        writeRow(inputs(), 13, QStringLiteral("_EnablePzX"), false);
        writeRow(inputs(), 14, QStringLiteral("_EnablePzX"), true);
        inputs().setRecNo(8); // the rows looked at are not the current one, painted apart
        form->resize(1124, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // The cell of (record, field) as the grid of `sheet` shows it.
        auto cellOf = [&](QWidget* sheet, DBGrid* grid, int recNo, const char* field) {
            page->PageControl_Ingressi->setActivePage(sheet);
            QCoreApplication::processEvents(); // the sheet's grid is fitted once it is shown
            const QImage image = grid->viewport()->grab().toImage();
            const int col = grid->gridColumnOf(OpenWindow::columnOf(grid, QString::fromLatin1(field)));
            const QRect r = grid->cellRect(col, recNo - grid->topRecNo() + grid->titleOffset());
            return r.isEmpty() ? QImage() : image.copy(r);
        };
        auto fillOf = [](const QImage& cell) { // above the text, at the right end
            return cell.isNull() ? QColor() : QColor(cell.pixel(cell.width() - 2, 1));
        };

        const QImage word11 = cellOf(page->TabSheet15, page->DBGrid10, 10, "_Msg1");
        QVERIFY(!word11.isNull());
        QCOMPARE(cellOf(page->TabSheet15, page->DBGrid10, 12, "_Msg1"), word11);
        QVERIFY(cellOf(page->TabSheet15, page->DBGrid10, 11, "_Msg1") != word11);

        const QColor cyan = colorFromTColor(16777166);
        for (int r : {1, 9})
            QCOMPARE(fillOf(cellOf(page->TabSheetIngFunzioni, page->DBGrid15, r, "_TipoIngresso")), cyan);
        QVERIFY(fillOf(cellOf(page->TabSheetIngFunzioni, page->DBGrid15, 10, "_TipoIngresso")) != cyan);

        // The unusable cell is flat grey to its corner; a usable one has the value cell's grip there.
        auto cornerIsFlat = [](const QImage& cell, const QColor& colour) {
            for (int y = cell.height() - 8; y < cell.height(); ++y)
                for (int x = cell.width() - 8; x < cell.width(); ++x)
                    if (QColor(cell.pixel(x, y)) != colour)
                        return false;
            return !cell.isNull();
        };
        const QColor grey = sysColor(COLOR_BTNFACE);
        QVERIFY(cornerIsFlat(cellOf(page->TabSheetIngOnOff, page->DBGrid26, 13, "_LinkUser"), grey));
        QVERIFY(!cornerIsFlat(cellOf(page->TabSheetIngOnOff, page->DBGrid26, 14, "_LinkUser"), grey));

        // Every wiring picture exists.
        for (int t = 0; t < WiringPicture::kCount; ++t)
            QVERIFY2(QFile::exists(WiringPicture::resourcePath(t)),
                     qPrintable(WiringPicture::resourcePath(t)));
    }
};

QTEST_MAIN(InputsPageTest)
#include "test_page_ingressi.moc"
