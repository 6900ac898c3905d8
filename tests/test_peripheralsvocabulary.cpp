// The peripherals page and the message vocabulary page in the real main window over the real
// data module, for every model: rows per model, the flag clicks, the lamp grid following its
// socket, which cells take typing, and vocabulary words typed into the grid reaching their copies.

#include "model/dimensions.h"
#include "platform/dataset.h"
#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "platform/maskedlineedit.h"
#include "support/mainwindowfixture.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_periferiche.h"
#include "ui/pages/page_vocaboli.h"

#include <QComboBox>
#include <QtTest>

namespace {
QVariant at(DataSet* t, int recNo, const char* field) {
    return t->valueAt(recNo, t->fieldByName(QLatin1String(field)).index());
}
void setFlags(DataSet* t, int recNo, const QString& flags) {
    // flags: E S1 S2 S3 S4 as '1'/'0'; fewer characters for tables with fewer sounds
    t->setRecNo(recNo);
    t->edit();
    for (int i = 0; i < flags.size(); ++i)
        t->fieldByName(i == 0 ? QStringLiteral("_Enable") : QStringLiteral("_Sound%1").arg(i))
            .setAsBoolean(flags[i] == QLatin1Char('1'));
    t->post();
}
QString flagsOf(DataSet* t, int recNo, int count) {
    QString out;
    for (int i = 0; i < count; ++i)
        out += at(t, recNo, i == 0 ? "_Enable" : QStringLiteral("_Sound%1").arg(i).toLatin1().constData())
                       .toBool()
                   ? QLatin1Char('1')
                   : QLatin1Char('0');
    return out;
}
// Pixels that differ from the page's most common colour: a blank page has almost none.
int inkPixels(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            ++counts[image.pixel(x, y)];
    int most = 0;
    for (int c : counts)
        most = std::max(most, c);
    return (image.width() / 3) * (image.height() / 3) - most;
}
} // namespace

