#include "foundation/widgets/ZRThemeServices.h"

#include "foundation/ZRRegIniFile.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QMetaObject>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>
#include <QtWidgets/QWidget>

#include <memory>

namespace {

const char* const kElementClassNames[kThemedElementCount] = {
    "button",  "clock",     "combobox", "edit",   "explorerbar", "header",  "listview", "menu",
    "page",    "progress",  "rebar",    "scrollbar", "spin",     "startpanel", "status", "tab",
    "taskband", "taskbar",  "toolbar",  "tooltip", "trackbar",   "traynotify", "treeview", "window",
};

// Detail values first .. last of an element kind give this part.
struct DetailRange {
    TThemedElement element;
    int first;
    int last;
    int part;
};

constexpr DetailRange kDetailRanges[] = {
    {TThemedElement::teButton, 2, 6, 1},     {TThemedElement::teButton, 7, 14, 2},
    {TThemedElement::teButton, 15, 26, 3},   {TThemedElement::teButton, 27, 28, 4},
    {TThemedElement::teButton, 29, 29, 5},   {TThemedElement::teEdit, 2, 8, 1},
    {TThemedElement::teEdit, 9, 9, 2},       {TThemedElement::teRebar, 2, 2, 1},
    {TThemedElement::teRebar, 3, 3, 2},      {TThemedElement::teRebar, 4, 9, 3},
    {TThemedElement::teRebar, 10, 13, 4},    {TThemedElement::teRebar, 14, 17, 5},
    {TThemedElement::teStatus, 2, 2, 1},     {TThemedElement::teStatus, 3, 3, 2},
    {TThemedElement::teStatus, 4, 4, 3},     {TThemedElement::teTab, 2, 6, 1},
    {TThemedElement::teTab, 7, 11, 2},       {TThemedElement::teTab, 12, 16, 3},
    {TThemedElement::teTab, 17, 21, 4},      {TThemedElement::teTab, 22, 26, 5},
    {TThemedElement::teTab, 27, 31, 6},      {TThemedElement::teTab, 32, 36, 7},
    {TThemedElement::teTab, 37, 41, 8},      {TThemedElement::teTab, 42, 42, 9},
    {TThemedElement::teTab, 43, 43, 10},     {TThemedElement::teToolBar, 2, 7, 1},
    {TThemedElement::teToolBar, 8, 13, 2},   {TThemedElement::teToolBar, 14, 19, 3},
    {TThemedElement::teToolBar, 20, 25, 4},  {TThemedElement::teToolBar, 26, 31, 5},
    {TThemedElement::teToolBar, 32, 37, 6},  {TThemedElement::teTrackBar, 2, 2, 1},
    {TThemedElement::teTrackBar, 3, 3, 2},   {TThemedElement::teTrackBar, 4, 8, 3},
    {TThemedElement::teTrackBar, 9, 13, 4},  {TThemedElement::teTrackBar, 14, 18, 5},
    {TThemedElement::teTrackBar, 19, 23, 6}, {TThemedElement::teTrackBar, 24, 28, 7},
    {TThemedElement::teTrackBar, 29, 33, 8}, {TThemedElement::teTrackBar, 34, 34, 9},
    {TThemedElement::teTrackBar, 35, 35, 10},
};

// Parts of the button element.
enum { kPushButton = 1, kRadioButton = 2, kCheckBox = 3, kGroupBox = 4, kUserButton = 5 };
constexpr int kEditText = 1;
constexpr int kTabPane = 10;
constexpr int kToolBarButton = 1;

// The style's state flags for the element's part and state; the state
// numbers count normal, hot, pressed, disabled (and further ones per part).
QStyle::State StateFlags(const TThemedElementDetails& d) {
    QStyle::State flags = QStyle::State_Enabled;
    const auto pressState = [&](int s) {
        switch (s) {
        case 2: flags |= QStyle::State_MouseOver; break;
        case 3: flags |= QStyle::State_Sunken; break;
        case 4: flags &= ~QStyle::State_Enabled; break;
        default: break;
        }
    };
    if (d.Element == TThemedElement::teButton && (d.Part == kRadioButton || d.Part == kCheckBox)) {
        const int group = (d.State - 1) / 4;  // unchecked, checked, mixed
        pressState((d.State - 1) % 4 + 1);
        flags |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
    } else if (d.Element == TThemedElement::teButton && d.Part == kGroupBox) {
        if (d.State == 2) flags &= ~QStyle::State_Enabled;
    } else if (d.Element == TThemedElement::teToolBar) {
        pressState(d.State);
        if (d.State == 5 || d.State == 6) flags |= QStyle::State_On;
        flags |= QStyle::State_AutoRaise;
    } else if (d.Element == TThemedElement::teEdit) {
        if (d.State == 4) flags &= ~QStyle::State_Enabled;
        if (d.State == 5) flags |= QStyle::State_HasFocus;
        if (d.State == 6) flags |= QStyle::State_ReadOnly;
    } else {
        pressState(d.State);
        if (d.Element == TThemedElement::teButton && d.State == 5) flags |= QStyle::State_HasFocus;
    }
    return flags;
}

QStyle* CurrentStyle() { return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr; }

// A change of the application's style or palette, or of the desktop's theme,
// as the application or a window hears it; a widget that takes a style of its
// own (a proxy over the application's) is no theme change.
bool IsThemeChangeEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::StyleChange && type != QEvent::ThemeChange && type != QEvent::ApplicationPaletteChange) return false;
    if (watched == QCoreApplication::instance()) return true;
    if (!watched->isWidgetType()) return false;
    const auto* widget = static_cast<QWidget*>(watched);
    return widget->isWindow() && widget->style() == QApplication::style();
}

