// Bound controls: each shows the current record's value and follows record moves; only a
// user's action writes, and an engine's refusal is shown without losing what was typed.

#include "platform/dbcontrols.h"
#include "platform/dialogs.h"
#include "support/widgetfixtures.h"

#include <QtTest>

namespace {

// A shown window over a sample table, with a count of every value written to any field.
struct ControlPage {
    std::unique_ptr<DataSet> table = makeSampleTable(10);
    DataSource source{table.get()};
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    int writes = 0;

    ControlPage() {
        for (Field* f : table->fields())
            f->onChange = [this](Field&) { ++writes; };
        window.resize(400, 300);
    }
    template <class W> W* add(W* w, const QString& field) {
        layout->addWidget(w);
        w->setDataSource(&source);
        w->setDataField(field);
        return w;
    }
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    Field& field(const char* name) { return table->fieldByName(QString::fromLatin1(name)); }
    QString stored(const char* name, int recNo) { return table->stringAt(recNo, field(name).index()); }
    // Makes the engine refuse every value of the field.
    void refuse(const char* name, const QString& message) {
        field(name).onValidate = [message](Field&) { throw DataSetError(message); };
    }
};

DBRadioGroup* lengthRadio(ControlPage& page) {
    auto* radio = page.add(new DBRadioGroup, QStringLiteral("_Lunghezza"));
    radio->setItems({QStringLiteral("xxxxxx"), QStringLiteral("xxxx")});
    radio->setValues({QStringLiteral("0"), QStringLiteral("1")});
    return radio;
}

} // namespace

class DBControlsTest : public QObject {
    Q_OBJECT
private slots:
    void showingRecordsNeverWritesOrNotifies() {
        ControlPage page;
        auto* edit = page.add(new DBEdit, QStringLiteral("_Nome"));
        auto* memo = page.add(new DBMemo, QStringLiteral("_Nota"));
        auto* check = page.add(new DBCheckBox, QStringLiteral("_Enable"));
        auto* onOff = page.add(new DBCheckBox, QStringLiteral("_Stato"));
        onOff->setKind(DBCheckBox::Kind::OnOff);
        auto* radio = lengthRadio(page);
        auto* combo = page.add(new DBComboBox, QStringLiteral("_Tipo"));
        combo->setItems(
            {QStringLiteral("Istantaneo"), QStringLiteral("Ritardato"), QStringLiteral("24 ore")});
        page.show();

        QSignalSpy editUser(edit, &DBEdit::changedByUser), memoUser(memo, &DBMemo::changedByUser),
            checkUser(check, &DBCheckBox::clickedByUser), onOffUser(onOff, &DBCheckBox::clickedByUser),
            radioUser(radio, &DBRadioGroup::changedByUser), comboUser(combo, &DBComboBox::changedByUser),
            checkShown(check, &DBCheckBox::valueShown), textChanged(edit, &QLineEdit::textChanged);
        for (int r = 1; r <= 10; ++r) {
            page.table->setRecNo(r);
            QCOMPARE(edit->text(), QStringLiteral("Ingresso %1").arg(r));
            QCOMPARE(check->isChecked(), r % 5 != 0);
            QCOMPARE(onOff->text(), page.stored("_Stato", r));
            QCOMPARE(radio->itemIndex(), r % 2 ? 0 : 1);
        }
        // A value changed by code shows at once, and still counts as nobody's click.
        page.table->edit();
        page.field("_Nome").setAsString(QStringLiteral("Cucina"));
        page.field("_Enable").setAsBoolean(true);
        page.table->post();
        QCOMPARE(edit->text(), QStringLiteral("Cucina"));
        QCOMPARE(page.writes, 2); // the two writes made by the code above
        for (QSignalSpy* spy :
             {&editUser, &memoUser, &checkUser, &onOffUser, &radioUser, &comboUser, &textChanged})
            QCOMPARE(spy->count(), 0);     // the refresh emits no change signals at all
        QVERIFY(checkShown.count() >= 10); // but tells that a value was shown
    }

    // ---------------------------------------------------------------- DBEdit and DBMemo

