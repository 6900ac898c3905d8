#include "ui/phonetitles.h"

#include "model/datamodule.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/gridpaint.h"

#include <QPointer>
#include <QWidget>

namespace PhoneTitles {

namespace {
// The grids whose columns are titled with the phone names, and the field prefix of those columns.
const struct {
    const char* grid;
    const char* prefix;
} kPhoneColumns[] = {
    {"DBGrid11", "_TipoChiamataTel"}, // inputs, "Telefoni"
    {"DBGrid29", "_AssociaTel"},      // outputs
    {"DBGrid32", "_Tel"},             // system events
};
} // namespace

void apply(DBGrid& grid, const QString& fieldPrefix) {
    if (!DM)
        return;
    const DataSet& phones = *DM->CDSet_Phone;
    // Without an open phone book (no installation) the columns keep their fields' titles.
    const bool named = phones.active();
    bool changed = false;
    for (int c = 0; c < grid.columnCount(); ++c) {
        DBGridColumn& column = grid.column(c);
        const QString& field = column.fieldName();
        if (!field.startsWith(fieldPrefix))
            continue;
        bool ok = false;
        const int n = field.mid(fieldPrefix.size()).toInt(&ok);
        if (!ok || n < 1 || n > 8)
            continue;
        // An entry without a label (or a phone book without entry n) leaves the column untitled.
        const QString name = named ? GetNameTable(phones, QStringLiteral("_Nome"), n) : QString();
        if (column.title.caption != name || column.title.captionSet != named) {
            column.title.caption = name;
            column.title.captionSet = named;
            changed = true;
        }
    }
    if (changed)
        grid.viewport()->update();
}

void follow(QWidget& root, QObject* context) {
    if (!DM)
        return;
    struct Target {
        QPointer<DBGrid> grid;
        QString prefix;
    };
    auto targets = std::make_shared<std::vector<Target>>();
    for (const auto& p : kPhoneColumns)
        if (auto* grid = root.findChild<DBGrid*>(QString::fromLatin1(p.grid)))
            targets->push_back({grid, QString::fromLatin1(p.prefix)});
    auto refresh = [targets] {
        for (const Target& t : *targets)
            if (t.grid)
                apply(*t.grid, t.prefix);
    };
    refresh();
    DataSource* phones = DM->DataSource_Phone;
    QObject::connect(phones, &DataSource::recordChanged, context, refresh);
    QObject::connect(phones, &DataSource::dataSetChanged, context, refresh);
    QObject::connect(phones, &DataSource::activeChanged, context, refresh);
}

} // namespace PhoneTitles
