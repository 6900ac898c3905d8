// The live status frame: where each lamp, label and bar sits, the writer interface reaching the
// right lamp and slot (the inverted 800-range flags included), bad values clamped or ignored,
// and one repaint per status update; in the real window, the radio tab it opens on.

#include "model/datamodule.h"
#include "platform/aled.h"
#include "platform/drawgrid.h"
#include "support/openwindow.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_test.h"
#include "ui/statusframe.h"

#include <QLabel>
#include <QtTest>

class TestStatusFrame : public QObject {
    Q_OBJECT
private slots:
    void registersItselfAsTheStatusSinkWhileItLives() {
        {
            TPannello112 frame;
            QCOMPARE(panelStatusSink(), static_cast<PanelStatusSink*>(&frame));
            QVERIFY(bool(TDM::device800NameHook));
        }
        QCOMPARE(panelStatusSink(), nullptr);
        QVERIFY(!TDM::device800NameHook);
    }

    // Input i sits in row i mod 16, label in column 2(i div 16), lamp right of it; output i in
    // row i; 400-range device i in block i div 16, row i mod 16 + 1.
    void controlsSitInTheirCells() {
        TPannello112 frame;
        QCOMPARE(frame.TextInputs[16]->geometry(), frame.DrawGrid2->cellRect(2, 0));
        QCOMPARE(frame.LEDInputs[16]->geometry(), frame.DrawGrid2->cellRect(3, 0));
        QCOMPARE(frame.LEDInputs[63]->geometry(), frame.DrawGrid2->cellRect(7, 15));
        QCOMPARE(frame.LEDOutputs[16]->geometry(), frame.DrawGrid3->cellRect(1, 16));
        QCOMPARE(frame.TextRadio[17]->geometry(), frame.DrawGrid1->cellRect(10, 2));
        QCOMPARE(frame.LEDRadioIn5[17]->geometry(), frame.DrawGrid1->cellRect(17, 2));
        QCOMPARE(frame.BARGRAFSIG[63]->geometry(), frame.DrawGrid1->cellRect(39, 16));
        QCOMPARE(frame.LABELSIG[63]->geometry(), QRect(QPoint(0, 0), frame.BARGRAFSIG[63]->size()));
        QCOMPARE(frame.TextRadioLeggend[9]->geometry(), frame.DrawGrid1->cellRect(11, 0));
    }

    void settersReachTheirLamp() {
        TPannello112 frame;
        PanelStatusSink& sink = frame;
        sink.setInputLamp(16, true);
        sink.setOutputLamp(16, true);
        sink.setStatusLamp(PanelStatusSink::MainsFailure, true);
        sink.setRadio400Lamp(5, PanelStatusSink::NotSupervised, true);
        sink.setRadio400Lamp(6, PanelStatusSink::Channel4, true);
        QVERIFY(frame.LEDInputs[16]->Value());
        QVERIFY(!frame.LEDInputs[15]->Value() && !frame.LEDInputs[17]->Value());
        QVERIFY(frame.LEDOutputs[16]->Value());
        QVERIFY(frame.LEDStato[3]->Value() && !frame.LEDStato[2]->Value());
        QVERIFY(frame.LEDRadioNoSup[5]->Value() && !frame.LEDRadioTamper[5]->Value());
        QVERIFY(frame.LEDRadioIn4[6]->Value() && !frame.LEDRadioIn5[6]->Value());
        sink.setInputLamp(16, false);
        QVERIFY(!frame.LEDInputs[16]->Value());

        sink.setRadio400Levels(2, 60, 150);
        QCOMPARE(frame.BARGRAFBAT[2]->Position(), 60);
        QCOMPARE(frame.BARGRAFSIG[2]->Position(), 100);
        QCOMPARE(frame.LABELBAT[2]->text(), QStringLiteral("60%"));

        sink.setGsmOperator(QStringLiteral("TIM"));
        sink.setGsmCredit(QStringLiteral("5,00"));
        sink.setGsmSignal(75);
        sink.setBattery(-3);
        QCOMPARE(frame.Label_NomeOperatore->text(), QStringLiteral("TIM"));
        QCOMPARE(frame.Label_Credito->text(), QStringLiteral("5,00"));
        QCOMPARE(frame.Image_GSM_SIGNAL->level(), 75.0);
        QCOMPARE(frame.Image_BATTERY->level(), 0.0);
    }

