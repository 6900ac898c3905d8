// What the program writes to a panel it reads back unchanged: an installation of every model sent
// with "Invia tutto" from the main window to the simulated panel, the installation then filled
// with other contents, and "Ricevi tutto" of the same panel: every field as it was. Fresh
// installations (network addresses 0.0.0.0), and installations holding the least (empty, zero)
// and the most every kind of field can send.
#include "link/comset.h"
#include "model/lang.h"
#include "platform/editmask.h"
#include "support/installationdump.h"
#include "support/linkedwindow.h"
#include "support/panelmemory.h"
#include "transfer/codec_layout.h"
#include "transfer/transferstate.h"

#include <QRandomGenerator>
#include <QSet>

namespace {

using namespace Codec;

// "table.field: was -> now (row n)" for every value that changed.
QStringList differences(const QMap<QString, QStringList>& was, const QMap<QString, QStringList>& now) {
    QStringList out;
    for (auto it = was.begin(); it != was.end(); ++it) {
        if (fieldsKeptHome().contains(fieldFamily(it.key(), fieldsKeptHome())))
            continue;
        const QStringList& after = now.value(it.key());
        for (int i = 0; i < it.value().size(); ++i)
            if (after.value(i) != it.value()[i]) {
                out << QStringLiteral("%1: \"%2\" -> \"%3\" (row %4)")
                           .arg(it.key(), it.value()[i], after.value(i))
                           .arg(i + 1);
                break;
            }
    }
    return out;
}

enum class Edge { Least, Most };

// A text of `length` characters that is unique in its table (row number first) and carries a
// letter outside ASCII.
QString fullText(int row, int length) {
    return (QString::number(row) + QStringLiteral("è") + QString(length, QLatin1Char('W'))).left(length);
}

// The number of characters a masked text holds.
int maskPlaces(const QString& mask) {
    const EditMask m(mask);
    int places = 0;
    for (int pos = 0; pos < m.length(); ++pos)
        places += m.isLiteral(pos) ? 0 : 1;
    return places;
}

// The name of the last output: the largest terminal reference a keypad can hold.
QString lastOutputName() {
    DataSet* t = DM->CDSet_Uscite;
    return t->stringAt(t->recordCount(), t->fieldByName(QStringLiteral("_Nome")).index());
}

// Writes the edge value of one wire field into row r of t (in edit). A value the data module
// refuses is left as it was: the register cannot hold it, so it can never be sent.
void setEdge(const FieldSpec& f, DataSet* t, int r, Edge edge) {
    const bool most = edge == Edge::Most;
    const bool empty = r % 2 == 1;
    auto set = [&](const QString& name, const QVariant& v) {
        try {
            t->fieldByName(name).setValue(v);
        } catch (const DataSetError&) {
        }
    };
    switch (f.wire) {
    case Wire::Name:
    case Wire::Text: {
        const Field& field = t->fieldByName(f.name);
        const int room = std::min(f.size, field.size() > 0 ? int(field.size()) : f.size);
        if (f.name == QLatin1String("_CodiceIDC"))
            set(f.name, most ? QStringLiteral("999") : QStringLiteral("100"));
        else if (!field.editMask.isEmpty())
            set(f.name,
                most ? QString(std::min(room, maskPlaces(field.editMask)), QLatin1Char('9')) : QString());
        else
            set(f.name, most ? fullText(r, room) : QString());
        return;
    }
    case Wire::Digits:
        // Codes differ from row to row: two users may not share one.
        set(f.name, most ? QString::number(1000000 - r) : QString());
        return;
    case Wire::Number:
    case Wire::NumberText: {
        const int top = f.list ? std::min(f.max, int(f.list().size()) - 1) : f.max;
        const int v = most ? top : f.min;
        set(f.name, f.wire == Wire::Number ? QVariant(v) : QVariant(QString::number(v)));
        if (f.list && !f.companion.isEmpty())
            set(f.companion, f.list().value(v));
        return;
    }
    case Wire::Bits:
        for (const QString& bit : f.bitFields)
            set(bit, most);
        return;
    case Wire::OnOff:
        set(f.name, most ? QStringLiteral("ON") : QStringLiteral("OFF"));
        return;
    case Wire::Position:
    case Wire::Sign: {
        const QStringList items = f.list();
        int last = int(items.size()) - 1;
        if (f.wire == Wire::Sign) // the last item that has a sign
            while (last >= 0 && f.signs().value(last).isEmpty())
                --last;
        set(f.name, most && last >= 0 ? items[last] : QString());
        return;
    }
    case Wire::Ip4:
        set(f.name, most ? QStringLiteral("255.255.255.255") : QStringLiteral("0.0.0.0"));
        return;
    // The least time is empty on odd rows and zero on even ones.
    case Wire::HourMin:
        set(f.name, most ? QStringLiteral("23:59") : empty ? QString() : QStringLiteral("00:00"));
        return;
    case Wire::HourMinSec:
        set(f.name, most ? QStringLiteral("99:59:59") : empty ? QString() : QStringLiteral("00:00:00"));
        return;
    case Wire::DayMonth:
        set(f.name, most ? QStringLiteral("31/12") : empty ? QString() : QStringLiteral("00/00"));
        return;
    case Wire::Terminal: {
        const bool outputs = DM->CDSet_Uscite->recordCount() > 0;
        set(f.name, most && outputs ? lastOutputName() : Lang::WiringNotConfigured());
        return;
    }
    case Wire::WordIndex: {
        const QStringList words = vocabularyWords();
        const int v = most ? int(words.size()) - 1 : empty ? -1 : 0;
        set(f.name, v);
        set(f.companion, words.value(v));
        return;
    }
    case Wire::Links:
        return; // after the row is posted (setEdgeLinks)
    }
}

// The link rows of row r: none, or one for every item the model has.
void setEdgeLinks(const FieldSpec& f, DataSet* t, int r, Edge edge) {
    t->setRecNo(r);
    DataSet* nested = t->fieldByName(f.name).nestedDataSet();
    nested->emptyDataSet();
    if (edge == Edge::Least)
        return;
    const QStringList names = f.itemNames ? f.itemNames() : QStringList();
    for (int item = 1; item <= std::min<int>(f.size * 8, int(names.size())); ++item) {
        nested->append();
        nested->fieldByName(QStringLiteral("_ID")).setAsInteger(item);
        nested->fieldByName(QStringLiteral("_Nome")).setAsString(names.value(item - 1));
        nested->fieldByName(f.flag).setAsBoolean(true);
        nested->post();
    }
}

// Every field of every configuration command at its edge, in the order a read applies them
// (names before what refers to names).
void setEdgeValues(Edge edge) {
    std::vector<const Layout*> layouts;
    for (int c = 0; c < CommandCount; ++c)
        if (const Layout* l = layoutOf(c))
            layouts.push_back(l);
    std::stable_sort(layouts.begin(), layouts.end(),
                     [](const Layout* a, const Layout* b) { return a->applyRank < b->applyRank; });
    for (const Layout* layout : layouts) {
        for (const Block& b : layout->blocks) {
            forEachRow(b, [&](DataSet* t, int r) {
                if (r == 0)
                    return;
                const int keep = t->recNo();
                t->setRecNo(r);
                t->edit();
                for (const FieldSpec& f : b.fields)
                    setEdge(f, t, r, edge);
                t->post();
                for (const FieldSpec& f : b.fields)
                    if (f.wire == Wire::Links)
                        setEdgeLinks(f, t, r, edge);
                if (keep > 0)
                    t->setRecNo(keep);
            });
        }
    }
}

// Random contents of every configuration command written into the installation, names first.
void takeElsewhere(QRandomGenerator& rng) {
    const QMap<int, QByteArray> streams = PanelMemory::randomConfiguration(rng);
    std::vector<const Layout*> layouts;
    for (auto it = streams.begin(); it != streams.end(); ++it)
        layouts.push_back(layoutOf(it.key()));
    std::stable_sort(layouts.begin(), layouts.end(),
                     [](const Layout* a, const Layout* b) { return a->applyRank < b->applyRank; });
    for (const Layout* l : layouts) {
        QCOMPARE(validateStream(*l, streams[l->command]), SENDOK);
        applyStream(*l, streams[l->command]);
    }
}

} // namespace

