#include "ui/pages/page_vocaboli.h"

TPageVocaboli::TPageVocaboli(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet28"));
}
