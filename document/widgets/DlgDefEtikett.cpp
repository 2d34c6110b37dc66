#include "document/widgets/DlgDefEtikett.h"

#include "controls/DialogButtons.h"
#include "controls/EnterAsTab.h"
#include "controls/ValidateEdit.h"
#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "foundation/widgets/DialogStyle.h"

#include <QtGui/QPainter>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QVBoxLayout>

namespace {

// A page with four labels; red bars with end ticks measure, along the first
// row, the left margin, the label width and the horizontal gap, and down the
// second column the top margin, the label height and the vertical gap.
class TDefinitionPicture : public QWidget {
public:
    explicit TDefinitionPicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("imgSchema"));
        setFixedSize(170, 220);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect page(10, 10, 150, 200);
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(page);
        constexpr int left = 22, top = 26, w = 54, h = 64, gapX = 16, gapY = 14;
        p.setBrush(QColor(0xE6, 0xF3, 0xE2));
        p.setPen(QColor(0x80, 0x80, 0x80));
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                p.drawRect(page.left() + left + column * (w + gapX), page.top() + top + row * (h + gapY), w, h);

        p.setPen(QPen(Qt::red, 2));
        const int rowY = page.top() + top + h / 2;
        int x = page.left();
        for (const int length : {left, w, gapX}) {
            Bar(p, QPoint(x, rowY), QPoint(x + length, rowY));
            x += length;
        }
        const int columnX = page.left() + left + w + gapX + w / 2;
        int y = page.top();
        for (const int length : {top, h, gapY}) {
            Bar(p, QPoint(columnX, y), QPoint(columnX, y + length));
            y += length;
        }
    }

private:
    static void Bar(QPainter& p, QPoint from, QPoint to) {
        p.drawLine(from, to);
        const QPoint tick = from.y() == to.y() ? QPoint(0, 4) : QPoint(4, 0);
        p.drawLine(from - tick, from + tick);
        p.drawLine(to - tick, to + tick);
    }
};

// What the user types into a field is not a text of the program.
void ExcludeFieldTexts(std::initializer_list<const char*> names) {
    for (const char* name : names)
        Localizer().AddExportExclusion(QStringLiteral("TDlgDefEtikett"), QString::fromLatin1(name), QStringLiteral("Text"));
}

// A number field from 0 to the limit that refuses other input at once.
template <class Edit, class Value>
Edit* NumberField(QWidget* owner, const char* name, Value limit) {
    auto* field = Named(new Edit(owner), name);
    field->SetLimits(Value{0}, limit);
    field->SetValidate(veOnOwnerCloseQuery | veOnExit | veOnKeyPress);
    field->SetInvalidAction(vaNormalize | vaIgnoreChar | vaFocusBack | vaFocusException | vaOutOfRangeException |
                            vaInvalidCharException);
    field->setMaximumWidth(90);
    return field;
}

TQDXFloatEdit* LengthField(QWidget* owner, const char* name) {
    return NumberField<TQDXFloatEdit>(owner, name, kMaxDefinitionLength);
}

TQDXIntegerEdit* CountField(QWidget* owner, const char* name) {
    return NumberField<TQDXIntegerEdit>(owner, name, kMaxDefinitionCount);
}

}  // namespace

