#include "controls/QDXTBComboBox.h"

#include "controls/ControlPainting.h"

#include "foundation/widgets/ZRThemeServices.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QProxyStyle>
#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kButtonWidth = 16;

// The look of the flat box: the style draws frame and button from the box's
// own state and places the text field inside the frame.
class TFlatComboStyle : public QProxyStyle {
public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control != CC_ComboBox) return QProxyStyle::subControlRect(control, option, sub, widget);
        const QRect r = option->rect;
        switch (sub) {
            case SC_ComboBoxArrow: return QRect(r.width() - kButtonWidth - 2, 2, kButtonWidth, r.height() - 4);
            case SC_ComboBoxEditField: return r.adjusted(3, 2, -kButtonWidth - 4, -2);
            default: return r;
        }
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override {
        if (type != CT_ComboBox) return QProxyStyle::sizeFromContents(type, option, contents, widget);
        return {contents.width() + kButtonWidth + 10, widget->fontMetrics().height() + 6};
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) return 0;  // the list drops below the box
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        const auto* box = qobject_cast<const TQDXTBComboBox*>(widget);
        // Themed, the style draws the whole box with its own frame.
        if (control != CC_ComboBox || !box || ThemeServices().GetThemesEnabled()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QPalette& pal = option->palette;
        const bool enabled = option->state & State_Enabled;
        const int state = box->State();
        const QRect r = option->rect;
        painter->fillRect(r, ButtonFace(pal));
        if (state & (TQDXTBComboBox::kHover | TQDXTBComboBox::kFocused)) DrawSunkenEdge(*painter, r, pal);
        painter->fillRect(r.adjusted(2, 2, -2, -2), enabled ? pal.color(QPalette::Base) : ButtonFace(pal));
        QRect button = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
        painter->fillRect(button, ButtonFace(pal));
        const bool pressed = state & TQDXTBComboBox::kPressed;
        if (state != 0) DrawHotEdge(*painter, button, pal, pressed);
        const QPoint arrow = button.center() - QPoint(2, 1) + (pressed ? QPoint(1, 1) : QPoint());
        DrawDropArrow(*painter, arrow, enabled ? pal.color(QPalette::WindowText) : ButtonShadow(pal));
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element != CE_ComboBoxLabel || !qobject_cast<const TQDXTBComboBox*>(widget)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const auto* box = static_cast<const QStyleOptionComboBox*>(option);
        if (box->editable) return;  // the line edit shows the text
        const QRect field = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, widget).adjusted(1, 0, 0, 0);
        const bool enabled = option->state & State_Enabled;
        painter->setPen(enabled ? option->palette.color(QPalette::Text) : ButtonShadow(option->palette));
        painter->drawText(field, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          painter->fontMetrics().elidedText(box->currentText, Qt::ElideRight, field.width()));
    }
};

// Items of the font list: the name 20 pixels in, after a small font sign.
class TFontItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.fontMetrics.horizontalAdvance(QStringLiteral("M")) * 12, std::max(option.fontMetrics.height() + 2, 16)};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QPalette& pal = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        const bool enabled = option.state & QStyle::State_Enabled;
        const QRect r = option.rect;
        painter->fillRect(r, pal.color(selected ? QPalette::Highlight : QPalette::Base));
        const QColor shadow = ButtonShadow(pal);
        DrawFontSign(*painter, r.topLeft() + QPoint(3, 1), enabled ? ButtonFace(pal) : shadow);
        DrawFontSign(*painter, r.topLeft() + QPoint(7, 4), enabled ? QColor(Qt::black) : shadow);
        painter->setPen(!enabled ? shadow : pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(r.adjusted(20, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
        if (option.state & QStyle::State_HasFocus) DrawFocusFrame(*painter, r);
    }

private:
    // A T: a bar 8 pixels wide, a stem 9 pixels high.
    static void DrawFontSign(QPainter& painter, const QPoint& at, const QColor& color) {
        painter.fillRect(QRect(at, QSize(8, 2)), color);
        painter.fillRect(QRect(at + QPoint(3, 0), QSize(2, 9)), color);
    }
};

}  // namespace

// ---- TQDXTBComboBox

TQDXTBComboBox::TQDXTBComboBox(QWidget* parent) : QComboBox(parent) {
    auto* style = new TFlatComboStyle;
    style->setParent(this);
    setStyle(style);
    setAttribute(Qt::WA_Hover);
    setFrame(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { SetBit(kPressed, false); });
    connect(this, &QComboBox::editTextChanged, this, [this] { SetBit(kPressed, false); });
    FitHeight();
}

