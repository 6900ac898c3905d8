#pragma once
// Keys as a keyboard gives them: every press and release goes to the widget that has the focus
// at that moment (the platform's own route), with the shortcut check first. Shift, Ctrl and Alt
// are keys of their own, pressed before the key they change and released after it.
#include "platform/dbgrid.h"
#include "platform/maskedlineedit.h"

#include <QApplication>
#include <QtTest>

namespace RealKeys {

// Shows `window` and makes it the active one, so the keys go where a person's would.
inline void activate(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// One key event, delivered as simulated platform input is: to the focus widget, after the
// shortcut-override check. A key nobody takes is no fault here (a bare modifier usually isn't).
inline void send(bool press, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus, "no widget has the focus");
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, text);
    QSpontaneKeyEvent::setSpontaneous(&event);
    if (press && qt_sendShortcutOverrideEvent(focus, event.timestamp(), key, mods, text, false, 1))
        return;
    qApp->notify(focus, &event);
}

// A modifier key pressed and released on its own.
inline void bareModifier(Qt::Key key) {
    const Qt::KeyboardModifier held = key == Qt::Key_Shift     ? Qt::ShiftModifier
                                      : key == Qt::Key_Control ? Qt::ControlModifier
                                                               : Qt::AltModifier;
    send(true, key, Qt::NoModifier);
    send(false, key, held);
}

// A key with `mods` held: each modifier goes down first and comes up last, as fingers do.
inline void chord(int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    if (mods & Qt::ShiftModifier)
        send(true, Qt::Key_Shift, Qt::NoModifier);
    if (mods & Qt::ControlModifier)
        send(true, Qt::Key_Control, mods & Qt::ShiftModifier);
    send(true, key, mods, text);
    send(false, key, mods, text);
    if (mods & Qt::ControlModifier)
        send(false, Qt::Key_Control, mods);
    if (mods & Qt::ShiftModifier)
        send(false, Qt::Key_Shift, mods & ~Qt::ControlModifier);
}

// The key that writes `c` on an Italian keyboard, and whether Shift is held for it.
inline std::pair<int, bool> keyOf(QChar c) {
    if (c.isLetter() && c.unicode() < 128)
        return {Qt::Key_A + (c.toUpper().unicode() - 'A'), c.isUpper()};
    if (c.unicode() < 128)
        return {c.unicode(), false};
    return {c.toUpper().unicode(), c.isUpper()}; // è, à, ù: Qt::Key_Egrave and the like
}

// Named keys of a typing script, written in braces: "{Home}", "{^A}" (Ctrl+A).
inline bool namedKey(const QString& name) {
    static const QHash<QString, int> plain = {
        {QStringLiteral("Home"), Qt::Key_Home},  {QStringLiteral("End"), Qt::Key_End},
        {QStringLiteral("Del"), Qt::Key_Delete}, {QStringLiteral("BS"), Qt::Key_Backspace},
        {QStringLiteral("Esc"), Qt::Key_Escape}, {QStringLiteral("Tab"), Qt::Key_Tab},
        {QStringLiteral("Ret"), Qt::Key_Return}, {QStringLiteral("F2"), Qt::Key_F2},
        {QStringLiteral("Left"), Qt::Key_Left},  {QStringLiteral("Right"), Qt::Key_Right},
        {QStringLiteral("Up"), Qt::Key_Up},      {QStringLiteral("Down"), Qt::Key_Down}};
    static const QHash<QString, Qt::Key> modifiers = {{QStringLiteral("Shift"), Qt::Key_Shift},
                                                      {QStringLiteral("Ctrl"), Qt::Key_Control},
                                                      {QStringLiteral("Alt"), Qt::Key_Alt}};
    if (plain.contains(name)) {
        const int key = plain.value(name);
        const QString text = key == Qt::Key_Return      ? QStringLiteral("\r")
                             : key == Qt::Key_Tab       ? QStringLiteral("\t")
                             : key == Qt::Key_Escape    ? QString(QChar(0x1b))
                             : key == Qt::Key_Backspace ? QStringLiteral("\b")
                             : key == Qt::Key_Delete    ? QString(QChar(0x7f))
                                                        : QString();
        chord(key, Qt::NoModifier, text);
        return true;
    }
    if (modifiers.contains(name)) {
        bareModifier(modifiers.value(name));
        return true;
    }
    if (name.size() == 2 && name.at(0) == QLatin1Char('^')) { // Ctrl with a letter
        chord(Qt::Key_A + (name.at(1).toUpper().unicode() - 'A'), Qt::ControlModifier,
              QString(QChar(name.at(1).toUpper().unicode() - 'A' + 1)));
        return true;
    }
    return false;
}

// Types `script` key by key into whatever has the focus at each key: characters as they are
// (a capital with its Shift), and named keys in braces, e.g. "{^A}Rossi{Home}{Del}{Ret}".
inline void type(const QString& script) {
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script.at(i) == QLatin1Char('{')) {
            const qsizetype close = script.indexOf(QLatin1Char('}'), i);
            const QString name = script.mid(i + 1, close - i - 1);
            QVERIFY2(close > i && namedKey(name), qPrintable(QStringLiteral("no key named ") + name));
            i = close;
            continue;
        }
        const QChar c = script.at(i);
        const auto [key, shifted] = keyOf(c);
        chord(key, shifted ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }
}

// Opens the in-place editor of a cell as a user does: a click selects the cell, a second click
// on the selected cell opens its editor.
inline void openByClicks(DBGrid* grid, int recNo, int dataCol) {
    const auto clickCell = [&] {
        const int row = recNo - grid->topRecNo() + grid->titleOffset();
        const QRect r =
            grid->cellRect(grid->gridColumnOf(dataCol), row).intersected(grid->viewport()->rect());
        QVERIFY2(!r.isEmpty(), "the cell is not on screen");
        QWidget* target = grid->viewport()->childAt(r.center()); // what lies over the cell
        if (!target)
            target = grid->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid->viewport(), r.center()));
    };
    clickCell();
    if (!grid->editorMode())
        clickCell();
    QVERIFY2(grid->editorMode(), "two clicks opened no editor");
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(grid->inplaceEditor()));
}

} // namespace RealKeys
