#include "controls/DlgAusrichtung.h"

#include "controls/AlignGlyphs.h"
#include "controls/DialogButtons.h"
#include "foundation/widgets/DialogStyle.h"

#include "foundation/WrappedText.h"
#include "platform/gdi/PainterCanvas.h"

#include <QtGui/QFontInfo>
#include <QtGui/QPainter>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// The font of a widget for the drawing layer.
gdi::LogFont LogFontOf(const QFont& font) {
    gdi::LogFont f;
    f.height = -QFontInfo(font).pixelSize();
    f.weight = font.bold() ? gdi::FW_BOLD : gdi::FW_NORMAL;
    f.italic = font.italic();
    f.faceName = QFontInfo(font).family().toStdString();
    return f;
}

class PreviewBox : public QWidget {
public:
    explicit PreviewBox(TDlgAusrichtung* dialog) : QWidget(dialog), dialog_(dialog) {
        setObjectName(QStringLiteral("pbPreview"));
        setFixedSize(TDlgAusrichtung::kPreviewSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        gdi::PainterCanvas canvas(painter, gdi::DeviceKind::Screen, gdi::ScreenCaps());
        canvas.SetFont(LogFontOf(font()));
        const QColor ink = palette().color(QPalette::Text);
        canvas.SetTextColor(gdi::Rgb(ink.red(), ink.green(), ink.blue()));
        canvas.SetBkMode(gdi::BkMode::Transparent);
        TWrappedTextResult result;
        DrawWrappedTextRotated(canvas, TDlgAusrichtung::SampleText(), gdi::Rect{4, 4, width() - 4, height() - 4}, result,
                               dialog_->PreviewFlags(), 0);
    }

private:
    TDlgAusrichtung* dialog_;
};

struct ButtonDef {
    const char* name;
    const char* caption;
};

constexpr ButtonDef kHorizontal[] = {
    {"sbLinksbuendig", "Linksbündig"},
    {"sbZentriert", "Zentriert"},
    {"sbRechtsbuendig", "Rechtsbündig"},
    {"sbBlocksatz", "Blocksatz"},
};
constexpr ButtonDef kVertical[] = {
    {"sbOben", "Oben ausgerichtet"},
    {"sbVZentriert", "Vertikal zentriert"},
    {"sbUnten", "Unten ausgerichtet"},
};

template <size_t N>
QGroupBox* ButtonGroup(QWidget* dialog, const char* name, const char* title, const ButtonDef (&defs)[N], bool vertical,
                       std::array<QToolButton*, N>& buttons) {
    auto* box = new QGroupBox(QString::fromUtf8(title), dialog);
    box->setObjectName(QString::fromLatin1(name));
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (size_t i = 0; i < N; ++i) {
        auto* button = new QToolButton(box);
        button->setObjectName(QString::fromLatin1(defs[i].name));
        button->setText(QString::fromUtf8(defs[i].caption));
        button->setIcon(TextAlignGlyph(vertical, int(i)));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setCheckable(true);
        button->setAutoRaise(true);
        group->addButton(button, int(i));
        layout->addWidget(button);
        buttons[i] = button;
    }
    layout->addStretch();
    return box;
}

}  // namespace

TDlgAusrichtung::TDlgAusrichtung(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Textausrichtung einstellen"));
    QGroupBox* horizontal = ButtonGroup(this, "gbHorizontal", "Horizontal", kHorizontal, false, horizontal_);
    QGroupBox* vertical = ButtonGroup(this, "gbVertikal", "Vertikal", kVertical, true, vertical_);
    preview_ = new PreviewBox(this);
    for (QToolButton* b : horizontal_) connect(b, &QToolButton::clicked, this, &TDlgAusrichtung::UpdatePreview);
    for (QToolButton* b : vertical_) connect(b, &QToolButton::clicked, this, &TDlgAusrichtung::UpdatePreview);
    SetAlignment(0, 0);

    QDialogButtonBox* buttons = CreateOkCancelButtons(this);
    auto* row = new QHBoxLayout;
    row->addWidget(horizontal);
    row->addWidget(vertical);
    row->addWidget(preview_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Localize();
}

const char* TDlgAusrichtung::SampleText() {
    return "abcdef ghi jklmno pqr st uvwx yz abcdef ghi jklmno pqr stuvwxyz "
           "abcdef ghi jklmno pqr st uvwx yz abcdef ghi jklmno pqr stuvwxyz";
}

void TDlgAusrichtung::SetAlignment(uint8_t horizontal, uint8_t vertical) {
    horizontal_[horizontal < horizontal_.size() ? horizontal : 0]->setChecked(true);
    vertical_[vertical < vertical_.size() ? vertical : 0]->setChecked(true);
    UpdatePreview();
}

uint8_t TDlgAusrichtung::Horizontal() const {
    for (uint8_t i = 0; i < horizontal_.size(); ++i)
        if (horizontal_[i]->isChecked()) return i;
    return 0;
}

uint8_t TDlgAusrichtung::Vertical() const {
    for (uint8_t i = 0; i < vertical_.size(); ++i)
        if (vertical_[i]->isChecked()) return i;
    return 0;
}

void TDlgAusrichtung::UpdatePreview() {
    previewFlags_ = uint8_t((1 << Horizontal()) | (16 << Vertical()));
    preview_->update();
}

void TDlgAusrichtung::showEvent(QShowEvent* event) {
    TLocalizerDialog::showEvent(event);
    UpdatePreview();
}

bool EditTextAlignment(uint8_t& horizontal, uint8_t& vertical, QWidget* parent) {
    TDlgAusrichtung dialog(parent);
    dialog.SetAlignment(horizontal, vertical);
    if (dialog.exec() != QDialog::Accepted) return false;
    horizontal = dialog.Horizontal();
    vertical = dialog.Vertical();
    return true;
}
