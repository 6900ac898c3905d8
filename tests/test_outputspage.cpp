// The outputs page on the real main window: output numbering and pictures per model, the
// function and condition lists each model offers, the phone columns, the auto-reset toggle
// over marked rows, the typed pulse columns, and the names the window's tables refer to.

#include "model/dimensions.h"
#include "model/lang.h"
#include "model_fixture.h"
#include "platform/dbcontrols.h"
#include "support/openwindow.h"
#include "support/realkeys.h"
#include "ui/gridpasses.h"
#include "ui/imagelist.h"
#include "ui/pages/page_gruppi.h"
#include "ui/pages/page_uscite.h"

#include <QSplitter>

namespace {
constexpr int kPageUscite = 2;

QString pilot() {
    return Lang::ListaFunzioneUsciteMIRUN.at(Lang::ListaFunzioneUsciteSegniMIRUN.indexOf(QLatin1String("P")));
}
} // namespace

class TestOutputsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<OpenWindow> w;
    TPageUscite* out = nullptr;

    void open(int type, QWidget* TPageUscite::*tab) {
        w = std::make_unique<OpenWindow>(type);
        out = w->form->TabSheet2;
        w->showPage(kPageUscite);
        out->PageControl_Uscite->selectPageByUser(out->PageControl_Uscite->indexOf(out->*tab));
        QApplication::processEvents();
    }

