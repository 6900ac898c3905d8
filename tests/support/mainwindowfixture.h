#pragma once
// The real main window over the real data module, as the start-up makes them, on a throw-away
// registry and register file; every box is answered, nothing blocks.
#include "model/datamodule.h"
#include "platform/dialogs.h"
#include "platform/registrykey.h"
#include "support/tempregistry.h"
#include "transfer/transferflags.h"
#include "ui/mainwindow.h"
#include "ui/openinstallation.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <utility>

struct MainWindowFixture {
    TempRegistry registry;
    BoxAnswerer boxes;
    std::unique_ptr<TForm6> form;

    MainWindowFixture() {
        RegistryKey reg;
        reg.openKey(kTabulonRegistryKey, true);
        reg.writeString(QStringLiteral("DATABASE"), registry.folder() + QStringLiteral("/KTabulon.cds"));
        for (auto [name, value] : {std::pair{"Top", 0}, {"Left", 0}, {"Height", 740}, {"Width", 1124}})
            reg.writeInteger(QString::fromLatin1(name), value);
        start();
    }
    ~MainWindowFixture() { stop(); }
    // The program again from its register file, as a restart would see it (the data module saves
    // the register when it is freed).
    void restart() {
        stop();
        start();
    }
    // A new installation of the model, opened as the register window opens it.
    void open(int systemType) {
        DM->AddDataSet(systemType);
        OpenInstallation();
    }
    void start() {
        new TDM;
        DM->DataModuleCreate();
        form = std::make_unique<TForm6>();
        TForm6::setProcessExit([](int) {});
        StateTrasfert = 0;
    }
    void stop() {
        form.reset();
        delete DM;
        DM = nullptr;
        StateTrasfert = 0;
    }
    // Saves a picture of `w` when TABULON_SHOT_DIR names a folder (for looking at the pages).
    static void keepShot(QWidget* w, const QString& name) {
        const QString dir = qEnvironmentVariable("TABULON_SHOT_DIR");
        if (!dir.isEmpty())
            w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
};
