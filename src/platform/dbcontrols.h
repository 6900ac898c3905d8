#pragma once
// Bound single-field controls: each shows one field of the current record of a table (through a
// DataSource) and follows every record move. Only a user's action writes: typing, clicking,
// choosing. Showing a value (a record move, a refresh, loading the items) never writes and never
// emits changedByUser; every control emits valueShown() each time it has shown the record's value,
// so that dependent controls can follow the stored value.
//
// Typed text (DBEdit, DBMemo, an editable DBComboBox) puts the table into edit state at the first
// change and is written when the control is left, when the table is about to post (any record move
// posts), or through updateRecord(). Clicks and list choices write at once. Errors of the table
// engine are shown to the user (ShowMessage); the control then shows the stored value again,
// except typed text, which is kept so that nothing is lost (a DBEdit whose text a coming post
// cannot store shows the stored value again once the reason was shown).

#include "platform/maskedlineedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class DataSet;
class DataSource;
class Field;
class QButtonGroup;
class QRadioButton;
enum class DataSetState : quint8;

// The link of one control to one field; tells the control when to show the record again and
// when to write its pending text.
class FieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit FieldDataLink(QObject* parent = nullptr);

    DataSource* dataSource() const { return m_source; }
    void setDataSource(DataSource* source);
    const QString& dataField() const { return m_fieldName; }
    void setDataField(const QString& name);

    DataSet* dataSet() const;
    bool active() const; // bound to an open table
    // The bound field, nullptr when unbound, closed, or the table has no such field.
    Field* field() const;
    // The field can be written by the user: it exists, is not read-only and the table is open.
    bool canModify() const;
    // Puts the table into edit state when it browses. False when refused (the reason was shown).
    bool edit();
    // edit() and then `store` on the field; engine errors are shown. False when nothing was stored.
    bool write(const std::function<void(Field&)>& store);

    // Typed text of the control. The first change puts the table into edit state; meanwhile the
    // control must not show the record again over what was typed (enteringEdit()). False when
    // the table refused the edit: the control then shows the stored value again.
    bool startTyping();
    bool typing() const { return m_typing; }
    bool enteringEdit() const { return m_enteringEdit; }
    void stopTyping() { m_typing = false; }
    // Writes the typed text when there is some; typing stops once it is stored.
    bool writeTyped(const QString& text);

Q_SIGNALS:
    void refreshNeeded();       // show the current record's value
    void updateDataRequested(); // a post is coming: write pending text now

private:
    void recordChanged(Field* field);
    void stateChanged(DataSetState state);

    QPointer<DataSource> m_source;
    QString m_fieldName;
    bool m_typing = false;
    bool m_enteringEdit = false;
};

// The data source and field of a bound control, through its link.
class FieldBound {
public:
    DataSource* dataSource() const { return m_link->dataSource(); }
    void setDataSource(DataSource* source) { m_link->setDataSource(source); }
    QString dataField() const { return m_link->dataField(); }
    void setDataField(const QString& name) { m_link->setDataField(name); }
    Field* field() const { return m_link->field(); }

protected:
    explicit FieldBound(FieldDataLink* link) : m_link(link) {}
    FieldDataLink* const m_link;
};

class DBEdit : public MaskedLineEdit, public FieldBound {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    bool modified() const { return m_link->typing(); }
    // Writes typed text into the field (the field's edit mask must be complete). False when refused.
    bool updateRecord();
    void reset(); // shows the stored value again; typed text is dropped

    std::function<bool(DBEdit&, QKeyEvent&)> onKeyDown; // true swallows the key

Q_SIGNALS:
    void changedByUser();
    void valueShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void userEdited();
};

class DBMemo : public QPlainTextEdit, public FieldBound {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);

    bool modified() const { return m_link->typing(); }
    bool updateRecord();
    void reset();

Q_SIGNALS:
    void changedByUser();
    void valueShown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void userEdited();
    bool m_showing = false;
};

class DBCheckBox : public QCheckBox, public FieldBound {
    Q_OBJECT
public:
    enum class Kind {
        Boolean,      // a Boolean field (a text field gets "True"/"False")
        OnOff,        // stores "ON"/"OFF"; the caption shows the stored value, "ON" in bold
        TrueFalseText // a text field storing "True"/"False"
    };
    explicit DBCheckBox(QWidget* parent = nullptr);
    explicit DBCheckBox(const QString& caption, QWidget* parent = nullptr);

