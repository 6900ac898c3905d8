// Entry: the about box is the only window made here, and so the main form; everything else
// follows from the login and the data module's creation.

#include "app/aboutbox.h"
#include "app/appwiring.h"
#include "app/picturebox.h"
#include "app/windowcreation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tabulon_Zephra"));
    // The program ends only through the login's cancel and the main window's exit routine;
    // hiding or closing other windows (the about box first of all) must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    initStartupResources();
    installWindowCreation();
    wireTransferToModel();
    wireLinkToApp();

    AboutBox = new TAboutBox();
    AboutBox->show();
    return app.exec();
}
