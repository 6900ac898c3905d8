// The reporting and parameter pages over the program's own data module and main window: the
// phone book, the Contact ID and system-event grids, the five parameter pages, what a model
// shows of them, values refused at the door, and values that survive a save and a reload.

#include "model/fieldrules.h"
#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/programdatamodule.h"
#include "support/realkeys.h"
#include "support/screenwire.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_eventisistema.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_telefoni.h"

#include <QFile>
#include <QGroupBox>

namespace {
QString S(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

class TestReportPages : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempRegistry> registry;
    std::unique_ptr<BoxAnswerer> boxes;
    QString databasePath;

    void createDataModule() { QVERIFY(createProgramDataModule(databasePath)); }
    template <class W> static W* child(QWidget& root, const char* name) {
        W* w = root.findChild<W*>(QString::fromLatin1(name));
        if (!w)
            qWarning("no component %s", name);
        return w;
    }
    static void clickCell(DBGrid* grid, int recNo, const char* field) {
        QVERIFY(grid->moveToRecNo(recNo));
        DBGridColumn* column = grid->columnOfField(QString::fromLatin1(field));
        QVERIFY(column);
        grid->setSelectedIndex(column->index());
        // What a mouse click on the cell does once the cursor is there.
        if (grid->onCellClick)
            grid->onCellClick(*column);
        emit grid->cellClicked(column->index());
    }
    static void choose(DBComboBox* combo, const QString& item) {
        const int i = combo->findText(item);
        QVERIFY2(i >= 0, qPrintable(item));
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

private slots:
    void init() {
        registry = std::make_unique<TempRegistry>();
        boxes = std::make_unique<BoxAnswerer>();
        databasePath = registry->folder() + QStringLiteral("/KTabulon.cds");
        TForm6::setProcessExit([](int) {});
    }
    void cleanup() {
        delete DM;
        DM = nullptr;
        boxes.reset();
        registry.reset();
    }

    // ---------------------------------------------------------------- per model

    void eachModelShowsItsColumnsAndControls_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("phoneOptions");    // answer confirmation, direct menu, programming number
        QTest::addColumn<bool>("eightPartitions"); // account codes and siren boxes 5..8
        QTest::addColumn<bool>("voiceBox");        // hands-free, reset code, rings, delays
        QTest::newRow("TAVEK") << 1 << false << false << false;
        QTest::newRow("MIRUN") << 2 << false << false << false;
        QTest::newRow("MIRUNPLUS") << 3 << false << true << false;
        QTest::newRow("PELUN") << 4 << true << false << true;
        QTest::newRow("QUANE") << 5 << true << false << true;
        QTest::newRow("ZOREM") << 6 << true << true << true;
    }
    void eachModelShowsItsColumnsAndControls() {
        QFETCH(int, type);
        QFETCH(bool, phoneOptions);
        QFETCH(bool, eightPartitions);
        QFETCH(bool, voiceBox);
        OpenWindow w(type);
        TForm6& f = *w.form;
        DBGrid* phones = f.TabSheet3->DBGrid3;
        for (const char* field : {"_ConfermaRisposta", "_AccessoDiretto", "_TelProg"})
            QCOMPARE(phones->columnOfField(S(field))->visible(), phoneOptions);
        QVERIFY(phones->columnOfField(S("_ResetAutomatico"))->visible());
        DBGrid* events = f.TabSheet12->DBGrid31;
        QVERIFY(events->columnOfField(S("_Tel1"))->visible());
        for (int n = 2; n <= 8; ++n)
            QVERIFY(!events->columnOfField(QStringLiteral("_Tel%1").arg(n))->visible());
        for (const char* name : {"DBEdit29", "DBEdit32", "Label36", "DBCheckBox25", "DBCheckBox49"})
            QCOMPARE(!child<QWidget>(f, name)->isHidden(), eightPartitions);
        for (const char* name : {"GroupBox67", "GroupBox37", "GroupBox98", "GroupBox99", "GroupBox80"})
            QCOMPARE(!child<QWidget>(f, name)->isHidden(), voiceBox);
        for (const char* name : {"GroupBox104", "GroupBox45", "GroupBox46"})
            QVERIFY(child<QWidget>(f, name)->isHidden());
        QVERIFY(!child<QWidget>(f, "GroupBox55")->isHidden());
        QVERIFY(!child<QWidget>(f, "DBCheckBox36")->isEnabled());
        QVERIFY(f.PageControl->tabVisible(14));
    }

    // ---------------------------------------------------------------- system events

    void voiceCallsAModelCannotMake_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("struck");
        QTest::newRow("ZOREM 20 voice") << 6 << 20 << S("Voce") << true;
        QTest::newRow("ZOREM 19 voice+sms") << 6 << 19 << S("Voce + SMS") << true;
        QTest::newRow("ZOREM 18 voice") << 6 << 18 << S("Voce") << false;
        QTest::newRow("ZOREM 23 sms") << 6 << 23 << S("SMS") << false;
        QTest::newRow("TAVEK 23 voice") << 1 << 23 << S("Voce") << true;
        QTest::newRow("MIRUNPLUS 20 voice") << 3 << 20 << S("Voce") << false;
        QTest::newRow("no model 20 voice") << 0 << 20 << S("Voce") << false;
    }
    void voiceCallsAModelCannotMake() {
        QFETCH(int, type);
        QFETCH(int, event);
        QFETCH(QString, call);
        QFETCH(bool, struck);
        QCOMPARE(TPageEventiSistema::voiceUnsupported(type, event, call), struck);
    }

