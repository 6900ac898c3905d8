#pragma once
// Keeps a table's bound controls quiet while a batch of writes or cursor moves runs: they hear
// nothing meanwhile and refresh once when it ends (also when the batch throws).

#include "platform/dataset.h"

class ControlsSuspended {
public:
    explicit ControlsSuspended(DataSet& table) : m_table(table) { m_table.disableControls(); }
    ~ControlsSuspended() { m_table.enableControls(); }
    ControlsSuspended(const ControlsSuspended&) = delete;
    ControlsSuspended& operator=(const ControlsSuspended&) = delete;

private:
    DataSet& m_table;
};
