#pragma once
#include "platform/dataset.h"

#include <QVariantList>

// Appends one row whose leading fields take `values` (an invalid QVariant leaves a field null).
inline void addRow(DataSet& t, const QVariantList& values) {
    t.append();
    for (int i = 0; i < values.size(); ++i)
        t.field(i).setValue(values[i]);
    t.post();
}