    // The struck-out call is painted red on the real page; the same call on MIRUNPLUS is not.
    void anUnsupportedVoiceCallIsPaintedRed() {
        createDataModule();
        TForm6 f;
        f.resize(1124, 740);
        for (int type : {6, 3}) {
            DM->AddDataSet(type);
            OpenInstallation();
            DataSet* events = DM->CDSet_Eventi_Sistema;
            writeRow(events, 20, S("_Tel2"), S("Voce"));
            f.PageControl->selectPageByUser(9);
            DBGrid* grid = f.TabSheet11->DBGrid32;
            grid->moveToRecNo(1);
            const QRect cell =
                grid->cellRect(grid->gridColumnOf(3), 20 - grid->topRecNo() + grid->titleOffset());
            QVERIFY(!cell.isEmpty());
            const QImage img = grid->viewport()->grab().toImage();
            int red = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    red += img.pixelColor(x, y) == QColor(255, 0, 0);
            QCOMPARE(red > 0, type == 6);
        }
    }

    // With the mouse, as a user: a click on a call cell opens its list, a choice is stored.
    void aClickOpensTheCallList() {
        OpenWindow w(3);
        TForm6& f = *w.form;
        f.PageControl->selectPageByUser(9);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        DBGrid* grid = f.TabSheet11->DBGrid32;
        const int col = grid->columnOfField(S("_Tel2"))->index();
        const QPoint cell =
            grid->cellRect(grid->gridColumnOf(col), 3 - grid->topRecNo() + grid->titleOffset()).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTRY_VERIFY(f.TabSheet11->DBComboBox38->isVisible());
        QCOMPARE(DM->CDSet_Eventi_Sistema->recNo(), 3);
        choose(f.TabSheet11->DBComboBox38, S("SMS"));
        QCOMPARE(at(DM->CDSet_Eventi_Sistema, 3, "_Tel2").toString(), S("SMS"));
        QVERIFY(!f.TabSheet11->DBComboBox38->isVisible());
    }

    void phoneNamesTitleTheCallColumns() {
        OpenWindow w(4);
        TForm6& f = *w.form;
        DBGrid* grid = f.TabSheet11->DBGrid32;
        QCOMPARE(grid->columnOfField(S("_Tel3"))->titleCaption(), S("Telefono 3"));
        DataSet* phones = DM->CDSet_Phone;
        writeRow(phones, 3, S("_Nome"), S("Vigilanza"));
        QCOMPARE(grid->columnOfField(S("_Tel3"))->titleCaption(), S("Vigilanza"));
        QCOMPARE(grid->columnOfField(S("_Tel4"))->titleCaption(), S("Telefono 4"));
        // Another installation brings its own phone book.
        DM->AddDataSet(1);
        OpenInstallation();
        QCOMPARE(grid->columnOfField(S("_Tel3"))->titleCaption(), S("Telefono 3"));
    }