std::unique_ptr<TZRThemeServices>& SharedInstance() {
    static std::unique_ptr<TZRThemeServices> instance;
    return instance;
}

}  // namespace

TZRThemeServices::TZRThemeServices(QObject* parent) : QObject(parent) {
    available_ = CurrentStyle() != nullptr;
    if (available_) QCoreApplication::instance()->installEventFilter(this);
    UpdateThemes();
}

TZRThemeServices::~TZRThemeServices() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
    UnloadThemeData();
}

const char* TZRThemeServices::ElementClassName(TThemedElement element) {
    return kElementClassNames[static_cast<size_t>(element)];
}

QStyle* TZRThemeServices::GetTheme(TThemedElement element) {
    QStyle*& theme = themes_[static_cast<size_t>(element)];
    if (inUse_ && !theme) theme = CurrentStyle();
    return inUse_ ? theme : nullptr;
}

TThemedElementDetails TZRThemeServices::GetElementDetails(TThemedElement element, int detail) {
    for (const DetailRange& range : kDetailRanges)
        if (range.element == element && detail >= range.first && detail <= range.last)
            return {element, range.part, detail - range.first + 1};
    return {element, 0, detail + 1};
}

void TZRThemeServices::UpdateThemes() {
    if (inUse_) UnloadThemeData();
    available_ = CurrentStyle() != nullptr;
    inUse_ = available_ && Settings().ReadBool(kSettingsSection, kSettingsKey, false);
    enabledForControls_ = inUse_ && (appProperties_ & kAllowControls);
}

void TZRThemeServices::UnloadThemeData() { themes_.fill(nullptr); }

void TZRThemeServices::ThemeChanged() {
    changePending_ = false;
    UpdateThemes();
    DoOnThemeChange();
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        for (QWidget* widget : QApplication::allWidgets()) widget->update();
}

void TZRThemeServices::DoOnThemeChange() {
    emit ThemeChange();
    if (OnThemeChange) OnThemeChange();
}

