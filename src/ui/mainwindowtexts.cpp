#include "ui/mainwindowtexts.h"

#include "ui/mainwindow.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_ingressi.h"
#include "ui/pages/page_parametrivari.h"
#include "ui/pages/page_periferiche.h"
#include "ui/pages/page_telefoni.h"
#include "ui/pages/page_uscite.h"
#include "ui/pages/page_wireless.h"

#include <QAction>
#include <QMenu>

namespace {
// Captions of the pages in page order. Page 17 keeps the caption it was built with.
const char* const kPageCaptions[TForm6::kPageCount] = {"UTENTI",
                                                       "INGRESSI",
                                                       "USCITE",
                                                       "PERIFERICHE",
                                                       "TELEFONI",
                                                       "PARAMETRI VARI",
                                                       "PROGRAMMI",
                                                       "GRUPPI",
                                                       "WIRELESS",
                                                       "EVENTI DI SISTEMA",
                                                       "ADEMCO",
                                                       "TIMERS",
                                                       "BLOCCO INSERIMENTO",
                                                       "TEST",
                                                       "PSTN",
                                                       "EVENTI",
                                                       "PARAMETRI DI RETE",
                                                       nullptr,
                                                       "PRIORITà VETTORI"};

void setAction(QAction* a, const char* caption, const char* hint) {
    if (caption)
        a->setText(QString::fromUtf8(caption));
    // The hint is what the tool bar shows over the button (see TForm6::ActionHint); none: nothing.
    const QString text = hint ? QString::fromUtf8(hint) : QString();
    a->setToolTip(text);
    a->setProperty("hint", text);
    a->setStatusTip(QString());
}
} // namespace

QString MainWindowBaseCaption(const QString& version) {
    return QStringLiteral("TBN for (ZEPHRA)V080 ") + version;
}

void ApplyMainWindowTexts(TForm6& f, const QString& version) {
    f.File1->setTitle(QStringLiteral("&File"));
    f.Edit1->setTitle(QStringLiteral("Edit"));
    f.Comunication1->setTitle(QStringLiteral("Comunication"));
    f.SetUpCOM1->setText(QStringLiteral("Setup"));
    f.Program1->setTitle(QStringLiteral("Programma"));
    f.Debug1->setText(QStringLiteral("Debug"));
    f.Preference1->setTitle(QStringLiteral("Preference"));
    f.Exit1->setText(QStringLiteral("Exit"));

    setAction(f.Action1, "ANAGRAFICA", "ANAGRAFICA");
    setAction(f.Action20, "Save", "Save");
    setAction(f.Action18, "&Ricevi tabs", "Ricevi Tabs");
    setAction(f.Action8, "&Invia tabs", "Invia tabs");
    setAction(f.Action5, "&Ricevi tutto", "Ricevi tutto");
    setAction(f.Action6, "&Invia tutto", "Invia tutto");
    setAction(f.Action4, "CONNETTI", "CONNETTI");
    setAction(f.Action7, "EXIT", "EXIT");
    setAction(f.Action24_temp_recv, "Ricevi temp", nullptr);
    setAction(f.Action24_temp_send, "Invia temp", nullptr);
    setAction(f.Action13, "Aggiorna Eventi", nullptr);
    setAction(f.Action16, f.Action16->isChecked() ? "Disattiva/Selezione" : "Attiva/Selezione", nullptr);
    // The association pages' add and remove show a picture only: the hint names them.
    setAction(f.Action2, nullptr, "Aggiungi");
    setAction(f.Action3, nullptr, "Rimuovi");

    for (int i = 0; i < TForm6::kPageCount; ++i)
        if (kPageCaptions[i])
            f.PageControl->setTabCaption(i, QString::fromUtf8(kPageCaptions[i]));

    f.TabSheet3->PageControl_telefoni->setTabCaption(0, QStringLiteral("RUBRICA"));
    f.TabSheet3->PageControl_telefoni->setTabCaption(1, QStringLiteral("PARAMETRI DI CHIAMATA"));

    f.setWindowTitle(MainWindowBaseCaption(version));
}
