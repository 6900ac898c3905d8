#pragma once
// Events appended to the log table as the panel's event-log read leaves them: the raw code,
// argument and category, their texts, the date and time, and the day banding that flips
// whenever the day changes from one event to the next.
#include "platform/dataset.h"

#include <QDateTime>
#include <QString>

struct LogEvent {
    int code = 0;
    int arg = 0;
    int category = 0;
    QDateTime when;
    QString categoryText;
    QString description;
    QString object;
    QString reading;
};

inline void appendEvent(DataSet& log, const LogEvent& e) {
    const int last = log.recordCount();
    auto lastValue = [&](const char* name) {
        return log.valueAt(last, log.fieldByName(QLatin1String(name)).index());
    };
    const bool newDay = last == 0 || lastValue("_DataOra1").toDateTime().date() != e.when.date();
    const bool band = last > 0 && (lastValue("_Log_ColorRowDate").toBool() != newDay);
    log.append();
    auto set = [&](const char* name, const QVariant& v) { log.fieldByName(QLatin1String(name)).setValue(v); };
    set("_ID", last + 1);
    set("_IDEvento", e.code);
    set("_Arg", e.arg);
    set("_Categoria", e.category);
    set("_Categoria1", e.categoryText);
    set("_IDEvento1", e.description);
    set("_Arg1", e.object);
    set("_Reading1", e.reading);
    set("_DataOra1", e.when);
    set("_ColorEvent", e.category);
    set("_Log_ColorRowDate", band);
    log.post();
}