private slots:
    void cleanup() {
        if (w)
            QVERIFY2(w->boxes.texts().isEmpty(), qPrintable(w->boxes.texts().join(QLatin1Char('|'))));
        w.reset();
    }

    // Per model, one letter per output row: O on the board, E on an output expansion, - on no
    // hardware; then the lists the function and condition columns offer.
    void numberingAndListsOfEveryModel_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("functions");
        QTest::addColumn<int>("conditions");
        QTest::newRow("TAVEK") << 1 << "OEEE----" << 28 << 8;
        QTest::newRow("MIRUN") << 2 << "OOEEEEEE" << 29 << 8;
        QTest::newRow("MIRUNPLUS") << 3 << "OOEEEEEEEEEEEE---" << 33 << 12;
        QTest::newRow("PELUN") << 4 << "OOOOOEEE" << 29 << 8;
        QTest::newRow("QUANE") << 5 << "OOOOOEEE" << 29 << 8;
        QTest::newRow("ZOREM") << 6 << "OOOOOEEEEEEEEEEEE" << 33 << 12;
    }
    void numberingAndListsOfEveryModel() {
        QFETCH(int, type);
        QFETCH(QString, rows);
        QFETCH(int, functions);
        QFETCH(int, conditions);
        open(type, &TPageUscite::TabSheet20);
        QCOMPARE(DM->CDSet_Uscite->recordCount(), rows.size());
        DataSet* exp = DM->CDSet_ExpUscite;
        for (int n = 1; n <= rows.size(); ++n) {
            const QChar kind = rows.at(n - 1);
            const int k = OutputExpansion(n, C_NUM_OUTPUTS_ONBOARD);
            const int on = OutputIcon(n, false, C_NUM_OUTPUTS_ONBOARD, C_NUM_EXPOUT, exp->recordCount(),
                                      [](int) { return true; });
            const int off = OutputIcon(n, false, C_NUM_OUTPUTS_ONBOARD, C_NUM_EXPOUT, exp->recordCount(),
                                       [](int) { return false; });
            const QByteArray where = QByteArray::number(n);
            if (kind == QLatin1Char('O')) {
                QVERIFY2(k == 0 && on == Img2::OutputOnboard && off == on, where);
            } else if (kind == QLatin1Char('E')) {
                QVERIFY2(k >= 1 && k <= exp->recordCount(), where);
                QVERIFY2(on == Img2::ExpanderEnabled && off == Img2::Warning, where);
            } else {
                QVERIFY2(on == Img2::Warning && off == Img2::Warning, where);
            }
            QCOMPARE(OutputIcon(n, true, C_NUM_OUTPUTS_ONBOARD, C_NUM_EXPOUT, exp->recordCount(), {}),
                     Img2::KeypadTerminal);
        }
        // An expansion the table does not hold.
        QCOMPARE(
            OutputIcon(rows.indexOf(QLatin1Char('E')) + 1, false, C_NUM_OUTPUTS_ONBOARD, C_NUM_EXPOUT, 0, {}),
            Img2::ExpanderUnknown);

        // Every function has its sign, so it can travel to the panel.
        QCOMPARE(Lang::ListaFunzioneUscite(type)->size(), functions);
        QCOMPARE(Lang::ListaFunzioneUsciteSegni(type)->size(), functions);
        QCOMPARE(Lang::ListaCondFunzioneUscite(type)->size(), conditions);

        // The editor over the function column offers the model's list, the polarity column both
        // polarities.
        DBGrid* g = out->DBGrid27;
        OpenWindow::click(g, 2, 2);
        QVERIFY(out->DBComboBox3 && out->DBComboBox3->isVisible());
        QCOMPARE(out->DBComboBox3->count(), functions);
        OpenWindow::click(g, 2, 3);
        QCOMPARE(out->DBComboBox3->count(), conditions);
        OpenWindow::click(g, 2, 6);
        QCOMPARE(out->DBComboBox3->count(), 2);
        QCOMPARE(out->DBComboBox3->itemText(1), QStringLiteral("INVERTITA"));
    }

    void phoneColumnsFollowTheBookAndTheOutputsRight() {
        open(1, &TPageUscite::TabSheet21);
        DataSet* outputs = DM->CDSet_Uscite;
        writeRow(DM->CDSet_Phone, 1, "_Nome", QStringLiteral("Rossi"));
        QCOMPARE(out->DBGrid29->column(2).titleCaption(), QStringLiteral("Rossi"));

        // Output 1 may not call: the click changes nothing.
        QVERIFY(!at(outputs, 1, "_EnableAssociaTelx").toBool());
        OpenWindow::click(out->DBGrid29, 1, 2);
        QVERIFY(!at(outputs, 1, "_AssociaTel1").toBool());
        // Outputs 2 and 3 pilot; output 4 does not. Marked with 2 to 4, a click on 2 calls
        // phone 1 from 2 and 3 only.
        writeRow(outputs, 2, "_FunzioneUscita", pilot());
        writeRow(outputs, 3, "_FunzioneUscita", pilot());
        for (int r : {3, 4}) {
            out->DBGrid29->moveToRecNo(r);
            out->DBGrid29->setCurrentRowSelected(true);
        }
        out->DBGrid29->moveToRecNo(2);
        out->DBGrid29->setCurrentRowSelected(true);
        out->DBGrid29->onCellClick(out->DBGrid29->column(2));
        QVERIFY(at(outputs, 2, "_AssociaTel1").toBool());
        QVERIFY(at(outputs, 3, "_AssociaTel1").toBool());
        QVERIFY(!at(outputs, 4, "_AssociaTel1").toBool());

        // The boxes look as a click acts: live for a pilot, not applicable for the other
        // functions (a multi-function output included, since its clicks change nothing).
        writeRow(outputs, 4, "_FunzioneUscita",
                 Lang::ListaFunzioneUsciteMIRUN.at(
                     Lang::ListaFunzioneUsciteSegniMIRUN.indexOf(QLatin1String("W"))));
        QApplication::processEvents();
        DBGrid* g = out->DBGrid29;
        const QImage img = g->viewport()->grab().toImage();
        auto cellColour = [&](int recNo) {
            const QRect r = g->cellRect(g->gridColumnOf(3), recNo - g->topRecNo() + g->titleOffset());
            return QColor(img.pixel(r.left() + 2, r.top() + 2));
        };
        QCOMPARE(cellColour(2), QColor(Qt::white));
        QVERIFY(cellColour(4) != QColor(Qt::white)); // the not-applicable face
    }

    void autoResetReachesTheMarkedRowsAndOnlyPulsesAreTyped() {
        open(6, &TPageUscite::TabSheet20);
        DBGrid* g = out->DBGrid27;
        for (int r : {5, 7}) {
            g->moveToRecNo(r);
            g->setCurrentRowSelected(true);
        }
        g->onCellClick(g->column(7));
        QVERIFY(at(DM->CDSet_Uscite, 5, "_AutoReset").toBool());
        QVERIFY(at(DM->CDSet_Uscite, 7, "_AutoReset").toBool());
        QVERIFY(!at(DM->CDSet_Uscite, 6, "_AutoReset").toBool());

        OpenWindow::click(g, 1, 4);
        QVERIFY(g->hasOption(GridOption::Editing));
        OpenWindow::click(g, 1, 4); // a click on the current cell opens the typing
        QVERIFY(g->editorMode());
        RealKeys::type(QStringLiteral("013000{Ret}"));
        g->moveToRecNo(2);
        QCOMPARE(DM->CDSet_Uscite->stringAt(
                     1, DM->CDSet_Uscite->fieldByName(QStringLiteral("_PulseDuration")).index()),
                 QStringLiteral("01:30:00"));
        OpenWindow::click(g, 2, 1);
        QVERIFY(!g->hasOption(GridOption::Editing));
    }

    void theWindowHoldsThePagesComponents() {
        w = std::make_unique<OpenWindow>(3);
        TForm6& f = *w->form;
        for (const char* splitter : {"Splitter9", "Splitter13", "Splitter14", "Splitter15", "Splitter17"}) {
            QVERIFY2(f.findChild<QSplitter*>(QString::fromLatin1(splitter)), splitter);
            for (const QString& grid : GridPasses::gridsBesideSplitter(QString::fromLatin1(splitter)))
                QVERIFY2(f.findChild<DBGrid*>(grid), qPrintable(grid));
        }
        QVERIFY(f.findChild<DBComboBox*>(QStringLiteral("DBComboBox7")));
        QVERIFY(f.findChild<DBComboBox*>(QStringLiteral("DBComboBox11")));
        QVERIFY(!f.Action2->icon().isNull() && !f.Action3->icon().isNull());
    }
};

QTEST_MAIN(TestOutputsPage)
#include "test_outputspage.moc"
