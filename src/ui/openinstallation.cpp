#include "ui/openinstallation.h"

#include "ui/mainwindow.h"

void OpenInstallation() {
    if (Form6) {
        Form6->show();
        Form6->FormResize();
    }
}
