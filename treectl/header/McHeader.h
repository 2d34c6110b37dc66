#pragma once
// The column header of the multi-column tree: a window that shows a row of
// sections side by side, paints each with caption, picture, sort mark and
// small buttons, keeps their layout (also a sticky one in which the
// sections always fill the width), and reports what the user does with
// them: pressing and clicking, dragging a border to resize, dragging a
// section elsewhere, the expand arrow, the filter mark and the lookup box.
// It paints itself through the drawing layer, double-buffered.

#include "treectl/header/McHeaderSections.h"
#include "treectl/header/McSectionsOwner.h"
#include "treectl/support/McPaintBuffer.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/GdiTypes.h"

#include <QtCore/QPointer>
#include <QtGui/QRegion>
#include <QtWidgets/QMenu>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>
#include <string>

namespace gdi {
class Canvas;
class ImageList;
}  // namespace gdi
class QComboBox;
class TMcOverlay;

enum class TMcHResizingStates : uint8_t { trsBegin, trsMove, trsEnd };

class TCustomMcHeader : public QWidget, public TMcSectionsOwner {
public:
    using SectionEvent = std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section)>;
    using SectionResizingEvent =
        std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, TMcHResizingStates state, int32_t width)>;
    using SectionDrawEvent = std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section,
                                                gdi::Canvas& canvas, const gdi::Rect& r, bool pressed)>;
    using SectionMoveEvent =
        std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, int32_t oldPos, int32_t newPos)>;
    using PictureNeededEvent = std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, int32_t& imageIndex)>;
    using SectionChangeEvent =
        std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, TSectionChangeMode change)>;
    using LookupEvent = std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, std::string& text)>;
    using LookupDoneEvent =
        std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, const std::string& text, bool accepted)>;
    using MeasureSectionEvent = std::function<void(TCustomMcHeader& sender, TMcHeaderSection* section, gdi::Point& size)>;
    using MouseEvent = std::function<void(TCustomMcHeader& sender, Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                          int32_t x, int32_t y)>;
    using NotifyEvent = std::function<void(TCustomMcHeader& sender)>;

    explicit TCustomMcHeader(QWidget* parent = nullptr);
    ~TCustomMcHeader() override;

    // ---- properties
    TMcHeaderSections& Sections() { return *sections_; }
    const TMcHeaderSections& Sections() const { return *sections_; }
    void SetSections(const TMcHeaderSections& sections) { sections_->Assign(sections); }
    gdi::Color Color() const { return color_; }
    void SetColor(gdi::Color value);
    const gdi::LogFont& Font() const { return font_; }
    void SetFont(const gdi::LogFont& font);
    gdi::Color FontColor() const { return fontColor_; }
    void SetFontColor(gdi::Color value);
    gdi::Color ActiveFilterColor() const { return activeFilterColor_; }
    void SetActiveFilterColor(gdi::Color value);
    gdi::Color FilterColor() const { return filterColor_; }
    void SetFilterColor(gdi::Color value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Tracking() const { return tracking_; }
    void SetTracking(bool value);
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    bool MoveOnDrag() const { return moveOnDrag_; }
    void SetMoveOnDrag(bool value) { moveOnDrag_ = value; }
    bool ResizeOnDrag() const { return resizeOnDrag_; }
    void SetResizeOnDrag(bool value) { resizeOnDrag_ = value; }
    gdi::ImageList* Images() const { return images_; }
    void SetImages(gdi::ImageList* images);
    bool InvertSortArrows() const { return invertSortArrows_; }
    void SetInvertSortArrows(bool value);
    bool LockHeight() const { return lockHeight_; }
    void SetLockHeight(bool value);
    bool RightAlignedText() const { return rightAlignedText_; }
    void SetRightAlignedText(bool value);
    bool RightAlignedOrder() const { return rightAlignedOrder_; }
    void SetRightAlignedOrder(bool value);
    bool StickySections() const override { return stickySections_; }
    void SetStickySections(bool value) override;
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
    // Right of the last section in display order that reads as visible; 0 when none.
    int32_t SectionsWidth() const { return sections_->SectionsWidth(); }
    int32_t LeftPos() const override { return leftPos_; }
    void SetLeftPos(int32_t value);

    // ---- geometry
    TMcHeaderSection* SectionAtPoint(int32_t x, int32_t y) const;
    // From Left to Left + Width, the client height, in header coordinates.
    gdi::Rect GetSectionRect(int32_t index) const;
    virtual bool InResizeArea(int32_t x, TMcHeaderSection*& section) const;
    // 0 resize zone, 1 section body or no section, 2 expand arrow, 3 lookup button, 4 filter mark.
    int32_t GetSectionPart(int32_t x, int32_t y, TMcHeaderSection*& section) const;
    int32_t MeasureSectionWidth(TMcHeaderSection* section, int32_t& textWidth);

    // ---- updating and loading
    void BeginUpdate() override;
    void EndUpdate() override;
    // Repaints what is pending at once, but not inside BeginUpdate/EndUpdate.
    void UpdateNow();
    void AdjustHeight() override;
    void InvalidateFrom(int32_t index) override;
    // Reading a stored layout: setters that would rearrange only store.
    void BeginLoad() { loading_ = true; }
    // The end of reading: popup menus by name, sticky proportions, the reversed order.
    virtual void Loaded();
    bool IsLoading() const override { return loading_; }
    bool IsDesigning() const { return designing_; }
    void SetDesigning(bool value) { designing_ = value; }

    // The five pictures of the header, for tests and the tree.
    enum class Picture { Ascending, Descending, Left, Right, Point };
    static const gdi::Bitmap& PictureOf(Picture picture);

    // ---- events
    SectionEvent OnSectionClick, OnSectionResize, OnSectionDelete, OnSectionShowHide, OnSectionCreate,
        OnSectionExpand, OnSectionCollapse, OnSectionAutoSize, OnFilterCall;
    SectionResizingEvent OnSectionResizing;
    SectionDrawEvent OnSectionDraw;
    SectionMoveEvent OnSectionMove;
    PictureNeededEvent OnPictureNeeded;
    SectionChangeEvent OnSectionChange;
    LookupEvent OnHeaderLookup;
    LookupDoneEvent OnHeaderLookupDone;
    MeasureSectionEvent OnMeasureSection;
    MouseEvent OnMouseDown, OnMouseMove, OnMouseUp;
    NotifyEvent OnResize;

    // ---- interaction state, for the tree and tests
    TMcHeaderSection* PressedSection() const { return pressedSection_; }
    bool IsPressed() const { return pressed_; }
    TMcHeaderSection* HotSection() const { return hotSection_; }
    TMcHeaderSection* ResizeSection() const { return resizeSection_; }
    TMcHeaderSection* DraggedSection() const { return draggedSection_; }
    QComboBox* LookupCombo() const { return lookupCombo_; }
    // The resize line's x while a border is dragged without ResizeOnDrag; -1 when none shows.
    int32_t ResizeLineX() const { return lineDrawn_ ? lineX_ : -1; }
    const gdi::Bitmap* LastPicture() const { return buffer_.Picture(); }

    // As wide as the sections, as high as the font and pictures ask.
    QSize sizeHint() const override { return QSize(std::max(SectionsWidth(), 1), wantedHeight_); }

    // Draws a section into r of any canvas, pressed or not.
    void DrawSection(gdi::Canvas& canvas, TMcHeaderSection* section, gdi::Rect r, bool pressed);

protected:
    virtual TMcHeaderSections* CreateSections();
    virtual int32_t DoGetPicture(TMcHeaderSection* section);
    virtual void Resize();
    void Paint(gdi::Canvas& canvas);

    // ---- what the sections ask of the header
    bool HasWindow() const override { return true; }
    bool IsDestroying() const override { return destroying_; }
    void InvalidateHeader() override;
    void InvalidateRect(const gdi::Rect& r) override;
    void InvalidateParent() override;
    int32_t Width() const override { return width(); }
    int32_t ClientWidth() const override { return width(); }
    int32_t Height() const override { return height(); }
    void SetHeight(int32_t h) override;
    bool InStickyRelayout() const override { return stickyRelayout_; }
    void FitSections(TMcHeaderSection* except) override { sections_->FitSections(except, ClientWidth()); }
    void SaveProportions() override { sections_->SaveProportions(Width()); }
    void DoSectionCreate(TMcHeaderSection* s) override;
    void DoSectionDelete(TMcHeaderSection* s) override;
    void DoSectionMove(TMcHeaderSection* s, int32_t oldPos, int32_t newPos) override;
    void DoVisChanged(TMcHeaderSection* s) override;
    void DoNotifySectionChange(TMcHeaderSection* s, TSectionChangeMode change) override;
    void DoSectionAutoSize(TMcHeaderSection* s) override;

    // ---- Qt
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int32_t FontPixels() const;
    void ImagesChanged();
    void StickyRelayout();
    void RedrawSection(TMcHeaderSection* section);
    gdi::Color BackgroundOf(const TMcHeaderSection* section) const;
    int32_t PictureIndexOf(TMcHeaderSection* section);
    void DrawPicture(gdi::Canvas& canvas, int32_t index, const gdi::Rect& t, int32_t x, gdi::Color background);
    void DrawButtons(gdi::Canvas& canvas, const TMcHeaderSection* section, gdi::Rect& c);
    void DrawSortMark(gdi::Canvas& canvas, const TMcHeaderSection* section, gdi::Rect& t, gdi::Color background);
    void DrawCaption(gdi::Canvas& canvas, TMcHeaderSection* section, gdi::Rect& t);
    uint32_t CaptionFormat(const TMcHeaderSection* section) const;

    // ---- the mouse (McHeaderMouse.cpp)
    void LeftDown(int32_t x, int32_t y);
    void LeftUp(int32_t x, int32_t y);
    void Move(int32_t x, int32_t y);
    void StartResize(TMcHeaderSection* section, int32_t x);
    void MoveResize(int32_t x);
    void EndResize();
    void StartDrag();
    QImage DragPicture(TMcHeaderSection* section);
    void MoveDrag(int32_t x);
    void EndDrag(int32_t x);
    void Track(int32_t x);
    void CursorAndHint(int32_t x, int32_t y, const QPoint& global);
    void ClearPressed();
    void DrawResizeLine();
    void OpenLookup(TMcHeaderSection* section);
    void CloseLookup(bool accepted);
    void RestoreFocus();
    void PopupAt(int32_t x, const QPoint& global);

    std::unique_ptr<TMcHeaderSections> sections_;
    int32_t leftPos_ = 0;
    bool invertSortArrows_ = false;
    bool flat_ = false;
    gdi::Color activeFilterColor_ = 0;
    gdi::Color filterColor_;
    bool lockHeight_ = false;
    bool rightAlignedText_ = false;
    bool rightAlignedOrder_ = false;
    bool stickySections_ = false;
    bool moveOnDrag_ = false;
    gdi::ImageList* images_ = nullptr;
    int32_t imagesSubscription_ = 0;
    bool tracking_ = true;
    bool allowDrag_ = true;
    bool painting_ = false;
    gdi::Color color_;
    gdi::LogFont font_;
    gdi::Color fontColor_;
    bool showHint_ = false;
    QPointer<QMenu> popupMenu_;
    bool loading_ = false;
    bool designing_ = false;
    bool destroying_ = false;

    // interaction
    QPoint pressPoint_;
    bool pressed_ = false;
    TMcHeaderSection* pressedSection_ = nullptr;
    TMcHeaderSection* hintSection_ = nullptr;
    TMcHeaderSection* lookupSection_ = nullptr;
    TMcHeaderSection* hotSection_ = nullptr;
    bool resizing_ = false;
    TMcHeaderSection* resizeSection_ = nullptr;
    TMcHeaderSection* draggedSection_ = nullptr;
    TMcHeaderSection* dropSection_ = nullptr;
    gdi::Rect dragRect_;
    int32_t lastDragX_ = 0;
    int32_t lineX_ = 0;
    int32_t grabOffset_ = 0;
    bool lineDrawn_ = false;
    bool resizeOnDrag_ = false;
    QComboBox* lookupCombo_ = nullptr;
    bool lookupGuard_ = false;
    bool lookupOpen_ = false;
    QPointer<QWidget> savedFocus_;
    std::unique_ptr<TMcOverlay> resizeLine_;
    std::unique_ptr<TMcOverlay> dragImage_;

    bool stickyRelayout_ = false;
    int32_t lastClientWidth_ = 0;
    int32_t updateCount_ = 0;
    int32_t wantedHeight_ = 19;
    QRegion dirty_;
    TMcPaintBuffer buffer_;
};

// The header with its properties and events in use.
class TMcHeader : public TCustomMcHeader {
public:
    using TCustomMcHeader::TCustomMcHeader;
};