    // A set status bit stores ledOn, which is 0.
    void radio800FlagsAreInverted_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("flag");
        QTest::newRow("remote tamper") << int(PanelStatusSink::Remote) << 39 << int(PanelStatusSink::Tamp);
        QTest::newRow("siren supervision") << int(PanelStatusSink::Siren) << 7 << int(PanelStatusSink::Sup);
        QTest::newRow("detector channel 2")
            << int(PanelStatusSink::Device) << 0 << int(PanelStatusSink::Led2);
        QTest::newRow("detector channel 7")
            << int(PanelStatusSink::Device) << 63 << int(PanelStatusSink::Led7);
    }
    void radio800FlagsAreInverted() {
        QFETCH(int, kind);
        QFETCH(int, slot);
        QFETCH(int, flag);
        TPannello112 frame;
        frame.setRadio800Flag(PanelStatusSink::Radio800Kind(kind), slot, PanelStatusSink::Radio800Flag(flag),
                              true);
        TTel* tel = kind == 0   ? &frame.LED_TELEC[size_t(slot)]
                    : kind == 1 ? &frame.LED_SIRENA[size_t(slot)]
                                : &frame.LED_DEVICE[size_t(slot)];
        QCOMPARE(int(tel->flag(flag)), 0);
        for (int other = 0; other < 9; ++other)
            if (other != flag)
                QCOMPARE(int(tel->flag(other)), 1);
        frame.setRadio800Flag(PanelStatusSink::Radio800Kind(kind), slot, PanelStatusSink::Radio800Flag(flag),
                              false);
        QCOMPARE(int(tel->flag(flag)), int(ledOff));
    }

    // Each bad value is looked at on its own, right after it is given: one trace line for it and
    // no lamp lit. A slot one past the end is tried first, so a bound that let it through would
    // be seen here, on a lamp of the next list, before anything reads past the lists.
    void badValuesAreClampedOrIgnored() {
        TPannello112 frame;
        static QStringList traces;
        traces.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtWarningMsg)
                    traces << text;
            });
        const auto restore = qScopeGuard([previous] { qInstallMessageHandler(previous); });
        auto lit = [](const auto& leds) {
            return std::any_of(leds.begin(), leds.end(), [](ThhALed* led) { return led->Value(); });
        };
        auto anyLit = [&] {
            return lit(frame.LEDInputs) || lit(frame.LEDOutputs) || lit(frame.LEDRadioTamper) ||
                   lit(frame.LEDRadioNoSup) || lit(frame.LEDStato);
        };
        const std::pair<const char*, std::function<void()>> bad[] = {
            {"input 64", [&] { frame.setInputLamp(64, true); }},
            {"output 17", [&] { frame.setOutputLamp(17, true); }},
            {"400-range device 64", [&] { frame.setRadio400Lamp(64, PanelStatusSink::Tamper, true); }},
            {"remote 40", [&] { frame.setRadio800Levels(PanelStatusSink::Remote, 40, 50, 50); }},
            {"siren 8",
             [&] { frame.setRadio800Flag(PanelStatusSink::Siren, 8, PanelStatusSink::Tamp, true); }},
            {"input -1", [&] { frame.setInputLamp(-1, true); }},
            {"lamp 9", [&] { frame.setRadio400Lamp(0, PanelStatusSink::Radio400Lamp(9), true); }},
            {"kind 7",
             [&] {
                 frame.setRadio800Flag(PanelStatusSink::Radio800Kind(7), 0, PanelStatusSink::Tamp, true);
             }},
            {"flag 12",
             [&] {
                 frame.setRadio800Flag(PanelStatusSink::Device, 0, PanelStatusSink::Radio800Flag(12), true);
             }},
            {"status lamp 4", [&] { frame.setStatusLamp(PanelStatusSink::StatusLamp(4), true); }},
        };
        const auto sirenBattery = frame.BARGRAF_BAT_SIRENA;
        const auto remoteSignal = frame.BARGRAF_SIG_TELEC;
        for (qsizetype i = 0; i < qsizetype(std::size(bad)); ++i) {
            bad[i].second();
            QVERIFY2(traces.size() == i + 1, bad[i].first); // one trace line per bad value
            QVERIFY2(!anyLit(), bad[i].first);
        }
        QVERIFY(frame.BARGRAF_BAT_SIRENA == sirenBattery);
        QVERIFY(frame.BARGRAF_SIG_TELEC == remoteSignal);
        for (const TTel& t : frame.LED_DEVICE)
            QCOMPARE(int(t.Tamp), int(ledOff));
        // Levels outside 0..100 are clamped, with a trace line each.
        frame.setRadio800Levels(PanelStatusSink::Remote, 0, 101, -4);
        QCOMPARE(traces.size(), qsizetype(std::size(bad)) + 2);
        QCOMPARE(frame.BARGRAF_BAT_TELEC[0], 100);
        QCOMPARE(frame.BARGRAF_SIG_TELEC[0], 0);
    }

    void namesAreCutAtTheirSlot() {
        TPannello112 frame;
        frame.setRadio800Name(PanelStatusSink::Device, 5, QStringLiteral("ABCDEFGHIJKLMNOPQRST"));
        QCOMPARE(frame.TEXT_DEVICE[5], QStringLiteral("ABCDEFGHIJKLMNOP"));
        // The data module's name hook lands in the slot of the device's kind.
        TDM::device800NameHook(TDM::SlotSirena, 3, QStringLiteral("SIRENA EST"));
        QCOMPARE(frame.TEXT_SIRENA[3], QStringLiteral("SIRENA EST"));
    }

    // The radio status opens on the 868Mhz devices, and the tab marked is the one shown.
    void theRadioStatusOpensOnThe868Tab() {
        OpenWindow w(6);
        w.form->show();
        w.showPage(w.form->PageControl->indexOf(w.form->TabSheet8));
        TPannello112& status = *w.form->TabSheet8->Pannello1121;
        TPageControl* tabs = status.PageControl1;
        QCOMPARE(tabs->activePage(), status.TabSheet2);
        QVERIFY(status.DrawGrid4->isVisible());
        QVERIFY(tabs->highlighted(1) && !tabs->highlighted(0));
    }

    // All the values of one status update cost one repaint of the painted grids.
    void oneRepaintPerUpdate() {
        TPannello112 frame;
        frame.resize(1100, 700);
        frame.PageControl1->setActivePage(frame.TabSheet2);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QTRY_VERIFY(frame.DrawGrid4->paintCount() > 0);
        QTest::qWait(20);
        const int repaints = frame.statusRepaints();
        const int painted = frame.DrawGrid4->paintCount();
        frame.beginUpdate();
        for (int i = 0; i < 64; ++i) {
            frame.setInputLamp(i, i % 2);
            frame.setRadio800Flag(PanelStatusSink::Device, i, PanelStatusSink::Tamp, i % 3 == 0);
            frame.setRadio800Levels(PanelStatusSink::Device, i, i, 100 - i);
        }
        QCOMPARE(frame.statusRepaints(), repaints); // nothing before the end of the update
        frame.endUpdate();
        QCOMPARE(frame.statusRepaints(), repaints + 1);
        QTRY_COMPARE(frame.DrawGrid4->paintCount(), painted + 1);
        QTest::qWait(30);
        QCOMPARE(frame.DrawGrid4->paintCount(), painted + 1);
        // An update that changes nothing painted by the grids costs none.
        frame.beginUpdate();
        frame.setInputLamp(0, true);
        frame.endUpdate();
        QCOMPARE(frame.statusRepaints(), repaints + 1);
    }
};

QTEST_MAIN(TestStatusFrame)
#include "test_statusframe.moc"
