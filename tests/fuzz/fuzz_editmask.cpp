// Edit masks and their line edit: the first line of the input is a mask, the rest a stored
// value and then keys typed into the editor. The text shown always has the mask's length.

#include "platform/editmask.h"
#include "platform/maskedlineedit.h"

#include <QApplication>
#include <QKeyEvent>

#include <cstdint>
#include <cstdlib>

namespace {
MaskedLineEdit* g_edit = nullptr;

void press(int key, const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(g_edit, &down);
}
// Whether two input positions that one right-aligned value may occupy convert case differently:
// those of one run between stored literals, or all of them when literals are not stored.
bool caseChangesWithinARun(const EditMask& m) {
    QString runCase; // how the run's first position converts 'a' and 'A'
    for (int pos = 0; pos < m.length(); ++pos) {
        if (m.isLiteral(pos)) {
            if (m.saveLiterals())
                runCase.clear();
            continue;
        }
        const QString conversion = QString(m.transform(pos, u'a')) + m.transform(pos, u'A');
        if (runCase.isEmpty())
            runCase = conversion;
        else if (conversion != runCase)
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: tearing the application down at exit, after the fuzzer's last run,
    // is no part of what is tested (and Qt's input devices do not survive it).
    new QApplication(*argc, *argv);
    g_edit = new MaskedLineEdit;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const QString mask = cut < 0 ? input : input.left(cut);
    const QString rest = cut < 0 ? QString() : input.mid(cut + 1);
    const qsizetype keysAt = rest.indexOf(QLatin1Char('\n'));
    const QString stored = keysAt < 0 ? rest : rest.left(keysAt);
    const QString keys = keysAt < 0 ? QString() : rest.mid(keysAt + 1);

    const EditMask m(mask);
    const QString display = m.displayText(stored);
    if (!m.isEmpty() && display.size() != m.length())
        std::abort();
    m.isComplete(display);
    m.validate(display);
    // Whatever a stored value was, once stored back from what is shown it no longer changes
    // by being shown and stored again. This holds where a stored value can say what it
    // means: masks that show '_' in empty positions and whose literals no input position
    // accepts and are not blanks (every mask of the program: ':' and '/' between digits).
    // Elsewhere a literal typed as input, or a blank, reads as something else. Nor where '!'
    // right-aligns a run of positions that convert case differently (no mask of the program
    // does): a value stored from the left of such a run is shown at its right end, where its
    // letters take another case.
    bool ambiguous = m.blank() != u'_' || (m.leadingBlanks() && caseChangesWithinARun(m));
    for (int literal = 0; literal < m.length() && !ambiguous; ++literal) {
        if (!m.isLiteral(literal))
            continue;
        const QChar c = m.literalAt(literal);
        ambiguous = c == u' ' || c == u'_';
        for (int pos = 0; pos < m.length() && !ambiguous; ++pos)
            ambiguous = !m.isLiteral(pos) && m.accepts(pos, c);
    }
    const QString back = m.storedValue(display);
    if (!ambiguous && m.storedValue(m.displayText(back)) != back)
        std::abort();

    g_edit->setEditMask(mask);
    g_edit->setStoredText(stored);
    for (const QChar c : keys) {
        switch (c.unicode()) {
        case 1:
            press(Qt::Key_Backspace);
            break;
        case 2:
            press(Qt::Key_Delete);
            break;
        case 3:
            press(Qt::Key_Home);
            break;
        case 4:
            press(Qt::Key_End);
            break;
        case 5:
            press(Qt::Key_Left);
            break;
        case 6:
            press(Qt::Key_Right);
            break;
        default:
            press(Qt::Key_unknown, QString(c));
            break;
        }
    }
    if (g_edit->hasMask() && g_edit->text().size() != EditMask(mask).length())
        std::abort();
    g_edit->storedText();
    g_edit->validationError();
    return 0;
}