TDlgDefEtikett::TDlgDefEtikett(QWidget* parent) : TCloseQueryDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Etikett definieren"));
    edX = LengthField(this, "edX");
    edY = LengthField(this, "edY");
    edRX = LengthField(this, "edRX");
    edRY = LengthField(this, "edRY");
    edAX = LengthField(this, "edAX");
    edAY = LengthField(this, "edAY");
    edNX = CountField(this, "edNX");
    edNY = CountField(this, "edNY");
    edBezeichnung = Named(new QLineEdit(this), "edBezeichnung");
    ExcludeFieldTexts({"edX", "edY", "edRX", "edRY", "edAX", "edAY", "edNX", "edNY", "edBezeichnung"});

    struct Row {
        QWidget* field;
        const char* label;
        const char* caption;
        const char* unit;
    };
    const Row rows[] = {
        {edX, "lblX", "Breite des Etiketts", "lblMMX"},
        {edY, "lblY", "Höhe des Etiketts", "lblMMY"},
        {edRX, "lblRX", "waagrechter Randabstand", "lblMMRX"},
        {edRY, "lblRY", "senkrechter Randabstand", "lblMMRY"},
        {edAX, "lblAX", "waagrechter Etikettenabstand", "lblMMAX"},
        {edAY, "lblAY", "senkrechter Etikettenabstand", "lblMMAY"},
        {edNX, "lblNX", "Anzahl der Etiketten in horizontaler Richtung", nullptr},
        {edNY, "lblNY", "Anzahl der Etiketten in vertikaler Richtung", nullptr},
    };
    auto* grid = new QGridLayout;
    int line = 0;
    for (const Row& row : rows) {
        auto* label = Named(new QLabel(QString::fromUtf8(row.caption), this), row.label);
        label->setBuddy(row.field);
        grid->addWidget(label, line, 0);
        grid->addWidget(row.field, line, 1);
        if (row.unit) grid->addWidget(Named(new QLabel(QStringLiteral("mm"), this), row.unit), line, 2);
        ++line;
    }
    auto* nameLabel = Named(new QLabel(QStringLiteral("Bezeichnung:"), this), "lblBezeichnung");
    nameLabel->setBuddy(edBezeichnung);
    grid->addWidget(nameLabel, line, 0);
    grid->addWidget(edBezeichnung, line, 1, 1, 2);
    grid->setRowStretch(line + 1, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(new TDefinitionPicture(this), 0, Qt::AlignTop);
    body->addLayout(grid, 1);
    QDialogButtonBox* buttons = CreateOkCancelButtons(this, [this] { BtnOKClick(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    enterAsTab_ = new TZREnterAsTab(this);
    enterAsTab_->setObjectName(QStringLiteral("EnterAsTab"));

    ShowError = [this](const QString& text) {
        QMessageBox::critical(this, LocalizedText("IDS_mtError"), text, QMessageBox::Ok);
    };
    SetDefinition(TLabelTypeDefinition{});
    edX->setFocus();
    Localize();
}

void TDlgDefEtikett::SetDefinition(const TLabelTypeDefinition& d) {
    edX->SetValue(d.LabelWidth);
    edY->SetValue(d.LabelHeight);
    edRX->SetValue(d.MarginLeft);
    edRY->SetValue(d.MarginTop);
    edAX->SetValue(d.GapX);
    edAY->SetValue(d.GapY);
    edNX->SetValue(d.Across);
    edNY->SetValue(d.Down);
    edBezeichnung->setText(AnsiToUnicode(d.Name));
}

TLabelTypeDefinition TDlgDefEtikett::Definition() const {
    TLabelTypeDefinition d;
    d.LabelWidth = edX->GetValue();
    d.LabelHeight = edY->GetValue();
    d.MarginLeft = edRX->GetValue();
    d.MarginTop = edRY->GetValue();
    d.GapX = edAX->GetValue();
    d.GapY = edAY->GetValue();
    d.Across = edNX->GetValue();
    d.Down = edNY->GetValue();
    d.Name = UnicodeToAnsi(edBezeichnung->text());
    return d;
}

void TDlgDefEtikett::BtnOKClick() {
    const std::vector<const char*> problems = LabelTypeDefinitionProblems(Definition());
    for (const char* key : problems) ShowError(LocalizedText(key));
    if (problems.empty()) accept();
}

bool EditLabelTypeDefinition(TLabelTypeDefinition& definition, QWidget* parent) {
    TDlgDefEtikett dialog(parent);
    dialog.SetDefinition(definition);
    if (dialog.exec() != QDialog::Accepted) return false;
    definition = dialog.Definition();
    return true;
}
