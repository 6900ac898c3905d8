// Times the association lists of the outputs page on the real main window (ZOREM, 64 inputs):
// linking all 64 inputs to one output with the add action and removing them again with the
// remove action, and switching the current output with the link lists following (the lists'
// repaint included).
//
//   QT_QPA_PLATFORM=offscreen ./bench_links [repeats]

#include "benchsupport.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "ui/pages/page_uscite.h"

#include <QAction>
#include <QElapsedTimer>

#include <cstdio>

namespace {
// Picks every row of a list, as clicks on them do (the list's action ends enabled).
void pickAll(DBGrid* grid, QAction* action) {
    DataSet* t = grid->dataSet();
    for (int r = 1; r <= t->recordCount(); ++r) {
        grid->moveToRecNo(r);
        grid->setCurrentRowSelected(true);
    }
    action->setEnabled(true);
}

void setFunction(DataSet* outputs, int recNo, const QString& text) {
    outputs->setRecNo(recNo);
    outputs->edit();
    outputs->fieldByName(QStringLiteral("_FunzioneUscita")).setAsString(text);
    outputs->post();
}
} // namespace

int main(int argc, char** argv) {
    BenchApplication app(argc, argv, 20);
    const int repeats = app.repeats;
    BenchWindow window(6, 2);
    TForm6* form = &window.form();
    TPageUscite* out = form->TabSheet2;
    out->PageControl_Uscite->selectPageByUser(out->PageControl_Uscite->indexOf(out->TabSheet35));
    DataSet* outputs = DM->CDSet_Uscite;
    const QString input = Lang::ListaFunzioneUsciteMIRUN.at(Lang::ListaFunzioneUsciteSegniMIRUN.indexOf("I"));
    for (int r = 1; r <= outputs->recordCount(); ++r)
        setFunction(outputs, r, input);
    outputs->setRecNo(1);
    QApplication::processEvents();

    double linkMs = 0, unlinkMs = 0;
    QElapsedTimer t;
    for (int i = 0; i < repeats; ++i) {
        pickAll(out->DBGrid19, form->Action2);
        t.start();
        form->Action2->trigger();
        linkMs += t.nsecsElapsed() / 1e6;
        if (DM->CDSet_InLink->recordCount() != 64) {
            std::fprintf(stderr, "linked %d of 64\n", DM->CDSet_InLink->recordCount());
            return 1;
        }
        pickAll(out->DBGrid20, form->Action3);
        t.start();
        form->Action3->trigger();
        unlinkMs += t.nsecsElapsed() / 1e6;
        if (!DM->CDSet_InLink->isEmpty())
            return 1;
    }

    // Every output links 32 inputs; each switch repaints what it changed (the outputs list, the
    // link list, the panel's captions).
    for (int r = 1; r <= outputs->recordCount(); ++r) {
        outputs->setRecNo(r);
        for (int in = 1; in <= 32; ++in) {
            out->DBGrid19->moveToRecNo(in * 2 - (r % 2));
            out->DBGrid19->setCurrentRowSelected(true);
        }
        form->Action2->setEnabled(true);
        form->Action2->trigger();
    }
    const int switches = 100;
    double switchMs = 0;
    const int paintsBefore = out->DBGrid20->paintCount();
    for (int i = 0; i < repeats; ++i) {
        t.start();
        for (int s = 0; s < switches; ++s) {
            // The switch and everything it leaves to repaint, as the event loop then paints it.
            outputs->setRecNo(1 + s % outputs->recordCount());
            QApplication::processEvents();
        }
        switchMs += t.nsecsElapsed() / 1e6;
    }
    if (out->DBGrid20->paintCount() - paintsBefore < switches * repeats) {
        std::fprintf(stderr, "the link list was not repainted at every switch\n");
        return 1;
    }
    std::printf("link 64 inputs to one output: %.3f ms\n", linkMs / repeats);
    std::printf("unlink them again:            %.3f ms\n", unlinkMs / repeats);
    std::printf("one output switch, lists repainted: %.3f ms (%d switches x %d)\n",
                switchMs / repeats / switches, switches, repeats);
    return 0;
}
