#include "ui/openinstallation.h"

#include "transfer/transferflags.h"
#include "ui/celleditors.h"
#include "ui/imagelist.h"
#include "ui/installationlayout.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_links.h"
#include "ui/pagecontrol.h"
#include "ui/pages/page_contactid.h"
#include "ui/pages/page_utenti.h"

void OpenInstallation() {
    using namespace MainWindowLinks;
    // A row still being edited in the register window is kept before its model is read.
    postRegisterRow();
    const int type = systemType();
    if (Form6) {
        Form6->cellEditors().hideAll();
        InstallationLayout::Apply(*Form6, type);
        Form6->cellEditors().fitColumnsToItems();
        TPageControl* fpt = Form6->TabSheet12->PageControl_FPT;
        // Set from code, so no page change runs: the transfer actions are set here to follow
        // the page now in front, whichever page the window showed before.
        Form6->PageControl->setActivePage(Form6->TabSheet4);
        fpt->setActivePage(Form6->TabSheet12->TabSheet33);
        Form6->PageControl->highlightActiveOnly();
        fpt->highlightActiveOnly();
        Form6->followActivePage();
    }
    selectSystem(type);
    // Links that name no item can only come from a damaged or foreign file: they go before
    // any page shows them.
    dropDanglingLinks();
    rewindTables();
    if (Form6)
        Form6->setStateIcon(Img2::InstallationOpen);
    hideRegisterWindow();
    if (Form6) {
        Form6->show();
        Form6->FormResize();
    }
    // The next transfer exchanges the message vocabulary again.
    ShortList = false;
    disconnectCloudLink();
    resetConnectionList();
}