bool TZRThemeServices::eventFilter(QObject* watched, QEvent* event) {
    // A style change reaches every widget: the first one schedules a single
    // theme change for after the burst.
    if (!changePending_ && IsThemeChangeEvent(watched, event)) {
        changePending_ = true;
        QMetaObject::invokeMethod(this, [this] { ThemeChanged(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

// ---- drawing

void TZRThemeServices::DrawElement(QPainter& painter, const TThemedElementDetails& details, const QRect& rect,
                                   const QRect* clip) const {
    QStyle* style = CurrentStyle();
    if (!style) return;
    painter.save();
    if (clip) painter.setClipRect(*clip, Qt::IntersectClip);
    QStyleOption option;
    option.rect = rect;
    option.state = StateFlags(details);
    option.palette = QApplication::palette();
    const auto primitive = [&](QStyle::PrimitiveElement element) { style->drawPrimitive(element, &option, &painter); };
    switch (details.Element) {
    case TThemedElement::teButton:
        if (details.Part == kCheckBox) {
            primitive(QStyle::PE_IndicatorCheckBox);
        } else if (details.Part == kRadioButton) {
            primitive(QStyle::PE_IndicatorRadioButton);
        } else if (details.Part == kGroupBox) {
            QStyleOptionFrame frame;
            frame.QStyleOption::operator=(option);
            frame.lineWidth = 1;
            style->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter);
        } else {
            primitive(QStyle::PE_PanelButtonCommand);
        }
        break;
    case TThemedElement::teToolBar:
        if (details.Part == kToolBarButton) {
            primitive(QStyle::PE_PanelButtonTool);
        } else {
            painter.fillRect(rect, option.palette.button());
        }
        break;
    case TThemedElement::teEdit: {
        QStyleOptionFrame frame;
        frame.QStyleOption::operator=(option);
        frame.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        style->drawPrimitive(details.Part == kEditText ? QStyle::PE_PanelLineEdit : QStyle::PE_FrameLineEdit, &frame, &painter);
        break;
    }
    case TThemedElement::teTab:
        if (details.Part == kTabPane) {
            QStyleOptionTabWidgetFrame frame;
            frame.QStyleOption::operator=(option);
            style->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter);
        } else {
            painter.fillRect(rect, option.palette.window());
        }
        break;
    default: painter.fillRect(rect, option.palette.window()); break;
    }
    painter.restore();
}

QRect TZRThemeServices::DrawEdge(QPainter& painter, const TThemedElementDetails& details, const QRect& rect) const {
    QStyle* style = CurrentStyle();
    if (!style) return rect;
    QStyleOptionFrame frame;
    frame.rect = rect;
    frame.state = StateFlags(details) | QStyle::State_Sunken;
    frame.palette = QApplication::palette();
    frame.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    style->drawPrimitive(QStyle::PE_Frame, &frame, &painter);
    return rect.adjusted(frame.lineWidth, frame.lineWidth, -frame.lineWidth, -frame.lineWidth);
}

bool TZRThemeServices::IsPartiallyTransparent(const TThemedElementDetails& details) {
    switch (details.Element) {
    case TThemedElement::teButton:
    case TThemedElement::teToolBar:
    case TThemedElement::teTab:
    case TThemedElement::teTrackBar: return true;
    default: return false;
    }
}

int TZRThemeServices::DrawParentBackground(const QWidget& window, QPainter& painter, const TThemedElementDetails* details,
                                           bool onlyIfTransparent, const QRect& rect) const {
    if (onlyIfTransparent && details && !IsPartiallyTransparent(*details)) return 0;
    const QWidget* parent = window.parentWidget() ? window.parentWidget() : &window;
    painter.fillRect(rect, parent->palette().brush(parent->backgroundRole()));
    return 1;
}

void TZRThemeServices::DrawText(QPainter& painter, const TThemedElementDetails& details, const QString& text,
                                const QRect& rect, int flags) const {
    QStyle* style = CurrentStyle();
    if (!style) return;
    const bool enabled = StateFlags(details) & QStyle::State_Enabled;
    style->drawItemText(&painter, rect, flags, QApplication::palette(), enabled, text, QPalette::ButtonText);
}

void TZRThemeServices::PaintBorder(QPainter& painter, const QWidget& control, bool eraseCorner, bool bothScrollBars) const {
    const QRect r = control.rect();
    if (eraseCorner && bothScrollBars) {
        const int w = control.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QRect inner = r.adjusted(2, 2, -2, -2);
        painter.fillRect(QRect(inner.right() - w + 1, inner.bottom() - w + 1, w, w), control.palette().button());
    }
    painter.save();
    painter.setClipRegion(QRegion(r).subtracted(QRegion(r.adjusted(2, 2, -2, -2))));
    DrawElement(painter, GetElementDetails(TThemedElement::teEdit, 2), r);
    painter.restore();
}

TZRThemeServices& ThemeServices() {
    std::unique_ptr<TZRThemeServices>& instance = SharedInstance();
    if (!instance) {
        instance = std::make_unique<TZRThemeServices>();
        // Freed with the application, before the style goes.
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QObject::destroyed, [] { SharedInstance().reset(); });
    }
    return *instance;
}
