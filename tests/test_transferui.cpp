// The progress dialog, the wait window and the IPv4 text conversion.
#include "app/splash.h"
#include "link/comset.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "transfer/ip4error.h"
#include "transfer/sendingdlg.h"
#include "transfer/transferflags.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>

class TestTransferUi : public QObject {
    Q_OBJECT
private slots:
    void init() { StateTrasfert = 0; }
    void progressLinesAndBars() {
        TSendingDlg dlg;
        QVERIFY(!dlg.isVisible()); // hidden until the first part
        StateTrasfert = 1;
        dlg.AddPartLine(QStringLiteral("Configuration: Inputs Type part:  "), 1, false, 6, 3);
        QVERIFY(dlg.isVisible());
        dlg.AddLine(QStringLiteral("retry to send..."));
        dlg.AddPartLine(QStringLiteral("Configuration: Inputs Type part:  "), 3, true, 6, 3);
        QCOMPARE(dlg.ListBox1->count(), 3);
        QCOMPARE(dlg.ListBox1->item(0)->text(), QStringLiteral("Configuration: Inputs Type part:  1"));
        QCOMPARE(dlg.ListBox1->item(2)->text(),
                 QStringLiteral("Configuration: Inputs Type part:  3  ........Ok"));
        QCOMPARE(dlg.ListBox1->currentRow(), 2);
        QCOMPARE(dlg.ProgressBar1->maximum(), 62);
        QCOMPARE(dlg.ProgressBar1->value(), 6);
        QCOMPARE(dlg.ProgressBar2->maximum(), 3);
        QCOMPARE(dlg.ProgressBar2->value(), 3);
    }

    void closeRefusedWhileMovingParts() {
        TSendingDlg dlg;
        dlg.show();
        StateTrasfert = 1;
        QVERIFY(!dlg.close());
        QVERIFY(dlg.isVisible());
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        StateTrasfert = 0;
        QVERIFY(dlg.close());
        QVERIFY(!dlg.isVisible());
    }

    void everyShowStartsEmpty() {
        TSendingDlg dlg;
        dlg.AddPartLine(QStringLiteral("A part:  "), 1, true, 2, 1);
        dlg.AddPartLine(QStringLiteral("B part:  "), 1, true, 3, 1);
        QCOMPARE(dlg.ListBox1->count(), 2); // a show while visible keeps the lines
        dlg.hide();
        dlg.AddPartLine(QStringLiteral("C part:  "), 1, true, 4, 1);
        QCOMPARE(dlg.ListBox1->count(), 1);
        QCOMPARE(dlg.ListBox1->item(0)->text(), QStringLiteral("C part:  1  ........Ok"));
        // A live status running for hours keeps only the newest lines.
        for (int i = 0; i < 2100; ++i)
            dlg.AddLine(QString::number(i));
        QCOMPARE(dlg.ListBox1->count(), 2000);
        QCOMPARE(dlg.ListBox1->item(1999)->text(), QStringLiteral("2099"));
        QCOMPARE(dlg.ListBox1->currentRow(), 1999);
    }

