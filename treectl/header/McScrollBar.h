#pragma once
// An owner-drawn scroll bar with a flat look: arrow buttons at both ends,
// optional secondary buttons beside them, a track and a thumb whose length
// follows the page, hot tracking, grip lines on the thumb, a hint that
// shows a text while the thumb is dragged, auto-repeat of buttons and
// track at the keyboard's repeat rate, keyboard scrolling, and a drawing
// event per part. It paints itself through the drawing layer.

#include "treectl/header/McScrollBarGeometry.h"
#include "treectl/support/McPaintBuffer.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"

#include <QtCore/QEvent>
#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <string>

namespace gdi {
class Canvas;
}
class TMcHintWindow;

// The values 0 to 8 are the standard scroll codes.
enum class TMcScrollCode : uint8_t {
    scLineUp = 0, scLineDown = 1, scPageUp = 2, scPageDown = 3, scPosition = 4, scTrack = 5, scTop = 6, scBottom = 7,
    scEndScroll = 8, scEndSecondary = 9, scStartSecondary = 10,
};
enum class TMcSecButtonsKind : uint8_t { sbkOpposite, sbkPage, sbkCustom };
enum class TScrollBarKind : uint8_t { sbHorizontal, sbVertical };

// The scroll information exchanged with the tree (range, page, position).
constexpr uint32_t SIF_RANGE = 0x1;
constexpr uint32_t SIF_PAGE = 0x2;
constexpr uint32_t SIF_POS = 0x4;
constexpr uint32_t SIF_DISABLENOSCROLL = 0x8;
constexpr uint32_t SIF_TRACKPOS = 0x10;
constexpr uint32_t SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
struct TMcScrollBarInfo {
    uint32_t cbSize = 28;  // records shorter than 28 are refused
    uint32_t fMask = 0;
    int32_t nMin = 0;
    int32_t nMax = 0;
    uint32_t nPage = 0;
    int32_t nPos = 0;
    int32_t nTrackPos = 0;
};

// What the bar tells its parent while the thumb is dragged (unless NoScrollMessages).
class TMcScrollMessage : public QEvent {
public:
    static QEvent::Type EventType();
    TMcScrollMessage(TScrollBarKind kind, int32_t position) : QEvent(EventType()), Kind(kind), Position(position) {}
    TScrollBarKind Kind;
    int32_t Position;
};

class TCustomMcScrollBar : public QWidget {
public:
    using ScrollEvent = std::function<void(QObject* sender, TMcScrollCode code, int32_t& scrollPos, bool& doChange)>;
    using NotifyEvent = std::function<void(QObject* sender)>;
    using HintNeededEvent = std::function<void(QObject* sender, int32_t trackPosition, std::string& hint)>;
    using DrawPartEvent = std::function<void(QObject* sender, gdi::Canvas& canvas, const gdi::Rect& r,
                                             TMcScrollBarPart part, bool enabled, bool focused, bool pressed,
                                             bool& defaultDraw)>;
    using MouseEvent = std::function<void(QObject* sender, Qt::MouseButton button, int32_t x, int32_t y)>;

    explicit TCustomMcScrollBar(QWidget* parent = nullptr);
    ~TCustomMcScrollBar() override;

    // ---- range and position
    int32_t Position() const { return position_; }
    void SetPosition(int32_t value);
    int32_t Min() const { return min_; }
    void SetMin(int32_t value);
    int32_t Max() const { return max_; }
    void SetMax(int32_t value);
    int32_t Page() const { return page_; }
    void SetPage(int32_t value);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    // The scroll information as the standard messages carry it; answers the position.
    int32_t SetScrollInfo(const TMcScrollBarInfo& info, bool redraw);
    bool GetScrollInfo(TMcScrollBarInfo& info) const;

    // ---- sizes
    bool UseSystemMetrics() const { return useSystemMetrics_; }
    void SetUseSystemMetrics(bool value);
    int32_t ButtonSize() const { return Geometry().ButtonSize(); }
    void SetButtonSize(int32_t value);
    TMcScrollThumbMode ThumbMode() const { return thumbMode_; }
    void SetThumbMode(TMcScrollThumbMode value);
    int32_t ThumbSize() const { return Geometry().ThumbSize(); }
    void SetThumbSize(int32_t value);
    int32_t MinThumbSize() const { return minThumbSize_; }
    void SetMinThumbSize(int32_t value);

