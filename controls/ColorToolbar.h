#pragma once
// The narrow colour strip at the right edge of the main window. Pressing a
// cell opens a popup of shades of its colour beside it; releasing the mouse
// on a shade chooses it. The left button chooses a fill colour, the right
// button an outline colour, either with Ctrl a text colour. Dragging along
// the strip with the button held shows the shades of each cell passed.

#include "controls/PopupCapture.h"

#include <QtWidgets/QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class TQDXColorToolbar;

// What a choice of the strip colours (the event's kind).
enum TSelectColorTyp : int {
    sctNone = 0,
    sctOutline = 1,  // right button
    sctFill = 2,     // left button
    sctText = 3,     // Ctrl with either button
};

// The shades of one strip cell.
class TColorPopup : public TPopupWindow {
    Q_OBJECT
public:
    enum Mode : uint8_t { pmNoColor = 0, pmGreys = 1, pmShades = 2 };
    static constexpr int kCellSize = 14;
    static constexpr int kCellOrigin = 3;
    static constexpr int kNoCell = -999;
    // The cell of the base colour itself in the shades.
    static constexpr int kBaseColumn = 6;
    static constexpr int kBaseRow = 2;

    explicit TColorPopup(TQDXColorToolbar* toolbar);

    // Builds the cells of the mode: no colour (1 x 1), eleven greys from
    // black to white (11 x 1), or 7 x 7 shades of the base colour
    // (saturation across, lightness down).
    void SetMode(uint8_t mode, int32_t baseColor);
    uint8_t GetMode() const { return mode_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // The offset of the popup's origin from the strip cell it belongs to.
    QPoint Anchor() const { return anchor_; }
    int32_t CellColor(int index) const { return colors_.at(static_cast<size_t>(index)); }
    // The cell under a point of the popup, kNoCell on the margins.
    int CellAt(const QPoint& point) const;
    QRect CellRect(int index) const;
    int HoverIndex() const { return hover_; }

    // The kind a release of the button with the modifiers chooses; sctNone
    // for buttons other than the left and the right.
    static TSelectColorTyp KindOf(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetHover(int index, bool pressed);

    TQDXColorToolbar* toolbar_;
    uint8_t mode_ = pmShades;
    int columns_ = 0;
    int rows_ = 0;
    QPoint anchor_;
    std::vector<int32_t> colors_;
    int hover_ = kNoCell;
    bool hoverPressed_ = false;
};

class TQDXColorToolbar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
public:
    static constexpr int kWidth = 16;
    static constexpr int kCellHeight = 14;
    static constexpr int kCellCount = 27;
    // Hues of the cells 2 .. 26 as fractions of the full circle.
    static const double kHues[kCellCount - 2];

    explicit TQDXColorToolbar(QWidget* parent = nullptr);
    ~TQDXColorToolbar() override;

    // White (the no-colour cell), black, then the 25 hues at full
    // saturation and lightness 0.5.
    static int32_t CellColor(int index);
    // The cell at a height of the strip; -1 outside.
    static int CellAt(int y);

    int CurrentCell() const { return current_; }
    bool PopupActive() const { return capture_->Active(); }
    bool ButtonDown() const { return buttonDown_; }
    TColorPopup* Popup() const { return popup_; }

    // Closes the popup; a kind other than sctNone reports the colour.
    void ClosePopup(TSelectColorTyp typ, int32_t color);
    // A press outside the popup: closes it and gives the press to the widget
    // under the cursor (unless that is the strip).
    void CancelByPress(const QMouseEvent& press);
    void SetButtonDown(bool down) { buttonDown_ = down; }

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The colour chosen: the kind, and the colour or -1 for no colour.
    std::function<void(TSelectColorTyp typ, int32_t color)> OnSelectColor;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowPopupFor(int cell);

    TColorPopup* popup_;
    TPopupCapture* capture_;
    int current_ = -1;
    bool buttonDown_ = false;
    QString hint_;
};
