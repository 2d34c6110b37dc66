#pragma once
// The bold question at the top of a page of the print wizards, named for the
// key of its text.

#include "foundation/widgets/LocalizerForm.h"

#include <QtWidgets/QLabel>

inline QLabel* PageHeading(QWidget* parent, const char* name, const QString& text) {
    auto* label = Named(new QLabel(text, parent), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}