    // ---- parts
    bool ShowLeftArrows() const { return showLeftArrows_; }
    void SetShowLeftArrows(bool value);
    bool ShowRightArrows() const { return showRightArrows_; }
    void SetShowRightArrows(bool value);
    bool SecondaryButtons() const { return secondaryButtons_; }
    void SetSecondaryButtons(bool value);
    TMcSecButtonsKind SecondBtnKind() const { return secondBtnKind_; }
    void SetSecondBtnKind(TMcSecButtonsKind value);

    // ---- look
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ActiveFlat() const { return activeFlat_; }
    void SetActiveFlat(bool value);
    bool ThinFrames() const { return thinFrames_; }
    void SetThinFrames(bool value);
    bool DrawFrames() const { return drawFrames_; }
    void SetDrawFrames(bool value);
    bool DrawArrowFrames() const { return drawArrowFrames_; }
    void SetDrawArrowFrames(bool value);
    bool DrawBars() const { return drawBars_; }
    void SetDrawBars(bool value);
    uint32_t BarOffset() const { return barOffset_; }
    void SetBarOffset(uint32_t value);
    gdi::Color BarColor() const { return barColor_; }
    void SetBarColor(gdi::Color value);
    gdi::Color ArrowColor() const { return arrowColor_; }
    void SetArrowColor(gdi::Color value);
    gdi::Color ArrowHotTrackColor() const { return arrowHotTrackColor_; }
    void SetArrowHotTrackColor(gdi::Color value);
    bool NoSunkenThumb() const { return noSunkenThumb_; }
    void SetNoSunkenThumb(bool value);
    bool ChangeColorsOnScroll() const { return changeColorsOnScroll_; }
    void SetChangeColorsOnScroll(bool value) { changeColorsOnScroll_ = value; }
    bool BlendBackground() const { return blendBackground_; }
    void SetBlendBackground(bool value);
    bool SystemBkColor() const { return systemBkColor_; }
    void SetSystemBkColor(bool value);
    bool NoDisableButtons() const { return noDisableButtons_; }
    void SetNoDisableButtons(bool value);
    bool AltDisablingArrows() const { return altDisablingArrows_; }
    void SetAltDisablingArrows(bool value);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    bool ShowTrackHint() const { return showTrackHint_; }
    void SetShowTrackHint(bool value) { showTrackHint_ = value; }
    gdi::Color HintColor = gdi::SystemColor(gdi::COLOR_INFOBK);
    gdi::Color HintTextColor = gdi::SystemColor(gdi::COLOR_INFOTEXT);
    // No scroll messages to the parent while the thumb is dragged.
    bool NoScrollMessages = false;
    const gdi::Bitmap& BlendPattern() const { return blendPattern_; }

    // ---- state
    TMcScrollBarPart PartAt(int32_t x, int32_t y) const;
    int32_t ThumbPos() const { return thumbPos_; }
    int32_t ThumbFromPosition() const { return Geometry().ThumbFromPosition(); }
    int32_t PositionFromThumb() const { return Geometry().PositionFromThumb(thumbPos_); }
    bool CanScrollBack() const;
    bool CanScrollForward() const;
    TMcScrollBarPart PressedPart() const { return pressedPart_; }
    TMcScrollBarPart HotPart() const { return hotPart_; }
    bool ScrollActive() const { return scrollActive_; }
    bool MouseInside() const { return mouseInside_; }
    bool RepeatRunning() const { return repeatTimer_.isActive(); }
    int32_t RepeatInterval() const { return repeatTimer_.interval(); }
    // Ends a press as its release would, without the release's own event.
    void EndScroll();
    void InvalidateTrack();
    // Reading a stored layout; Loaded applies what it read.
    void BeginLoad() { loading_ = true; }
    virtual void Loaded();
    const TMcHintWindow* TrackHintWindow() const { return trackHint_.get(); }
    const gdi::Bitmap* LastPicture() const { return buffer_.Picture(); }
    // Where a hint of the size stands for a screen point: its bottom-right
    // corner one pixel above and left of the point, moved into the desktop.
    static QRect PlaceHint(const QRect& desktop, const QPoint& point, const QSize& size);
    // The auto-repeat's step, as the timer runs it.
    void RepeatTick();

    // ---- events
    ScrollEvent OnScroll;
    NotifyEvent OnChange;
    HintNeededEvent OnScrollHintNeeded;
    DrawPartEvent OnDrawPart;
    MouseEvent OnMouseDown;

