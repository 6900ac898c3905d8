#pragma once
// Register files of many bare installations (a root row of a known model, nothing nested),
// made from the bytes of a saved one: a register far larger than any a test could fill
// through the program.

#include "model/datamodule.h"
#include "model/language.h"
#include "platform/dataset.h"
#include "support/registerbytes.h"

#include <QByteArray>

// Writes a register of `count` installations of model TAVEK to `path`; false on failure.
inline bool writeManyInstallations(const QString& path, quint32 count) {
    auto saved = [&](int rows) {
        TDM dm;
        for (int r = 0; r < rows; ++r) {
            dm.CDSet_Tabulon->append();
            dm.CDSet_Tabulon->fieldByName(QStringLiteral("_NomeCliente"))
                .setAsString(QStringLiteral("Cliente"));
            dm.CDSet_Tabulon->fieldByName(QStringLiteral("_TipoCentrale"))
                .setAsString(Language::CSL_MainCentral_Combo.at(1));
            dm.CDSet_Tabulon->post();
        }
        return dm.saveRegister(path) ? readAll(path) : QByteArray();
    };
    const QByteArray one = saved(1);
    const QByteArray two = saved(2);
    // Both hold the same texts: they differ by one row, the last bytes of each.
    const qsizetype rowBytes = two.size() - one.size();
    if (one.isEmpty() || rowBytes <= 0)
        return false;
    const QByteArray row = one.right(rowBytes);
    QByteArray file = one.left(one.size() - rowBytes - 4);
    file.append(reinterpret_cast<const char*>(&count), 4);
    file.reserve(file.size() + qsizetype(count) * rowBytes);
    for (quint32 i = 0; i < count; ++i)
        file.append(row);
    resealHeader(file);
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(file) == file.size();
}