    // A phone whose name is typed away leaves the columns of that phone untitled on the three
    // grids that call the phone book; the fields' own titles do not come back.
    void aPhoneWithoutANameLeavesItsColumnsUntitled() {
        OpenWindow w(2);
        TForm6& f = *w.form;
        RealKeys::activate(&f);
        w.showPage(4);
        DBGrid* book = f.TabSheet3->DBGrid3;
        RealKeys::openByClicks(book, 3, OpenWindow::columnOf(book, S("_Nome")));
        RealKeys::type(S("{^A}{Del}{Ret}"));
        QCOMPARE(at(DM->CDSet_Phone, 3, "_Nome").toString(), QString());
        const struct {
            const char* grid;
            const char* prefix;
        } callGrids[] = {{"DBGrid11", "_TipoChiamataTel"}, {"DBGrid29", "_AssociaTel"}, {"DBGrid32", "_Tel"}};
        for (const auto& c : callGrids) {
            DBGrid* grid = child<DBGrid>(f, c.grid);
            QVERIFY(grid);
            ScreenWire::reveal(grid);
            QCOMPARE(grid->columnOfField(S(c.prefix) + u'3')->titleCaption(), QString());
            QCOMPARE(grid->columnOfField(S(c.prefix) + u'4')->titleCaption(), S("Telefono 4"));
            // Nothing is written in the title cell of phone 3; phone 4's has its name.
            const QImage img = grid->viewport()->grab().toImage();
            auto inkInTitle = [&](int phone) {
                const int dataCol = OpenWindow::columnOf(grid, S(c.prefix) + QString::number(phone));
                const QRect cell = grid->cellRect(grid->gridColumnOf(dataCol), 0).adjusted(2, 2, -2, -2);
                int ink = 0;
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    for (int x = cell.left(); x <= cell.right(); ++x)
                        ink += qGray(img.pixel(x, y)) < 96;
                return ink;
            };
            QVERIFY2(!grid->cellRect(grid->gridColumnOf(OpenWindow::columnOf(grid, S(c.prefix) + u'4')), 0)
                          .intersected(grid->viewport()->rect())
                          .isEmpty(),
                     c.grid);
            QCOMPARE(inkInTitle(3), 0);
            QVERIFY2(inkInTitle(4) > 0, c.grid);
        }
    }

    // ---------------------------------------------------------------- Contact ID

    // Events 1, 5, 22 and 23 take neither a receiver flag nor a code; their neighbours take both.
    void eventsThatCannotBeReported_data() {
        QTest::addColumn<int>("event");
        QTest::addColumn<bool>("supported");
        for (int event : {1, 2, 4, 5, 6, 21, 22, 23, 24})
            QTest::addRow("%d", event) << event << !QList{1, 5, 22, 23}.contains(event);
    }
    void eventsThatCannotBeReported() {
        QFETCH(int, event);
        QFETCH(bool, supported);
        OpenWindow w(6);
        TPageContactID* page = w.form->TabSheet12;
        w.form->show();
        w.showPage(10);
        page->PageControl_FPT->selectPageByUser(page->PageControl_FPT->indexOf(page->TabSheet24));
        DBGrid* grid = page->DBGrid31;
        OpenWindow::click(grid, event, OpenWindow::columnOf(grid, S("_Tel1")));
        QCOMPARE(at(DM->CDSet_ContactID_Eventi, event, "_Tel1").toBool(), supported);
        QCOMPARE(DM->CDSet_ContactID_Eventi->state(), DataSetState::Browse); // stored at once
        OpenWindow::click(grid, event, OpenWindow::columnOf(grid, S("_CodiceIDC")));
        QCOMPARE(page->DBComboBox45->isVisible(), supported);
    }

