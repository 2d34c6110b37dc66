#pragma once
// A tool-bar colour button (36 x 22): a swatch of the current colour with
// the picture of what it colours, and an arrow that drops a palette of the
// 40 standard colours, the user colours and a few command rows. Clicking the
// swatch applies the current colour again; choosing a cell sets and reports
// the colour; the command rows report -2 (no colour), -3 (another colour
// through a dialog) and -4 (a gradient) to the owner.

#include "controls/FlatPartButton.h"
#include "controls/PopupCapture.h"

#include <QtWidgets/QWidget>

#include <array>
#include <cstdint>
#include <functional>

class TZRColorPopupButton;

enum TColorButtonStyle : uint8_t { cbsColor = 0, cbsBrush = 1, cbsPen = 2, cbsFont = 3 };

// The colour value of "no colour".
inline constexpr int32_t clNoColor = 1;
// What the command rows report.
inline constexpr int kBtnNoColor = -2;
inline constexpr int kBtnOtherColor = -3;
inline constexpr int kBtnGradient = -4;
inline constexpr int kBtnPattern = -5;

// The standard colours, five rows of eight, 00BBGGRR.
extern const std::array<int32_t, 40> kStandardColors;

// Where the parts of a palette lie for a style and a number of user colours.
struct TColorPaletteLayout {
    static constexpr int kWidth = 154;
    static constexpr int kMargin = 5;
    static constexpr int kCell = 18;
    static constexpr int kRowHeight = 22;
    static constexpr int kSeparatorHeight = 12;

    // Empty rectangles for the parts that are not shown.
    QRect noColor;
    QRect standard;
    QRect user;
    QRect otherColor;
    QRect gradient;
    // The vertical middles of the separators.
    std::array<int, 2> separators{-1, -1};
    int userCells = 0;
    int height = 0;

    static TColorPaletteLayout For(TColorButtonStyle style, int userColors);
};

class TZRColorPopupForm : public TPopupWindow {
    Q_OBJECT
public:
    static constexpr int kNothing = -999;
    static constexpr int kCellItem = -1;

    // What lies under a point: a cell (kCellItem and its colour), a command
    // row (its number) or nothing (kNothing); the frame of the highlight.
    struct Hit {
        int item = kNothing;
        int32_t color = 0;
        QRect frame;
    };

    explicit TZRColorPopupForm(TZRColorPopupButton* button);

    // Lays the palette out for the style and the current user colours and
    // takes its height.
    void LayoutFor(TColorButtonStyle style);
    const TColorPaletteLayout& Layout() const { return layout_; }
    Hit HitAt(const QPoint& point) const;
    // The last tracked item.
    const Hit& Tracked() const { return tracked_; }

    // The text of a command row in the current language.
    static QString RowText(int item);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Track(const QPoint& point, bool leftHeld);
    int32_t UserColor(int cell) const;
    void PaintCells(QPainter& painter, const QRect& area, int count, bool user) const;

    TZRColorPopupButton* button_;
    TColorPaletteLayout layout_;
    Hit tracked_;
    bool trackedPressed_ = false;
};

class TZRColorPopupButton : public TFlatPartButton {
    Q_OBJECT
public:
    static constexpr QSize kSize{36, 22};
    static constexpr int kArrowLeft = 24;

    explicit TZRColorPopupButton(QWidget* parent = nullptr);
    ~TZRColorPopupButton() override;

    int32_t Color() const { return color_; }
    // No event; repaints when the colour differs.
    void SetColor(int32_t color);
    TColorButtonStyle ColorButtonStyle() const { return style_; }
    // cbsColor has no arrow part: the whole button opens the palette.
    void SetColorButtonStyle(TColorButtonStyle style);

    TZRColorPopupForm* Palette() const { return palette_; }
    bool PaletteOpen() const { return capture_->Active(); }
    void OpenPalette();
    // Closes the open palette and takes the item chosen in it.
    void ClosePalette(int item, int32_t color);
    // What choosing an item of the palette does: a cell (kCellItem) sets the
    // colour and reports it, a command row reports its number (and "no
    // colour" then sets clNoColor), kNothing does nothing.
    void ItemChosen(int item, int32_t color);
    // A press outside the palette: closes it and gives the press to the
    // widget under the cursor unless that is this button.
    void CancelByPress(const QMouseEvent& press);

    std::function<void(int32_t newColor)> OnColorChange;
    std::function<void(int btnIndex)> OnMenuButtonClick;

protected:
    void MainClicked() override;
    void ArrowClicked() override { OpenPalette(); }
    void PaintFace(QPainter& painter) override;
    bool DropDownOpen() const override { return PaletteOpen(); }

private:
    int32_t color_ = 0;
    TColorButtonStyle style_ = cbsBrush;
    TZRColorPopupForm* palette_;
    TPopupCapture* capture_;
};
