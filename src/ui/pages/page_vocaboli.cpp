#include "ui/pages/page_vocaboli.h"

TPageVocaboli::TPageVocaboli(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet28"));
}

#include "moc_page_vocaboli.cpp"
