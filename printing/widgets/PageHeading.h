#pragma once
// Pieces the print dialogs share: named widgets (the keys of their texts) and
// the bold question at the top of a wizard page.

#include "figures/widgets/DialogParts.h"

#include <QtWidgets/QLabel>

inline QLabel* PageHeading(QWidget* parent, const char* name, const QString& text) {
    auto* label = Named(new QLabel(text, parent), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}
