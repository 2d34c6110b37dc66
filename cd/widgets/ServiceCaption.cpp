#include "cd/widgets/ServiceCaption.h"

#include "foundation/widgets/LocalizerForm.h"

#include <QtWidgets/QLabel>

QLabel* ServiceCaption(QWidget* parent) {
    auto* label = Named(new QLabel(QStringLiteral("CDDB-Titeldatenbank"), parent), "lblDienst");
    label->setMinimumSize(120, 30);
    label->setFrameShape(QFrame::StyledPanel);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
