#pragma once
// The ruler of the document window: centimetres (or inches) with labelled
// major ticks and three minor ticks between them, its zero at StartNull
// pixels and its scale PixPerdm pixels per decimetre, so that the window
// keeps it in step with the view's zoom and scroll position. A mark drawn by
// inverting pixels follows the mouse pointer and may snap to a grid.

#include "app/WindowCanvas.h"

#include <QtWidgets/QWidget>

#include <functional>
#include <optional>
#include <vector>

enum class TLinealOrientation { LOHorizontal, LOVertikal };

// What a ruler of a given length shows; positions along the ruler in pixels.
struct TRulerScale {
    struct Label {
        int32_t position;
        int32_t value;
        friend bool operator==(const Label&, const Label&) = default;
    };
    double majorStep = 0;  // pixels between labelled ticks
    std::vector<int32_t> majorTicks;
    std::vector<int32_t> minorTicks;
    std::vector<Label> labels;
};

// Ticks every centimetre (or inch) when a decimetre (10 inches) takes more
// than 200 pixels, else every 5. Major ticks are rounded, labels after the
// first truncated. A scale finer than 2 pixels per major step (a PixPerdm of
// 0 or less among them) shows nothing.
TRulerScale ComputeRulerScale(double pixPerdm, int32_t startNull, bool showInch, int32_t length);

class TQNLineal : public QWidget {
    Q_OBJECT
public:
    explicit TQNLineal(QWidget* parent = nullptr);

    double PixPerdm() const { return pixPerdm_; }
    void SetPixPerdm(double value);
    int32_t StartNull() const { return startNull_; }
    void SetStartNull(int32_t value);
    TLinealOrientation Orientation() const { return orientation_; }
    void SetOrientation(TLinealOrientation value);
    bool ShowInch() const { return showInch_; }
    void SetShowInch(bool value);
    // The mark snaps to steps of RasterWeite millimetres while Rasten is set.
    bool Rasten = false;
    float RasterWeite = 0;

    // Moves the mark to the mouse pointer.
    void UpdateCursorMark();
    // Moves the mark to a point in the ruler's coordinates.
    void UpdateCursorMarkAt(QPoint p);
    void HideCursorMark();
    // The mark's column (horizontal ruler) or row (vertical ruler); -1 when none is drawn.
    int32_t CursorMark() const { return mark_.value_or(-1); }
    int32_t SnapToRaster(int32_t a) const;

    // The pixels now shown.
    const QImage& PresentedFrame();

    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool Horizontal() const { return orientation_ == TLinealOrientation::LOHorizontal; }
    void Invalidate();
    void RenderIfNeeded();
    void PaintScale();
    void PaintTicks(const TRulerScale& scale, int32_t cross);
    void PaintLabels(const TRulerScale& scale);
    void PaintEdges();
    void DrawMark(int32_t at);

    TWindowCanvas frame_;
    double pixPerdm_ = 400;
    int32_t startNull_ = 0;
    TLinealOrientation orientation_ = TLinealOrientation::LOHorizontal;
    bool showInch_ = false;
    bool dirty_ = true;
    std::optional<int32_t> mark_;
};