    void ip4Values_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("value");
        QTest::newRow("plain") << "192.168.1.10" << 0xC0A8010Au;
        QTest::newRow("part above 255") << "10.300.1.1" << 0x0A000101u;
        QTest::newRow("empty part") << "1..2.3" << 0x01000203u;
        QTest::newRow("fifth part ignored") << "1.2.3.4.5" << 0x01020304u;
        QTest::newRow("minus one") << "-1.0.0.1" << 0xFF000001u;
        QTest::newRow("blanks end parts") << "  10 20.30.40" << 0x0A141E28u;
        QTest::newRow("trailing dot") << "1.2.3." << 0x01020300u;
        QTest::newRow("top") << "255.255.255.255" << 0xFFFFFFFFu;
        QTest::newRow("hex part") << "$C0.168.0.1" << 0xC0A80001u;
        QTest::newRow("quoted") << "\"7\".8.9.10" << 0x0708090Au;
    }

    void ip4Values() {
        QFETCH(QString, text);
        QFETCH(quint32, value);
        TComSet form;
        QCOMPARE(form.StringToIP4Addr(text), value);
    }

    void ip4Errors_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("three parts") << "1.2.3";
        QTest::newRow("empty") << "";
        QTest::newRow("letters") << "1.a.3.4";
        QTest::newRow("quoted dots") << "\"1.2\".3.4.5";
        QTest::newRow("huge") << "99999999999.1.1.1";
    }

    void ip4Errors() {
        QFETCH(QString, text);
        TComSet form;
        QVERIFY_THROWS_EXCEPTION(IP4ConvertError, form.StringToIP4Addr(text));
    }

    void waitWindowOneAtATime() {
        QWidget owner;
        owner.show();
        TSplash splash(&owner);
        QVERIFY(!splash.FineAttesa());
        QVERIFY(splash.AvvioAttesa(
            &owner, QStringLiteral("ATTENDERE\rEliminazione della Configurazione in corso...")));
        QWidget* w = TSplash::currentWaitWindow();
        QVERIFY(w && w->isVisible());
        QVERIFY(!w->isEnabled());
        // Taking no input does not grey the message out.
        const QPalette& palette = splash.EtichettaAttesa->palette();
        QCOMPARE(palette.color(QPalette::Disabled, QPalette::WindowText),
                 palette.color(QPalette::Active, QPalette::WindowText));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        // The old line break becomes a real one, and both lines fit, the long bold one included.
        const QString longLine = QStringLiteral("Eliminazione della Configurazione in corso...");
        QCOMPARE(splash.EtichettaAttesa->text(), QStringLiteral("ATTENDERE\n") + longLine);
        const QFontMetrics metrics(splash.EtichettaAttesa->font());
        QVERIFY(w->height() >= 2 * metrics.height());
        QVERIFY(splash.EtichettaAttesa->contentsRect().width() >= metrics.horizontalAdvance(longLine));

        TSplash other(&owner);
        QVERIFY(!other.AvvioAttesa(&owner, QStringLiteral("Connecting...")));
        QCOMPARE(TSplash::currentWaitWindow(), w);
        QVERIFY(other.FineAttesa()); // any receiver closes it
        QVERIFY(!TSplash::currentWaitWindow());
        QVERIFY(!splash.FineAttesa());
    }

    void waitWindowGoesWithItsOwner() {
        auto* owner = new QWidget;
        TSplash splash;
        QVERIFY(splash.AvvioAttesa(owner, QStringLiteral("Connecting...")));
        delete owner; // the window goes with its owner; no dangling reference is left
        QVERIFY(!TSplash::currentWaitWindow());
        QVERIFY(!splash.FineAttesa());
        QVERIFY(splash.AvvioAttesa(nullptr, QStringLiteral("ATTENDERE PREGO...")));
        QVERIFY(splash.FineAttesa());
    }

    void replyTimeoutFromTheRegistry() {
        TempRegistry registry;
        {
            TComSet form; // first run: no value yet
            QCOMPARE(form.ReplyTimeoutMs(), 180);
            form.ScrollBar1->setValue(250);
            QCOMPARE(form.ReplyTimeoutMs(), 250);
        }
        RegistryKey key;
        QVERIFY(key.openKey(kTabulonRegistryKey, true));
        key.writeInteger(QStringLiteral("BaudRate"), 400);
        {
            TComSet form;
            QCOMPARE(form.ScrollBar1->value(), 400);
        }
        key.writeString(QStringLiteral("BaudRate"), QStringLiteral("fast")); // wrong type: the default, said
        BoxAnswerer boxes;
        TComSet form;
        QCOMPARE(form.ReplyTimeoutMs(), 180);
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Registro di configurazione: il valore \"BaudRate\" non è "
                                            "un numero intero.\r\nIl tempo di risposta della "
                                            "centrale è quello iniziale: 180 ms.")});
        QCOMPARE(boxes.last().type, MsgDlgType::Warning);
    }
};

QTEST_MAIN(TestTransferUi)
#include "test_transferui.moc"
