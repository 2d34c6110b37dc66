#pragma once
// The colour page of the fill dialog. The colour is picked from the 40
// standard colours, from the user colours, on a hue ring with a saturation
// and lightness square inside it, or typed as red, green, blue, hue,
// saturation and lightness (0 to 255 each). The new colour is shown beside
// the old one, and "<< Farbe hinzufügen" adds it to the user colours. The
// page edits its own copy of the user colours (UserColors), which the
// dialog fills from the shared list and copies back on OK.

#include "controls/ColorList.h"
#include "controls/TabFrame.h"

#include "foundation/RGBHSL.h"

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <array>
#include <functional>

class QPushButton;
class QTimer;
class TQNSpinEdit;
class TZREnterAsTab;

// A grid of 16 x 16 colour cells, 8 columns wide, with a current cell that
// the mouse and the arrow keys move.
class TColorCellGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;
    static constexpr int kCellSize = 16;

    TColorCellGrid(int rows, QWidget* parent);

    int Rows() const { return rows_; }
    int CurrentCell() const { return current_; }
    // Moves the current cell without OnSelectCell.
    void SetCurrentCell(int cell);
    int CellAt(const QPoint& point) const;
    QRect CellRect(int cell) const;

    // The colour of a cell; clEmptySlot shows a free cell.
    std::function<int32_t(int cell)> CellColor;
    // A cell was chosen with the mouse or the arrow keys.
    std::function<void(int cell)> OnSelectCell;
    std::function<void(int cell)> OnDeleteKey;

    QSize sizeHint() const override { return {kColumns * kCellSize, rows_ * kCellSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Select(int cell);

    int rows_;
    int current_ = 0;
};

// A panel filled with a colour, its caption written in black or white,
// whichever reads better on it.
class TColorPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TColorPanel(QWidget* parent);

    int32_t Color() const { return color_; }
    void SetColor(int32_t color);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t color_ = 0;
    QString caption_;
};

class TTabFrameColor : public TTabFrame {
    Q_OBJECT
public:
    enum class TDragMode { None, Hue, SatLight };
    // Geometry of the colour image (200 x 200).
    static constexpr int kImageSize = 200;
    static constexpr int kCentre = 100;
    static constexpr int kInnerRadius = 73;
    static constexpr int kOuterRadius = 95;
    static constexpr int kMarkerRadius = 84;
    static constexpr int kSquareLeft = 50;
    static constexpr int kSquareSize = 100;
    static constexpr int kRedrawDelay = 200;
    static constexpr int32_t kStartColor = 0x008000;

    explicit TTabFrameColor(QWidget* owner);

    // Shows the colour as the old and the current one.
    void SetColor(int32_t color);
    int32_t GetColor() const { return static_cast<int32_t>(model_.GetColor()); }
    TColorList& UserColors() { return userColors_; }
    const TRGBHSL& Model() const { return model_; }

    // What a press at a point of the image starts: the square takes x 50 to
    // 150 and y 50 to 148, the ring the distances 73 to 95 from the centre.
    static TDragMode PressMode(const QPoint& point);
    // The hue of a point around the centre (0 to 1, clockwise from the
    // right).
    static double HueAt(const QPoint& point);
    // Saturation and lightness of a point of the square, clamped to 0 .. 1.
    static QPointF SatLightAt(const QPoint& point);
    // Where the two markers are drawn.
    QPoint RingMarker() const;
    QPoint SquareMarker() const;

    // The mouse on the image (in its coordinates).
    void ImagePressed(const QPoint& point);
    void ImageDragged(const QPoint& point);
    void ImageReleased() { drag_ = TDragMode::None; }
    TDragMode DragMode() const { return drag_; }

    // The edits in the order red, green, blue, hue, saturation, lightness
    // (their tags 1 to 6).
    TQNSpinEdit* Edit(int tag) const { return edits_.at(static_cast<size_t>(tag - 1)); }
    TColorCellGrid* StandardGrid() const { return dgStandardFarben_; }
    TColorCellGrid* UserGrid() const { return dgBenutzerfarben_; }
    TColorPanel* NewPanel() const { return panNeu_; }
    TColorPanel* OldPanel() const { return panAlt_; }
    QWidget* Image() const { return imColor_; }
    QTimer* RedrawTimer() const { return timer_; }
    // The hue the square was last drawn for.
    double SquareHue() const { return squareHue_; }
    const QImage& RingImage() const { return ring_; }
    const QImage& SquareImage() const { return square_; }
    void AddColorClick();

private:
    void BuildControls();
    void DrawRing(qreal scale);
    void DrawSquare();
    // Edits, new colour, markers and (when drawSquare and the hue changed)
    // the square; keepTag names an edit whose text stays as typed.
    void ShowModel(bool drawSquare = true, int keepTag = 0);
    void EditChanged(int tag);
    void TimerFired();
    void PaintImage(QPainter& painter);
    void DrawRingEdge(QPainter& painter, const QRectF& box, bool raised) const;

    friend class TColorImage;

    TRGBHSL model_{static_cast<gdi::Color>(kStartColor)};
    TColorList userColors_{kCustomColorSlots};
    TDragMode drag_ = TDragMode::None;
    bool updating_ = false;
    double squareHue_ = -1;
    QImage ring_;
    QImage square_;

    QWidget* imColor_ = nullptr;
    TColorCellGrid* dgStandardFarben_ = nullptr;
    TColorCellGrid* dgBenutzerfarben_ = nullptr;
    QPushButton* btnColorAdd_ = nullptr;
    std::array<TQNSpinEdit*, 6> edits_{};
    TColorPanel* panNeu_ = nullptr;
    TColorPanel* panAlt_ = nullptr;
    QTimer* timer_ = nullptr;
    TZREnterAsTab* enterAsTab_ = nullptr;
};