    void unsupportedEventsAndReceiverFormats() {
        OpenWindow w(6);
        TForm6& f = *w.form;
        TPageContactID* page = f.TabSheet12;
        DataSet* events = DM->CDSet_ContactID_Eventi;
        clickCell(page->DBGrid31, 30, "_CodiceIDC");
        QVERIFY(!page->DBComboBox45->isHidden());
        choose(page->DBComboBox45, S("401"));
        QCOMPARE(at(events, 30, "_CodiceIDC").toString(), S("401"));
        QCOMPARE(events->state(), DataSetState::Browse);
        QVERIFY(page->DBComboBox45->isHidden());
        // Receivers 1, 3, 5, 7 choose the format; 2, 4, 6, 8 follow them.
        clickCell(page->DBGrid30, 2, "_FPT_Cod");
        QVERIFY(page->DBComboBox43->isHidden());
        clickCell(page->DBGrid30, 3, "_FPT_Cod");
        QVERIFY(!page->DBComboBox43->isHidden());
        choose(page->DBComboBox43, S("SIA FSK"));
        QCOMPARE(at(DM->CDSet_ContactID, 3, "_FPT_Cod").toString(), S("SIA FSK"));
        // A 4+2 code of an input.
        clickCell(page->DBGrid2, 4, "_FPT_AllZona");
        QVERIFY(!page->DBComboBox10->isHidden());
        QVERIFY(page->DBComboBox9->isHidden());
        choose(page->DBComboBox10, S("1A"));
        QCOMPARE(at(DM->CDSet_Ingressi, 4, "_FPT_AllZona").toString(), S("1A"));
        QCOMPARE(DM->CDSet_Ingressi->state(), DataSetState::Browse);
    }

    // A value applied to marked rows passes by the rows that cannot take it.
    void multiRowApplySkipsUnsupportedRows() {
        OpenWindow w(6);
        TForm6& f = *w.form;
        TPageContactID* page = f.TabSheet12;
        auto mark = [](DBGrid* grid, std::initializer_list<int> rows) {
            grid->clearSelectedRows();
            for (int r : rows) {
                grid->moveToRecNo(r);
                grid->setCurrentRowSelected(true);
            }
        };
        DataSet* events = DM->CDSet_ContactID_Eventi;
        const QString code5 = at(events, 5, "_CodiceIDC").toString();
        mark(page->DBGrid31, {4, 5, 6});
        clickCell(page->DBGrid31, 4, "_Tel1");
        for (auto [row, value] : {std::pair{4, true}, {5, false}, {6, true}})
            QCOMPARE(at(events, row, "_Tel1").toBool(), value);
        mark(page->DBGrid31, {5, 6, 7});
        clickCell(page->DBGrid31, 7, "_CodiceIDC");
        choose(page->DBComboBox45, S("602"));
        for (auto [row, value] : {std::pair{5, code5}, {6, S("602")}, {7, S("602")}})
            QCOMPARE(at(events, row, "_CodiceIDC").toString(), value);

        DataSet* receivers = DM->CDSet_ContactID;
        mark(page->DBGrid30, {1, 2, 3});
        clickCell(page->DBGrid30, 3, "_FPT_Cod");
        choose(page->DBComboBox43, S("ADEMCO(4+2)"));
        for (auto [row, value] :
             {std::pair{1, S("ADEMCO(4+2)")}, {2, S("CONTACT ID")}, {3, S("ADEMCO(4+2)")}})
            QCOMPARE(at(receivers, row, "_FPT_Cod").toString(), value);

        // 4+2 codes reach every marked input.
        mark(page->DBGrid2, {4, 5, 6});
        clickCell(page->DBGrid2, 4, "_FPT_RipAllZona");
        choose(page->DBComboBox10, S("1A"));
        for (int row : {4, 5, 6})
            QCOMPARE(at(DM->CDSet_Ingressi, row, "_FPT_RipAllZona").toString(), S("1A"));
    }

    // ---------------------------------------------------------------- phone book

    void phoneBookFlagsAndTypedColumns() {
        OpenWindow w(5);
        TForm6& f = *w.form;
        f.PageControl->selectPageByUser(4);
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        DBGrid* grid = f.TabSheet3->DBGrid3;
        DataSet* phones = DM->CDSet_Phone;
        for (bool expected : {true, false}) {
            clickCell(grid, 3, "_TelProg");
            QCOMPARE(at(phones, 3, "_TelProg").toBool(), expected);
            QCOMPARE(at(phones, 3, "_ID").toInt(), 3);
            QCOMPARE(phones->state(), DataSetState::Browse);
        }
        // The number takes digits only, after an optional sign.
        RealKeys::activate(&f);
        RealKeys::openByClicks(grid, 2, grid->columnOfField(S("_Tel"))->index());
        RealKeys::type(S("{^A}+39ab02{Shift}{Ret}"));
        OpenWindow::click(grid, 2, grid->columnOfField(S("_Nome"))->index());
        QCOMPARE(at(phones, 2, "_Tel").toString(), S("+3902"));
        // Typing only in the label, prefixes and number.
        for (auto [field, typed] : {std::pair{"_Nome", true},
                                    {"_Tel", true},
                                    {"_PrefixGSM", true},
                                    {"_TelProg", false},
                                    {"_ID", false}}) {
            grid->setSelectedIndex(grid->columnOfField(S(field))->index());
            QCOMPARE(grid->hasOption(GridOption::Editing), typed);
        }
    }

