#include "figures/widgets/DlgRotText.h"

#include "controls/DialogButtons.h"
#include "foundation/widgets/DialogStyle.h"
#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QLocale>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

TDlgRotText::TDlgRotText(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("kreisförmigerText"));
    AssignStatusFont(this);
    lblText = Named(new QLabel(QStringLiteral("Text:"), this), "lblText");
    edText = Named(new QLineEdit(this), "edText");
    edText->setMaxLength(255);
    lblText->setBuddy(edText);
    lblKerning = Named(new QLabel(QStringLiteral("Buchstabenabstand:"), this), "lblKerning");
    panKerning = Named(new QLabel(this), "panKerning");
    panKerning->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panKerning->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Spin1Up = Named(new QToolButton(this), "Spin1Up");
    Spin1Up->setArrowType(Qt::UpArrow);
    Spin1Up->setToolTip(QStringLiteral("Abstand vergrößern"));
    Spin1Down = Named(new QToolButton(this), "Spin1Down");
    Spin1Down->setArrowType(Qt::DownArrow);
    Spin1Down->setToolTip(QStringLiteral("Abstand verkleinern"));
    rgStyle = Named(new QGroupBox(this), "rgStyle");
    rbTop = Named(new QRadioButton(QStringLiteral("Text oben im Kreis"), rgStyle), "rbTop");
    rbBottom = Named(new QRadioButton(QStringLiteral("Text unten im Kreis"), rgStyle), "rbBottom");
    auto* radios = new QVBoxLayout(rgStyle);
    radios->addWidget(rbTop);
    radios->addWidget(rbBottom);

    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(Spin1Up);
    spin->addWidget(Spin1Down);
    auto* grid = new QGridLayout;
    grid->addWidget(lblText, 0, 0);
    grid->addWidget(edText, 0, 1, 1, 2);
    grid->addWidget(lblKerning, 1, 0);
    grid->addWidget(panKerning, 1, 1);
    grid->addLayout(spin, 1, 2);
    grid->addWidget(rgStyle, 2, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);

    connect(Spin1Up, &QToolButton::clicked, this, [this] { Spin1UpClick(); });
    connect(Spin1Down, &QToolButton::clicked, this, [this] { Spin1DownClick(); });
    connect(rbTop, &QRadioButton::clicked, this, [this] { Style = 0; });
    connect(rbBottom, &QRadioButton::clicked, this, [this] { Style = 1; });
    SetSpacing(1.0);
    SetStyle(0);
}

void TDlgRotText::SetSpacing(double value) {
    Spacing = std::clamp(value, 0.1, 5.0);
    panKerning->setText(QLocale().toString(Spacing));
}

void TDlgRotText::SetStyle(uint8_t value) {
    Style = value;
    if (value == 0) rbTop->setChecked(true);
    if (value == 1) rbBottom->setChecked(true);
}
