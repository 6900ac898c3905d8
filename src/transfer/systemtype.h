#pragma once
// What the connected panel reported about itself (identity and status command).
#include <QByteArray>
#include <QString>
#include <array>

struct SystemType {
    QString SystemSWver; // "major.minor", minor two digits
    QString SystemHWver;
    QString SystemName;               // the panel's own name (16-byte slot)
    int System = 0;                   // reported model code 1..6
    int SystemMod = 0;                // radio range: 0 none, 1 433 MHz, 2 868 MHz, 3 both
    bool SystemConfirm = false;       // the user accepted a model that differs from the installation's
    std::array<QByteArray, 5> Status; // raw status parts 2..6, decoded by the live-status codec
};

extern SystemType Sys;
