#pragma once
// The program's data module over a register file at `databasePath`, made as the start-up makes
// it: the settings key with the register path and the first-run window bounds, then the data
// module's creation (which loads the register when the file exists). Needs a TempRegistry alive.

#include "model/datamodule.h"
#include "platform/registrykey.h"

#include <utility>

inline bool createProgramDataModule(const QString& databasePath) {
    RegistryKey reg;
    if (!reg.openKey(kTabulonRegistryKey, true))
        return false;
    reg.writeString(QStringLiteral("DATABASE"), databasePath);
    for (auto [name, value] : {std::pair{"Top", 0}, {"Left", 0}, {"Height", 740}, {"Width", 1124}})
        reg.writeInteger(QString::fromLatin1(name), value);
    new TDM;
    DM->DataModuleCreate();
    return true;
}