class TestSendReadBack : public QObject {
    Q_OBJECT
private slots:
    void whatIsSentReadsBackUnchanged_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("edge"); // -1 a fresh installation, else an Edge
        const char* models[] = {"TAVEK", "MIRUN", "MIRUNPLUS", "PELUN", "QUANE", "ZOREM"};
        for (int m = 1; m <= 6; ++m)
            QTest::addRow("%s fresh", models[m - 1]) << m << -1;
        for (int m : {1, 6}) { // the smallest model and the largest
            QTest::addRow("%s least", models[m - 1]) << m << int(Edge::Least);
            QTest::addRow("%s most", models[m - 1]) << m << int(Edge::Most);
        }
    }
    void whatIsSentReadsBackUnchanged() {
        QFETCH(int, type);
        QFETCH(int, edge);
        LinkedWindow w(type);
        QVERIFY(w.connect());
        TForm6& f = w.form();
        if (edge >= 0)
            setEdgeValues(Edge(edge));
        w.fx.boxes.clear();
        const auto sent = installationDump();

        QVERIFY(w.run(f.Action6)); // "Invia tutto"
        // The installation is taken elsewhere (another panel's contents put straight into it),
        // so that only what the read brings back can make it whole again...
        QRandomGenerator rng(uint(20261207 + type));
        takeElsewhere(rng);
        QVERIFY(!differences(sent, installationDump()).isEmpty());
        // ...and "Ricevi tutto", answered Yes, reads what was sent.
        QVERIFY(w.run(f.Action5));
        const QStringList changed = differences(sent, installationDump());
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1Char('\n'))));
        QVERIFY2(w.fx.warnings().isEmpty(), qPrintable(w.fx.warnings().join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestSendReadBack)
#include "test_sendreadback.moc"
