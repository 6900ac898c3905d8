#include "support/widgetfixtures.h"

#include "platform/dbcontrols.h"

#include <QPainter>
#include <QWidget>

std::unique_ptr<DataSet> makeSampleTable(int rows, const QString& name) {
    auto t = std::make_unique<DataSet>(name);
    t->addField(QStringLiteral("_ID"), FieldType::Integer).readOnly = true;
    t->addField(QStringLiteral("_Nome"), FieldType::String, 16);
    t->addField(QStringLiteral("_Enable"), FieldType::Boolean);
    t->addField(QStringLiteral("_Tipo"), FieldType::String, 20);
    t->addField(QStringLiteral("_Msg1"), FieldType::String, 16);
    t->addField(QStringLiteral("_Ora"), FieldType::String, 5).editMask = QStringLiteral("!90:00;1;_");
    for (int p = 1; p <= 8; ++p)
        t->addField(QStringLiteral("_Partizione%1").arg(p), FieldType::Boolean);
    t->addField(QStringLiteral("_Tempo"), FieldType::Integer);
    t->addField(QStringLiteral("_Codice"), FieldType::String, 6).editMask = QStringLiteral("999999;1;_");
    t->addField(QStringLiteral("_Lunghezza"), FieldType::String, 1);
    t->addField(QStringLiteral("_Stato"), FieldType::String, 3);
    t->addField(QStringLiteral("_Utente"), FieldType::String, 16);
    t->addField(QStringLiteral("_Nota"), FieldType::String, 30);
    t->open();
    static const char* const kinds[] = {"Istantaneo", "Ritardato", "24 ore", "Incendio", "Non Configurato"};
    static const char* const users[] = {"Installatore", "Mario Rossi", "Laura Bianchi", "Servizio Tecnico"};
    static const char* const words[] = {"INGRESSO", "PORTA", "FINESTRA", "GARAGE", "CUCINA", "SALA", "BOX"};
    const auto set = [&t](const char* field, const QVariant& value) {
        t->fieldByName(QString::fromLatin1(field)).setValue(value);
    };
    for (int r = 1; r <= rows; ++r) {
        t->append();
        set("_ID", r);
        set("_Nome", QStringLiteral("Ingresso %1").arg(r));
        set("_Enable", r % 5 != 0);
        set("_Tipo", QString::fromLatin1(kinds[r % 5]));
        set("_Msg1", QString::fromLatin1(words[r % 7]));
        set("_Ora", QStringLiteral("%1:%2")
                        .arg(r % 24, 2, 10, QLatin1Char('0'))
                        .arg((r * 7) % 60, 2, 10, QLatin1Char('0')));
        for (int p = 1; p <= 8; ++p)
            t->fieldByName(QStringLiteral("_Partizione%1").arg(p)).setAsBoolean((r + p) % 3 == 0);
        set("_Tempo", (r * 13) % 240);
        set("_Codice", QString::number(100000 + r * 37));
        set("_Lunghezza", r % 2 ? QStringLiteral("0") : QStringLiteral("1"));
        set("_Stato", r % 3 ? QStringLiteral("ON") : QStringLiteral("OFF"));
        set("_Utente", QString::fromLatin1(users[r % 4]));
        set("_Nota", r % 4 == 0 ? QStringLiteral("controllare il sensore") : QString());
        t->post();
    }
    t->first();
    return t;
}

std::unique_ptr<DataSet> makeTextTable(const QString& name, const QStringList& fields,
                                       const QStringList& rows) {
    auto t = std::make_unique<DataSet>(name);
    for (const QString& f : fields)
        t->addField(f, FieldType::String, 30);
    t->open();
    for (const QString& row : rows) {
        const QStringList values = row.split(QLatin1Char('|'));
        t->append();
        for (int i = 0; i < fields.size() && i < values.size(); ++i)
            t->field(i).setAsString(values[i]);
        t->post();
    }
    if (!rows.isEmpty())
        t->first();
    return t;
}

std::unique_ptr<DataSet> makeUserTable() {
    return makeTextTable(QStringLiteral("CDSet_Utenti"), {QStringLiteral("_Nome")},
                         {QStringLiteral("Installatore"), QStringLiteral("Mario Rossi"),
                          QStringLiteral("Laura Bianchi"), QStringLiteral("Servizio Tecnico")});
}

void listNames(DBLookupComboBox* lookup, DataSource* list) {
    lookup->setListSource(list);
    lookup->setKeyField(QStringLiteral("_Nome"));
    lookup->setListField(QStringLiteral("_Nome"));
}

QImage renderWidget(QWidget& widget, qreal ratio) {
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}