    // ---------------------------------------------------------------- refusals

    void badValuesAreRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("number") << S("tel") << S("+390212345678") << true;
        QTest::newRow("number letters") << S("tel") << S("0212ab") << false;
        QTest::newRow("number sign inside") << S("tel") << S("02+12") << false;
        QTest::newRow("number 16 long") << S("tel") << S("+123456789012345") << true;
        QTest::newRow("gsm prefix") << S("gsm") << S("+39") << true;
        QTest::newRow("gsm prefix too long") << S("gsm") << S("+391") << false;
        QTest::newRow("pstn prefix too long") << S("pstn") << S("01") << false;
        QTest::newRow("code") << S("code") << S("401") << true;
        QTest::newRow("code low") << S("code") << S("099") << false;
        QTest::newRow("code letters") << S("code") << S("1A0") << false;
        QTest::newRow("code empty") << S("code") << S("") << false;
        QTest::newRow("address") << S("ip") << S("192.168.1.10") << true;
        QTest::newRow("address three parts") << S("ip") << S("1.2.3") << false;
        QTest::newRow("address words") << S("ip") << S("a.b.c.d") << false;
        QTest::newRow("address empty") << S("ip") << S("") << false;
        QTest::newRow("address part above 255") << S("ip") << S("10.0.0.256") << false;
    }
    void badValuesAreRefused() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        createDataModule();
        DM->AddDataSet(6);
        const struct {
            const char* kind;
            DataSet* table;
            const char* field;
        } targets[] = {{"tel", DM->CDSet_Phone, "_Tel"},
                       {"gsm", DM->CDSet_ContactID, "_PrefixGSM"},
                       {"pstn", DM->CDSet_Phone, "_PrefixPSTN"},
                       {"code", DM->CDSet_ContactID_Eventi, "_CodiceIDC"},
                       {"ip", DM->CDSet_Tabulon, "_Net_DNS1"}};
        for (const auto& t : targets) {
            if (kind != S(t.kind))
                continue;
            t.table->first();
            const QString before = t.table->fieldByName(S(t.field)).asString();
            t.table->edit();
            bool refused = false;
            try {
                t.table->fieldByName(S(t.field)).setAsString(text);
            } catch (const DataSetError& e) {
                refused = true;
                QVERIFY(!e.message().isEmpty());
            }
            t.table->post();
            QCOMPARE(!refused, accepted);
            QCOMPARE(t.table->fieldByName(S(t.field)).asString(), accepted ? text : before);
        }
    }

    // An address typed on the network page: a clear message, the old value kept.
    void aTypedAddressIsCheckedWhenLeft() {
        OpenWindow w(6);
        TForm6& f = *w.form;
        auto* edit = child<DBEdit>(f, "DBEdit3");
        edit->selectAll();
        QTest::keyClicks(edit, S("10.1.2"));
        QVERIFY(!edit->updateRecord());
        QCOMPARE(w.boxes.count(), 1);
        QVERIFY(w.boxes.texts().constFirst().contains(S("10.1.2")));
        QCOMPARE(DM->CDSet_Tabulon->fieldByName(S("_Net_LocalIPAddress")).asString(), S("0.0.0.0"));
        QTest::keyClicks(edit, S(".3"));
        QVERIFY(edit->updateRecord());
        QCOMPARE(DM->CDSet_Tabulon->fieldByName(S("_Net_LocalIPAddress")).asString(), S("10.1.2.3"));
        // A bad address left pending when the user turns to another installation: one message,
        // the good address stays.
        w.boxes.clear();
        edit->selectAll();
        QTest::keyClicks(edit, S("10.1.x.3"));
        DM->AddDataSet(4);
        QCOMPARE(w.boxes.count(), 1);
        QCOMPARE(at(DM->CDSet_Tabulon, 1, "_Net_LocalIPAddress").toString(), S("10.1.2.3"));
        QCOMPARE(edit->text(), S("0.0.0.0")); // the new installation's address
        w.boxes.clear();
    }

    // ---------------------------------------------------------------- parameter pages

    // Showing, browsing and opening installations of every model writes nothing.
    void controlsFilledFromCodeWriteNothing() {
        createDataModule();
        TForm6 f;
        f.show();
        for (int type = 1; type <= 6; ++type)
            DM->AddDataSet(type);
        DM->saveRegister();
        const QByteArray saved = [] {
            QFile file(DATABASE);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QVERIFY(!saved.isEmpty());
        for (int rec = 1; rec <= 6; ++rec) {
            DM->CDSet_Tabulon->setRecNo(rec);
            OpenInstallation();
            for (int page : {4, 5, 9, 10, 12, 14, 16, 18})
                f.PageControl->selectPageByUser(page);
            for (TPageControl* pc : {f.TabSheet6->PageControl_parametri_vari, f.TabSheet12->PageControl_FPT})
                for (int t = 0; t < pc->count(); ++t)
                    pc->selectPageByUser(t);
            QCoreApplication::processEvents();
            for (DataSet* t : {DM->CDSet_Tabulon, DM->CDSet_ParVari, DM->CDSet_Phone, DM->CDSet_ContactID})
                QCOMPARE(t->state(), DataSetState::Browse);
        }
        DM->saveRegister();
        QFile file(DATABASE);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == saved);
    }

    // DHCP takes the fixed addresses away, GPRS gives its access settings, the cloud service its
    // identification; each follows the stored value when another installation is shown.
    void switchesEnableTheirControls() {
        createDataModule();
        TForm6 f;
        DM->AddDataSet(6);
        DM->AddDataSet(4);
        OpenInstallation();
        const struct {
            const char* box;
            QStringList steered;
            bool enabledWhenOn;
        } rules[] = {
            {"DBCheckBox13", {S("DBEdit3"), S("DBEdit4"), S("DBEdit5"), S("DBEdit6"), S("DBEdit7")}, false},
            {"DBCheckBox20", {S("DBEdit12"), S("DBEdit15"), S("DBEdit16")}, true},
            {"DBCheckBox50",
             {S("DBEdit1"), S("DBEdit2"), S("DBEdit33"), S("DBEdit8"), S("DBEdit9"), S("DBCheckBox14"),
              S("DBCheckBox15"), S("DBCheckBox18")},
             true},
        };
        auto enabled = [&f](const QStringList& names) {
            QList<bool> states;
            for (const QString& n : names)
                states << f.findChild<QWidget*>(n)->isEnabled();
            return states;
        };
        for (const auto& r : rules) {
            const QList<bool> off(r.steered.size(), !r.enabledWhenOn);
            const QList<bool> on(r.steered.size(), r.enabledWhenOn);
            QCOMPARE(enabled(r.steered), off);
            child<DBCheckBox>(f, r.box)->click();
            QCOMPARE(enabled(r.steered), on);
            DM->CDSet_Tabulon->setRecNo(1); // the other installation, still off
            QCOMPARE(enabled(r.steered), off);
            DM->CDSet_Tabulon->setRecNo(2);
            QCOMPARE(enabled(r.steered), on);
        }
        QCOMPARE(child<DBCheckBox>(f, "DBCheckBox20")->text(), S("ON"));
        QVERIFY(child<DBCheckBox>(f, "DBCheckBox20")->font().bold());
    }

    // "SERVIZIO CLOUD" stands in NETWORK SETUP on its own, not inside the CLOUD box, whatever the
    // model; nothing covers it, and a mouse click on it switches the service and its controls.
    void theCloudServiceSwitchStandsOutsideTheCloudBox() {
        OpenWindow w(1);
        TForm6& f = *w.form;
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        for (int type = 1; type <= 6; ++type) {
            if (type > 1) {
                DM->AddDataSet(type);
                OpenInstallation();
            }
            f.PageControl->selectPageByUser(16);
            auto* service = child<DBCheckBox>(f, "DBCheckBox50");
            QVERIFY(service && service->isVisible());
            QCOMPARE(service->text(), S("SERVIZIO CLOUD"));
            auto* cloud = child<QGroupBox>(f, "GroupBoxCloud");
            QCOMPARE(service->parentWidget(), child<QWidget>(f, "GroupBoxNetworkSetup"));
            QCOMPARE(cloud->parentWidget(), service->parentWidget());
            QVERIFY(!service->geometry().intersects(cloud->geometry()));
            const QPoint onBox(6, service->height() / 2);
            QCOMPARE(f.childAt(service->mapTo(&f, onBox)), service);
            const QString before = DM->CDSet_Tabulon->fieldByName(S("_Net_Cloud_Enable")).asString();
            QTest::mouseClick(service, Qt::LeftButton, {}, onBox);
            const bool on = before != S("True");
            QCOMPARE(DM->CDSet_Tabulon->fieldByName(S("_Net_Cloud_Enable")).asString(),
                     S(on ? "True" : "False"));
            for (const char* steered : {"DBEdit8", "DBEdit1", "DBCheckBox18"})
                QCOMPARE(child<QWidget>(f, steered)->isEnabled(), on);
        }
    }

    // Values chosen on the pages, saved and read back by a new data module.
    void valuesSurviveSaveAndReload() {
        createDataModule();
        {
            TForm6 f;
            DM->AddDataSet(6);
            OpenInstallation();
            child<DBCheckBox>(f, "DBCheckBox35")->click();
            QCOMPARE(child<DBCheckBox>(f, "DBCheckBox35")->text(), S("ON"));
            choose(child<DBComboBox>(f, "DBComboBox39"), S("1,5 Sec."));
            child<DBCheckBox>(f, "DBCheckBox25")->click();
            child<DBRadioGroup>(f, "DBRadioGroup2")->button(1)->click();
            child<DBCheckBox>(f, "DBCheckBox107")->click();
            choose(child<DBComboBox>(f, "DBComboBox25"), S("2,5 Sec."));
            child<DBRadioGroup>(f, "DBRadioGroup7")->button(3)->click();
            auto* dns = child<DBEdit>(f, "DBEdit6");
            dns->selectAll();
            QTest::keyClicks(dns, S("8.8.4.4"));
            QVERIFY(dns->updateRecord());
            child<DBCheckBox>(f, "DBCheckBox13")->click();
            choose(child<DBComboBox>(f, "DBComboBox35"), S("7"));
            child<DBRadioGroup>(f, "DBRadioGroupIP2Proto")->button(1)->click();
            clickCell(f.TabSheet3->DBGrid3, 2, "_ConfermaRisposta");
            clickCell(f.TabSheet11->DBGrid32, 21, "_Tel8");
            choose(f.TabSheet11->DBComboBox38, S("Voce + SMS"));
            for (DataSet* t : {DM->CDSet_Tabulon, DM->CDSet_ParVari})
                t->post();
            QVERIFY(DM->saveRegister());
        }
        delete DM;
        DM = nullptr;
        createDataModule();
        DataSet* par = DM->CDSet_ParVari;
        DataSet* root = DM->CDSet_Tabulon;
        QCOMPARE(root->recordCount(), 1);
        QCOMPARE(par->fieldByName(S("_TamperLinea")).asString(), S("ON"));
        QCOMPARE(par->fieldByName(S("_Sqk_Time")).asString(), S("1,5 Sec."));
        QCOMPARE(par->fieldByName(S("_Sqk_Local_Pz5")).asBoolean(), true);
        QCOMPARE(par->fieldByName(S("_RicaricaBatteria")).asInteger(), 1);
        QCOMPARE(par->fieldByName(S("_BLKNORadioActiv")).asString(), S("ON"));
        QCOMPARE(par->fieldByName(S("_NumTentativiChiamate")).asString(), S("7"));
        QCOMPARE(root->fieldByName(S("_PSTN_PauseRingB")).asString(), S("2,5 Sec."));
        QCOMPARE(root->fieldByName(S("_Net_Priority4")).asString(), S("3"));
        QCOMPARE(root->fieldByName(S("_Net_DHCP")).asBoolean(), true);
        QCOMPARE(root->fieldByName(S("_Net_DNS1")).asString(), S("8.8.4.4"));
        QCOMPARE(root->fieldByName(S("_Net_GPRS_IP2Proto")).asString(), S("1"));
        QCOMPARE(at(DM->CDSet_Phone, 2, "_ConfermaRisposta").toBool(), true);
        QCOMPARE(at(DM->CDSet_Eventi_Sistema, 21, "_Tel8").toString(), S("Voce + SMS"));
    }
};

QTEST_MAIN(TestReportPages)
#include "test_reportpages.moc"