QRect TQDXTBComboBox::ButtonRect() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
}

QSize TQDXTBComboBox::sizeHint() const { return {QComboBox::sizeHint().width(), fontMetrics().height() + 6}; }

void TQDXTBComboBox::FitHeight() { setFixedHeight(fontMetrics().height() + 6); }

void TQDXTBComboBox::SetBit(int bit, bool on) {
    const int state = on ? (state_ | bit) : (state_ & ~bit);
    if (state == state_) return;
    state_ = state;
    update();
}

void TQDXTBComboBox::hidePopup() {
    QComboBox::hidePopup();
    SetBit(kPressed, false);
    if (OnCloseUp) OnCloseUp();
}

void TQDXTBComboBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    SetBit(kHover, true);
}

void TQDXTBComboBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    SetBit(kHover, false);
}

void TQDXTBComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    SetBit(kFocused, true);
}

void TQDXTBComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    SetBit(kFocused, false);
}

void TQDXTBComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SetBit(kPressed, true);
    QComboBox::mousePressEvent(event);
}

void TQDXTBComboBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) SetBit(kPressed, false);
    QComboBox::mouseReleaseEvent(event);
}

void TQDXTBComboBox::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) FitHeight();
}

// ---- TQDXTBFontComboBox

std::function<QStringList()> TQDXTBFontComboBox::InstalledFamilies = [] { return QFontDatabase::families(); };
std::function<bool(const QString&)> TQDXTBFontComboBox::IsOutlineFont = [](const QString& family) {
    return QFontDatabase::isSmoothlyScalable(family);
};

TQDXTBFontComboBox::TQDXTBFontComboBox(QWidget* parent) : TQDXTBComboBox(parent) {
    setItemDelegate(new TFontItemDelegate(this));
    preview_ = new TQDXTBFontWindow(this);
    connect(this, &QComboBox::highlighted, this, &TQDXTBFontComboBox::ShowPreview);
    if (qGuiApp) connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, &TQDXTBFontComboBox::Refill);
    Refill();
}

QStringList TQDXTBFontComboBox::FontNames(const QStringList& families,
                                          const std::function<bool(const QString&)>& isOutline) {
    QStringList names;
    for (const QString& family : families) {
        if (!isOutline(family)) continue;
        const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
        names << (foundry > 0 ? family.left(foundry) : family).trimmed();
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    for (qsizetype i = names.size() - 2; i >= 0; --i)
        if (names[i].compare(names[i + 1], Qt::CaseInsensitive) == 0) names.removeAt(i + 1);
    return names;
}

void TQDXTBFontComboBox::Refill() {
    const QString previous = currentText();
    const QSignalBlocker blocker(this);
    clear();
    addItems(FontNames(InstalledFamilies(), IsOutlineFont));
    const int index = findText(previous, Qt::MatchFixedString);
    setCurrentIndex(index >= 0 ? index : (count() > 0 ? 0 : -1));
}

QString TQDXTBFontComboBox::GetFontName() const { return currentIndex() >= 0 ? itemText(currentIndex()) : QString(); }

void TQDXTBFontComboBox::SetFontName(const QString& name) { setCurrentIndex(findText(name, Qt::MatchFixedString)); }

void TQDXTBFontComboBox::showPopup() {
    TQDXTBComboBox::showPopup();
    ShowPreview(currentIndex());
    preview_->move(mapToGlobal(QPoint(width() - 1, height())));
    preview_->show();
    preview_->raise();
}

void TQDXTBFontComboBox::hidePopup() {
    preview_->hide();
    TQDXTBComboBox::hidePopup();
}

void TQDXTBFontComboBox::ShowPreview(int index) {
    if (index < 0) return;
    const QString name = itemText(index);
    const QString text = name + QStringLiteral(" - ") + previewText_;
    QFont font(name);
    font.setPointSize(20);
    preview_->SetPreview(text, name, QFontMetrics(font).horizontalAdvance(text) + 25);
}

// ---- TQDXTBFontWindow

TQDXTBFontWindow::TQDXTBFontWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(20);
    setFont(arial);
    resize(200, QFontMetrics(arial).height() + 20);
    hide();
}

void TQDXTBFontWindow::SetPreview(const QString& text, const QString& family, int width) {
    text_ = text;
    QFont f(family);
    f.setPointSize(20);
    setFont(f);
    resize(width, height());
    update();
}

void TQDXTBFontWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Base));
    DrawFrame(painter, rect(), WindowFrame(pal));
    painter.setPen(pal.color(QPalette::Text));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}
