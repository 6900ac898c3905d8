#pragma once
// Internals of DBGrid shared by its source files (not for other parts of the program).

#include "platform/dbgrid.h"

#include <QHash>
#include <QMetaObject>
#include <QStaticText>

#include <unordered_map>

namespace dbgrid_detail {
constexpr int kIndicatorWidth =
    19; // the indicator column plus its line makes the 20 pixels the fitting counts
constexpr int kTextLeft = DBGrid::kTextInset;
constexpr int kTextTop = 2;
constexpr int kResizeGrip = 3;                   // pixels either side of a title border that start a resize
constexpr quint32 kDefaultBackground = 16577261; // $00FCF2ED
constexpr quint32 kDataLines = 12632256;         // $00C0C0C0

struct TextCache {
    std::unordered_map<QString, QHash<QString, QStaticText>> byFont; // font key -> text -> shaped text
    QFont lastFont;                                                  // the font of lastTexts
    QHash<QString, QStaticText>* lastTexts = nullptr;
    int entries = 0;
};
} // namespace dbgrid_detail

struct DBGrid::Private {
    dbgrid_detail::TextCache textCache;
    MaskedLineEdit* editor = nullptr;
    bool editorModified = false;
    bool refusalShown = false;            // the editor's text was refused and the user told so
    bool retyping = false;                // a key changed by onKeyPress is being typed into the editor
    bool keyFromEditor = false;           // a key the editor passed on to the grid is being handled
    bool forwarding = false;              // a key of the grid's is being handed to the editor
    const QEvent* keyFromBelow = nullptr; // the key the viewport passed up from the editor, if any
    bool titleFontSet = false;
    int curRecNo = 0; // the cursor row the grid last showed
    int wheelRemainder = 0;
    std::vector<int> markRecNos; // record numbers of the marked rows, ascending (for painting)
    QMetaObject::Connection focusConnection;
};