    void Paint(gdi::Canvas& canvas);
    // Long along the bar, as thick as it is across.
    QSize sizeHint() const override { return Vertical() ? QSize(width(), 121) : QSize(121, height()); }

protected:
    virtual void DoChange();
    virtual void DoScroll(TMcScrollCode code, int32_t& scrollPos, bool& doChange);
    virtual void DoScrollHintNeeded(int32_t trackPosition, std::string& hint);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TMcScrollGeometry Geometry() const;
    bool Vertical() const { return kind_ == TScrollBarKind::sbVertical; }
    int32_t Length() const { return Vertical() ? height() : width(); }
    int32_t Along(const QPoint& p) const { return Vertical() ? p.y() : p.x(); }
    gdi::Rect PartRect(int32_t from, int32_t to) const;
    void Recompute();
    void ApplySizePolicy();
    void Redraw();
    bool CanRedraw() const { return !loading_; }
    gdi::Color DarkenColor() const;
    gdi::Color LightenColor() const;
    void BuildBlendPattern();
    void FillTrack(gdi::Canvas& canvas, const gdi::Rect& r);
    void FillButtonBack(gdi::Canvas& canvas, const gdi::Rect& r);
    bool PartRaised(TMcScrollBarPart part, bool canScroll) const;
    bool AskOwnerDraw(gdi::Canvas& canvas, const gdi::Rect& r, TMcScrollBarPart part, bool enabled, bool focused,
                      bool pressed);
    void PaintButton(gdi::Canvas& canvas, const gdi::Rect& r, TMcScrollBarPart part, bool enabled, bool start);
    void PaintTrackPart(gdi::Canvas& canvas, const gdi::Rect& r, TMcScrollBarPart part);
    void PaintThumb(gdi::Canvas& canvas, const gdi::Rect& r);
    // The code and value of a part, as a press scrolls with it.
    bool ActionOf(TMcScrollBarPart part, int32_t pageStep, TMcScrollCode& code, int32_t& value) const;
    int32_t DraggedPosition() const;
    void Report(TMcScrollCode code, int32_t value, bool withChange);
    void PressAt(const QPoint& p);
    void DragThumb(const QPoint& p);
    void ShowTrackHintAt(int32_t value, int32_t x, int32_t y);
    void EndPress();

    int32_t position_ = 0, min_ = 0, max_ = 100, page_ = 1;
    TScrollBarKind kind_ = TScrollBarKind::sbHorizontal;
    bool useSystemMetrics_ = true;
    int32_t buttonSize_ = 17;
    TMcScrollThumbMode thumbMode_ = TMcScrollThumbMode::etmAuto;
    int32_t thumbSize_ = 0;
    int32_t minThumbSize_ = 4;
    bool showLeftArrows_ = true, showRightArrows_ = true, secondaryButtons_ = false;
    TMcSecButtonsKind secondBtnKind_ = TMcSecButtonsKind::sbkOpposite;
    gdi::Color color_;
    bool flat_ = true, activeFlat_ = false, thinFrames_ = false, drawFrames_ = true, drawArrowFrames_ = true;
    bool drawBars_ = true;
    uint32_t barOffset_ = 2;
    gdi::Color barColor_, arrowColor_, arrowHotTrackColor_;
    bool noSunkenThumb_ = false, changeColorsOnScroll_ = true, blendBackground_ = true, systemBkColor_ = true;
    bool noDisableButtons_ = false, altDisablingArrows_ = false, ownerDraw_ = false, showTrackHint_ = false;
    gdi::Bitmap blendPattern_{8, 8};
    bool loading_ = false;

    int32_t thumbPos_ = 0;
    int32_t thumbGrab_ = 0;
    int32_t pressPosition_ = 0;
    int32_t pressCoordinate_ = 0;
    int32_t pressThumb_ = 0;
    TMcScrollBarPart pressedPart_ = TMcScrollBarPart::sbpNone;
    TMcScrollBarPart hotPart_ = TMcScrollBarPart::sbpNone;
    bool scrollActive_ = false;
    bool mouseInside_ = false;
    QTimer repeatTimer_;
    std::unique_ptr<TMcHintWindow> trackHint_;
    TMcPaintBuffer buffer_;
};

// The bar with its properties and events in use.
class TMcScrollBar : public TCustomMcScrollBar {
public:
    using TCustomMcScrollBar::TCustomMcScrollBar;
};