    void typedTextIsWrittenWhenTheRecordPosts() {
        ControlPage page;
        auto* edit = page.add(new DBEdit, QStringLiteral("_Nome"));
        auto* memo = page.add(new DBMemo, QStringLiteral("_Nota"));
        auto* id = page.add(new DBEdit, QStringLiteral("_ID"));
        auto* combo = page.add(new DBComboBox(nullptr, true), QStringLiteral("_Msg1"));
        combo->setItems({QStringLiteral("PORTA"), QStringLiteral("FINESTRA")});
        page.show();
        QTest::keyClicks(id, QStringLiteral("5")); // a read-only field cannot be typed
        QCOMPARE(id->text(), QStringLiteral("1"));
        QCOMPARE(page.table->state(), DataSetState::Browse);

        QSignalSpy user(edit, &DBEdit::changedByUser);
        edit->setCursorPosition(edit->text().size());
        QTest::keyClicks(edit, QStringLiteral("X"));
        QCOMPARE(user.count(), 1);
        QCOMPARE(page.table->state(), DataSetState::Edit); // the first keystroke starts the edit
        combo->lineEdit()->selectAll();                    // an editable combo box's text is typed text too
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("CANTINA"));
        QCOMPARE(page.writes, 0); // nothing stored until the post
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("porta blindata"));
        page.table->next(); // moving posts, and the post collects every typed text
        QCOMPARE(page.stored("_Nome", 1), QStringLiteral("Ingresso 1X"));
        QCOMPARE(page.stored("_Nota", 1), QStringLiteral("porta blindata"));
        QCOMPARE(page.stored("_Msg1", 1), QStringLiteral("CANTINA"));
        QVERIFY(!edit->modified());
    }

    // An incomplete masked text and a value the engine refuses: a message, the text kept,
    // nothing written.
    void refusedTextIsShownAndKept() {
        ControlPage page;
        BoxAnswerer boxes;
        page.refuse("_Nome", QStringLiteral("Carattere non ammesso"));
        auto* time = page.add(new DBEdit, QStringLiteral("_Ora"));
        auto* edit = page.add(new DBEdit, QStringLiteral("_Nome"));
        page.show();
        time->selectAll();
        QTest::keyClick(time, Qt::Key_Delete);
        QTest::keyClicks(time, QStringLiteral("9"));
        QVERIFY(!time->updateRecord());
        QCOMPARE(boxes.count(QStringLiteral("ShowMessage")), 1);
        QCOMPARE(page.writes, 0);
        QCOMPARE(time->text().left(1), QStringLiteral("9"));
        QTest::keyClicks(time, QStringLiteral("451"));
        QVERIFY(time->updateRecord());
        QCOMPARE(page.field("_Ora").asString(), QStringLiteral("94:51"));

        boxes.clear();
        edit->setCursorPosition(edit->text().size());
        QTest::keyClicks(edit, QStringLiteral("!"));
        QVERIFY(!edit->updateRecord());
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Carattere non ammesso")});
        QCOMPARE(edit->text(), QStringLiteral("Ingresso 1!"));
        QCOMPARE(page.field("_Nome").asString(), QStringLiteral("Ingresso 1"));
        QTest::keyClick(edit, Qt::Key_Escape); // drops the entry
        QCOMPARE(edit->text(), QStringLiteral("Ingresso 1"));
        QVERIFY(!edit->modified());
    }

    // ---------------------------------------------------------------- DBCheckBox

    void booleanCheckBoxWritesOnClickUnlessRefused() {
        ControlPage page;
        BoxAnswerer boxes;
        auto* box = page.add(new DBCheckBox(QStringLiteral("Abilitato")), QStringLiteral("_Enable"));
        page.show();
        QSignalSpy clicked(box, &DBCheckBox::clickedByUser);
        box->click();
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(page.field("_Enable").asBoolean(), false);
        page.table->setRecNo(5); // posts; row 5 holds False
        QVERIFY(!page.table->booleanAt(1, page.field("_Enable").index()));
        QVERIFY(!box->isChecked());
        // A refused click shows the message and the stored value again.
        page.refuse("_Enable", QStringLiteral("Ingresso bloccato"));
        box->click();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Ingresso bloccato")});
        QVERIFY(!box->isChecked());
        QCOMPARE(clicked.count(), 1);
    }

    void onOffCheckBoxShowsItsValueAsCaption() {
        ControlPage page;
        auto* box = page.add(new DBCheckBox, QStringLiteral("_Stato"));
        box->setKind(DBCheckBox::Kind::OnOff);
        page.show();
        QCOMPARE(box->text(), QStringLiteral("ON"));
        QVERIFY(box->font().bold());
        page.table->setRecNo(3); // "OFF"
        QCOMPARE(box->text(), QStringLiteral("OFF"));
        QVERIFY(!box->font().bold() && !box->isChecked());
        box->click();
        QCOMPARE(page.field("_Stato").asString(), QStringLiteral("ON"));
        QCOMPARE(box->text(), QStringLiteral("ON"));
        QVERIFY(box->font().bold());
        // With the table closed the caption stays as it was.
        page.table->cancel();
        page.table->close();
        QCOMPARE(box->text(), QStringLiteral("OFF"));
    }

    void trueFalseTextCheckBoxStoresText() {
        auto table = makeTextTable(QStringLiteral("CDSet_Flags"), {QStringLiteral("_Flag")},
                                   {QStringLiteral("True"), QStringLiteral("TRUE"), QStringLiteral("")});
        DataSource source(table.get());
        DBCheckBox box;
        box.setKind(DBCheckBox::Kind::TrueFalseText);
        box.setDataSource(&source);
        box.setDataField(QStringLiteral("_Flag"));
        QVERIFY(box.isChecked());
        box.click();
        QCOMPARE(table->fieldByName("_Flag").asString(), QStringLiteral("False"));
        table->setRecNo(2);
        QVERIFY(box.isChecked()); // compared without regard to case
        table->setRecNo(3);
        QVERIFY(!box.isChecked()); // an empty text is unchecked
        box.click();
        QCOMPARE(table->fieldByName("_Flag").asString(), QStringLiteral("True"));
    }

    // ---------------------------------------------------------------- DBRadioGroup

    void radioGroupStoresTheValueOfTheClickedItem() {
        ControlPage page;
        auto* radio = lengthRadio(page);
        page.show();
        QSignalSpy user(radio, &DBRadioGroup::changedByUser);
        radio->button(1)->click();
        QCOMPARE(user.count(), 1);
        QCOMPARE(page.field("_Lunghezza").asString(), QStringLiteral("1"));
        // A stored value no item stands for: no button checked.
        page.field("_Lunghezza").setAsString(QStringLiteral("7"));
        QCOMPARE(radio->itemIndex(), -1);
        QVERIFY(!radio->button(0)->isChecked() && !radio->button(1)->isChecked());
        QCOMPARE(user.count(), 1);
        // Without values the captions are stored.
        radio->setValues({});
        radio->button(0)->click();
        QCOMPARE(page.field("_Lunghezza").asString(), QStringLiteral("x")); // cut to the field's size
    }

    // ---------------------------------------------------------------- DBComboBox

    void comboBoxWritesTheChosenItem() {
        ControlPage page;
        auto* combo = page.add(new DBComboBox, QStringLiteral("_Tipo"));
        page.show();
        QSignalSpy user(combo, &DBComboBox::changedByUser);
        combo->setItems(
            {QStringLiteral("Istantaneo"), QStringLiteral("Ritardato"), QStringLiteral("24 ore")});
        QCOMPARE(combo->currentText(), QStringLiteral("Ritardato")); // row 1
        QCOMPARE(page.writes, 0);
        QTest::keyClick(combo, Qt::Key_Down); // a choice from the keyboard
        QCOMPARE(user.count(), 1);
        QCOMPARE(page.field("_Tipo").asString(), QStringLiteral("24 ore"));
        page.table->post();
        // A stored text that is no item shows nothing chosen and writes nothing.
        page.table->setRecNo(4); // "Non Configurato"
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(user.count(), 1);

        // The list's opening is reported while open; its closing after the choice it made.
        QSignalSpy closed(combo, &DBComboBox::closedUp);
        bool droppedDuringHandler = false;
        connect(combo, &DBComboBox::droppedDown, [&] { droppedDuringHandler = combo->isDroppedDown(); });
        combo->showPopup();
        QVERIFY(droppedDuringHandler);
        combo->hidePopup();
        QCOMPARE(closed.count(), 0);
        QTRY_COMPARE(closed.count(), 1);
    }

    // ---------------------------------------------------------------- DBLookupComboBox

    void lookupStoresTheKeyOfTheChosenRow() {
        ControlPage page;
        auto users = makeUserTable();
        DataSource userSource(users.get());
        auto* lookup = page.add(new DBLookupComboBox, QStringLiteral("_Utente"));
        listNames(lookup, &userSource);
        page.show();
        QSignalSpy user(lookup, &DBLookupComboBox::changedByUser);
        QCOMPARE(lookup->currentText(), QStringLiteral("Mario Rossi")); // row 1
        users->setRecNo(4);
        QCOMPARE(lookup->currentText(), QStringLiteral("Mario Rossi")); // the list's cursor is not the value
        QTest::keyClick(lookup, Qt::Key_Down);
        QCOMPARE(user.count(), 1);
        QCOMPARE(page.field("_Utente").asString(), QStringLiteral("Laura Bianchi"));
        QCOMPARE(users->recNo(), 3); // the list table is put on the chosen row
        page.table->post();
        // A renamed user shows under the new name; the stored key (the old name) shows nothing.
        users->edit();
        users->fieldByName("_Nome").setAsString(QStringLiteral("Laura B."));
        users->post();
        QCOMPARE(lookup->itemText(2), QStringLiteral("Laura B."));
        QCOMPARE(lookup->currentIndex(), -1);
        QCOMPARE(user.count(), 1);
    }
};

QTEST_MAIN(DBControlsTest)
#include "test_dbcontrols.moc"