class TestPeripheralsVocabulary : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<MainWindowFixture> fx;
    TForm6* form = nullptr;
    TPagePeriferiche* peripherals = nullptr;
    TPageVocaboli* vocabulary = nullptr;

    void open(int type) {
        fx->open(type);
        peripherals = form->TabSheet5;
        vocabulary = form->TabSheet28;
    }
    // The vocabulary page on screen: its in-place editor shows only on a visible grid.
    void showVocabulary() {
        form->show();
        form->PageControl->setActivePage(vocabulary);
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void click(DBGrid* grid, int recNo, const char* field) {
        grid->moveToRecNo(recNo);
        peripherals->DBGridExpCellClick(*grid, *grid->columnOfField(QLatin1String(field)));
    }

private slots:
    void init() {
        fx = std::make_unique<MainWindowFixture>();
        form = fx->form.get();
    }
    void cleanup() {
        const QStringList shown = fx->boxes.texts();
        fx.reset();
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('|'))));
    }

    void pagesShowEveryModelsRows_data() {
        QTest::addColumn<int>("type");
        for (int type = 1; type <= 6; ++type)
            QTest::addRow("model %d", type) << type;
    }
    void pagesShowEveryModelsRows() {
        QFETCH(int, type);
        open(type);
        const std::pair<DBGrid*, int> expected[] = {
            {peripherals->DBGrid12, C_NUM_EXPIN},
            {peripherals->DBGrid13, C_NUM_EXPOUT},
            {peripherals->DBGrid14, C_NUM_EXPRADIO},
            {peripherals->DBGrid41, C_NUM_EXPGSM},
            {peripherals->DBGrid42, C_NUM_EXPLAN},
            {peripherals->DBGrid18, C_NUM_KEYBOARD},
            {peripherals->DBGrid17, C_NUM_SOCKET},
            {peripherals->DBGrid28, C_NUM_PARZIALI_LED_SOCKET},
            {vocabulary->DBGrid43, 187},
        };
        for (const auto& [grid, rows] : expected) {
            QVERIFY2(grid->dataActive(), qPrintable(grid->objectName()));
            QCOMPARE(grid->dataSet()->recordCount(), rows);
        }
        form->resize(1124, 740);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        TPageControl* sub = peripherals->PageControl_Periferiche;
        for (QWidget* sheet : {peripherals->TabSheet23, peripherals->TabSheetTastierePrese,
                               static_cast<QWidget*>(vocabulary)}) {
            form->PageControl->setActivePage(sheet == vocabulary ? sheet : peripherals);
            if (sheet != vocabulary)
                sub->setActivePage(sheet);
            QCoreApplication::processEvents();
            const QImage shot = form->grab().toImage();
            QVERIFY2(inkPixels(shot) > 2000, qPrintable(sheet->objectName()));
            MainWindowFixture::keepShot(form,
                                        QStringLiteral("model%1_%2").arg(type).arg(sheet->objectName()));
        }
    }

    void flagClicksFollowTheDeviceRules_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before"); // _Enable, _Sound1..
        QTest::addColumn<QString>("after");
        QTest::newRow("switching a keypad off silences it") << "DBGrid18" << 2 << "_Enable"
                                                            << "11111"
                                                            << "00000";
        QTest::newRow("a key sound switches a silent keypad on") << "DBGrid18" << 2 << "_Sound1"
                                                                 << "00000"
                                                                 << "11000";
        QTest::newRow("another sound of a silent keypad too") << "DBGrid18" << 2 << "_Sound3"
                                                              << "00000"
                                                              << "10010";
        QTest::newRow("a sound of a sounding keypad toggles") << "DBGrid18" << 2 << "_Sound2"
                                                              << "11100"
                                                              << "11000";
        QTest::newRow("keypad 1 stays on and loses its sounds") << "DBGrid18" << 1 << "_Enable"
                                                                << "11111"
                                                                << "10000";
        QTest::newRow("keypad 1 off goes on") << "DBGrid18" << 1 << "_Enable"
                                              << "00000"
                                              << "10000";
        QTest::newRow("switching a socket off clears three sounds") << "DBGrid17" << 1 << "_Enable"
                                                                    << "1111"
                                                                    << "0000";
        QTest::newRow("a socket sound switches it on") << "DBGrid17" << 1 << "_Sound2"
                                                       << "0000"
                                                       << "1010";
        QTest::newRow("an expander toggles") << "DBGrid12" << 1 << "_Enable"
                                             << "0"
                                             << "1";
        QTest::newRow("a module toggles") << "DBGrid41" << 1 << "_Enable"
                                          << "1"
                                          << "0";
        QTest::newRow("a name click changes nothing") << "DBGrid18" << 2 << "_Nome"
                                                      << "10100"
                                                      << "10100";
    }
    void flagClicksFollowTheDeviceRules() {
        QFETCH(QString, grid);
        QFETCH(int, recNo);
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, after);
        open(2);
        DBGrid* g = peripherals->findChild<DBGrid*>(grid);
        DataSet* t = g->dataSet();
        setFlags(t, recNo, before);
        click(g, recNo, field.toLatin1().constData());
        QCOMPARE(flagsOf(t, recNo, int(before.size())), after);
        QCOMPARE(t->state(), DataSetState::Browse);
        QCOMPARE(at(t, recNo, "_ID").toInt(), recNo);
    }

    void lampsFollowTheirSocketAndPartitions() {
        open(3);
        DBGrid* sockets = peripherals->DBGrid17;
        DataSet* prese = sockets->dataSet();
        prese->setRecNo(3);
        prese->edit();
        prese->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("INGRESSO RETRO"));
        prese->post();
        sockets->moveToRecNo(1);
        sockets->moveToRecNo(3);
        QCOMPARE(peripherals->DBGrid28->column(0).titleCaption(), QStringLiteral("INGRESSO RETRO"));
        // A rename of the current socket shows at once.
        prese->edit();
        prese->fieldByName(QStringLiteral("_Nome")).setAsString(QStringLiteral("GARAGE"));
        prese->post();
        QCOMPARE(peripherals->DBGrid28->column(0).titleCaption(), QStringLiteral("GARAGE"));
        // A lamp flag belongs to the current socket only.
        DataSet* leds = peripherals->DBGrid28->dataSet();
        const bool was = at(leds, 2, "_Led3").toBool();
        click(peripherals->DBGrid28, 2, "_Led3");
        QCOMPARE(at(leds, 2, "_Led3").toBool(), !was);
        sockets->moveToRecNo(1);
        QCOMPARE(at(leds, 2, "_Led3").toBool(), was);
    }

    void keypadTerminalsOfferOnlyFreeInputsAndOutputs() {
        open(2);
        form->show();
        form->PageControl->setActivePage(peripherals);
        peripherals->PageControl_Periferiche->setActivePage(peripherals->TabSheetTastierePrese);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        DBGrid* grid = peripherals->DBGrid18;
        QComboBox* editor = peripherals->DBComboBox30;
        QVERIFY(editor);
        DataSet* keypads = grid->dataSet();
        const QString input9 = at(DM->CDSet_Ingressi, C_NUM_INPUTS_ONBOARD + 1, "_Nome").toString();
        auto clickCell = [&](int recNo, const char* field) {
            QVERIFY(grid->moveToRecNo(recNo));
            const int col = grid->columnOfField(QLatin1String(field))->index();
            grid->setSelectedIndex(col);
            peripherals->DBGridExpCellClick(*grid, grid->column(col));
            emit grid->cellClicked(col);
            QVERIFY(!editor->isHidden());
        };
        clickCell(1, "_M1");
        QVERIFY(editor->findText(input9) >= 0);
        emit editor->activated(editor->findText(input9));
        QCOMPARE(at(keypads, 1, "_M1").toString(), input9);
        QCOMPARE(keypads->state(), DataSetState::Browse);
        // Held by keypad 1: offered neither to another keypad nor again to keypad 1.
        clickCell(2, "_M2");
        MainWindowFixture::keepShot(form, QStringLiteral("terminal_editor"));
        QCOMPARE(editor->findText(input9), -1);
        QVERIFY(editor->findText(QStringLiteral("Non Configurato")) >= 0);
        clickCell(1, "_M1");
        QCOMPARE(editor->findText(input9), -1);
        emit editor->activated(editor->findText(QStringLiteral("Non Configurato")));
        QCOMPARE(at(keypads, 1, "_M1").toString(), QStringLiteral("Non Configurato"));
    }

    void editsThroughTheGridsSurviveSaveAndRestart() {
        open(4);
        form->show();
        form->PageControl->setActivePage(peripherals);
        peripherals->PageControl_Periferiche->setActivePage(peripherals->TabSheetTastierePrese);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        DBGrid* keypads = peripherals->DBGrid18;
        QVERIFY(keypads->moveToRecNo(3));
        keypads->setSelectedIndex(keypads->columnOfField(QStringLiteral("_Nome"))->index());
        QVERIFY(keypads->showEditor());
        keypads->inplaceEditor()->selectAll();
        QTest::keyClicks(keypads->inplaceEditor(), QStringLiteral("Ufficio"));
        QTest::keyClick(keypads->inplaceEditor(), Qt::Key_Tab); // leaving the cell writes and posts the name
        QCOMPARE(keypads->dataSet()->state(), DataSetState::Browse);
        click(keypads, 3, "_Sound4");
        click(peripherals->DBGrid42, 1, "_Enable");
        form->Action20Execute();

        fx->restart();
        form = fx->form.get();
        OpenInstallation();
        QCOMPARE(at(DM->CDSet_Tastiere, 3, "_Nome").toString(), QStringLiteral("Ufficio"));
        QCOMPARE(flagsOf(DM->CDSet_Tastiere, 3, 5), QStringLiteral("10001"));
        QVERIFY(at(DM->CDSet_ExpIP, 1, "_Enable").toBool());
        QCOMPARE(form->TabSheet5->DBGrid18->dataSet()->recordCount(), C_NUM_KEYBOARD);
    }

    void onlyNamesTakeTyping() {
        open(1);
        for (DBGrid* grid : peripherals->grids()) {
            for (int c = 0; c < grid->columnCount(); ++c) {
                grid->setSelectedIndex(c);
                const bool name = grid->column(c).fieldName() == QLatin1String("_Nome");
                QCOMPARE(grid->hasOption(GridOption::Editing), name && grid != peripherals->DBGrid28);
            }
        }
    }

    void vocabularyWordsEditableByModel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("recNo");
        QTest::addColumn<bool>("editable");
        QTest::newRow("QUANE word 0") << 5 << 1 << false;
        QTest::newRow("QUANE word 1") << 5 << 2 << true;
        QTest::newRow("ZOREM word 30") << 6 << 31 << true;
        QTest::newRow("ZOREM word 31") << 6 << 32 << false;
        QTest::newRow("PELUN last word") << 4 << 187 << false;
        QTest::newRow("MIRUN word 0") << 2 << 1 << true;
        QTest::newRow("TAVEK last word") << 1 << 187 << true;
        QTest::newRow("MIRUNPLUS word 100") << 3 << 101 << true;
    }
    void vocabularyWordsEditableByModel() {
        QFETCH(int, type);
        QFETCH(int, recNo);
        QFETCH(bool, editable);
        open(type);
        showVocabulary();
        DBGrid* grid = vocabulary->DBGrid43;
        grid->setSelectedIndex(1);
        grid->moveToRecNo(recNo);
        QCOMPARE(grid->hasOption(GridOption::Editing), editable);
        QCOMPARE(grid->showEditor(), editable);
        grid->hideEditor();
        grid->setSelectedIndex(0); // the number is never typed
        QVERIFY(!grid->hasOption(GridOption::Editing));
    }

    void typedWordsReachTheirCopies() {
        open(2);
        DataSet* inputs = DM->CDSet_Ingressi;
        inputs->first();
        inputs->edit();
        inputs->fieldByName(QStringLiteral("_IMsg2")).setAsInteger(5);
        inputs->fieldByName(QStringLiteral("_Msg2")).setAsString(QStringLiteral("OLD"));
        inputs->post();
        ShortList = true;
        showVocabulary();
        DBGrid* grid = vocabulary->DBGrid43;
        grid->setSelectedIndex(1);
        grid->moveToRecNo(6); // the word `_ID` 5
        QVERIFY(grid->showEditor());
        grid->inplaceEditor()->selectAll();
        QTest::keyClicks(grid->inplaceEditor(), QStringLiteral("porta sud"));
        grid->moveToRecNo(7);
        DataSet* words = DM->CDSet_Messaggi;
        QCOMPARE(at(words, 6, "_Messaggio").toString(), QStringLiteral("PORTA SUD"));
        QCOMPARE(at(inputs, 1, "_Msg2").toString(), QStringLiteral("PORTA SUD"));
        QVERIFY(!ShortList);

        // Sixteen characters at most; a character the panel cannot store is refused.
        QVERIFY(grid->showEditor());
        grid->inplaceEditor()->selectAll();
        QTest::keyClicks(grid->inplaceEditor(), QStringLiteral("abcdefghijklmnopqrst"));
        grid->moveToRecNo(8);
        QCOMPARE(at(words, 7, "_Messaggio").toString(), QStringLiteral("ABCDEFGHIJKLMNOP"));
        words->setRecNo(8);
        words->edit();
        QVERIFY_THROWS_EXCEPTION(
            DataSetError,
            words->fieldByName(QStringLiteral("_Messaggio")).setAsString(QStringLiteral("ΩMEGA")));
        words->fieldByName(QStringLiteral("_Messaggio")).setAsString(QStringLiteral("CAFFè €5"));
        words->post();
        QCOMPARE(at(words, 8, "_Messaggio").toString(), QStringLiteral("CAFFè €5"));
    }
};

QTEST_MAIN(TestPeripheralsVocabulary)
#include "test_peripheralsvocabulary.moc"