    void setKind(Kind kind);
    Kind kind() const { return m_kind; }
    // The texts stored for the two states in a text field (compared without regard to case).
    QString valueChecked() const { return m_valueChecked; }
    QString valueUnchecked() const { return m_valueUnchecked; }
    void setValues(const QString& checked, const QString& unchecked);
    // The caption shows the value of the state ("ON" bold, "OFF" plain) while the table is open.
    bool captionShowsValue() const { return m_captionShowsValue; }
    void setCaptionShowsValue(bool on);

Q_SIGNALS:
    void clickedByUser(); // after the click's value was written
    void valueShown();

private:
    void refresh();
    void userClicked(bool checked);
    void showCaption();
    bool storedChecked() const;
    Kind m_kind = Kind::Boolean;
    QString m_valueChecked = QStringLiteral("True");
    QString m_valueUnchecked = QStringLiteral("False");
    bool m_captionShowsValue = false;
};

class DBRadioGroup : public QGroupBox, public FieldBound {
    Q_OBJECT
public:
    explicit DBRadioGroup(QWidget* parent = nullptr);
    explicit DBRadioGroup(const QString& caption, QWidget* parent = nullptr);

    // The buttons' captions, and the values stored for them (empty: the captions are stored).
    void setItems(const QStringList& items);
    const QStringList& items() const { return m_items; }
    void setValues(const QStringList& values);
    const QStringList& values() const { return m_values; }
    void setColumns(int columns);
    int itemIndex() const; // the checked button, -1 when the stored value matches none
    QString value() const; // the stored value the checked button stands for ("" for none)
    QRadioButton* button(int index) const;

Q_SIGNALS:
    void changedByUser(); // a button was clicked and its value written
    void valueShown();

private:
    void rebuild();
    void refresh();
    void userClicked(int index);
    QString valueOf(int index) const;
    QButtonGroup* m_group;
    QStringList m_items;
    QStringList m_values;
    int m_columns = 1;
    std::vector<QRadioButton*> m_buttons;
};

class DBComboBox : public QComboBox, public FieldBound {
    Q_OBJECT
public:
    // Editable: a text can be typed (stored when the box is left); else only items can be chosen.
    explicit DBComboBox(QWidget* parent = nullptr, bool editable = false);

    // Replaces the items; the stored value is shown again, nothing is written.
    void setItems(const QStringList& items);
    QStringList items() const;
    bool isDroppedDown() const { return m_droppedDown; }
    void setDropDownWidth(int pixels); // the list is at least this wide
    int dropDownWidth() const { return m_dropDownWidth; }
    bool modified() const { return m_link->typing(); }
    bool updateRecord(); // writes typed text
    void reset();
    // Replaces an editable box's text as the user's own typing would (stored when the box is
    // left, like any typed text); nothing happens on a box without text of its own.
    void typeText(const QString& text);

    std::function<bool(DBComboBox&, QKeyEvent&)> onKeyDown; // true swallows the key

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void changedByUser(); // an item was chosen (already written) or text was typed
    void valueShown();
    void droppedDown();
    void closedUp(); // the list closed; comes after the choice made in it
    void exited();   // the focus left the box (typed text was written first)

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void refresh();
    void userChose(int index);
    void userTyped();
    bool m_droppedDown = false;
    int m_dropDownWidth = 0;
};

// Shows, for the key stored in its field, the list field of the matching row of another table
// (the list source) and stores the key of the row the user chooses.
class DBLookupComboBox : public QComboBox, public FieldBound {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    DataSource* listSource() const { return m_listSource; }
    void setListSource(DataSource* source);
    QString keyField() const { return m_keyField; }
    void setKeyField(const QString& name);
    QString listField() const { return m_listField; }
    void setListField(const QString& name);
    QVariant keyValue() const; // the key of the shown row (invalid when none)

    bool isDroppedDown() const { return m_droppedDown; }
    void setDropDownWidth(int pixels);
    int dropDownWidth() const { return m_dropDownWidth; }

    void showPopup() override;
    void hidePopup() override;

Q_SIGNALS:
    void changedByUser(); // a row was chosen; its key is written and the list table is on it
    void valueShown();
    void droppedDown();
    void closedUp(); // comes after the choice made in the list

private:
    void rebuildList();
    void refresh();
    void userChose(int index);
    QPointer<DataSource> m_listSource;
    QString m_keyField;
    QString m_listField;
    std::vector<QVariant> m_keys;
    bool m_droppedDown = false;
    int m_dropDownWidth = 0;
};
