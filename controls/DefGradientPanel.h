#pragma once
// The stop editor of the gradient page: the colour ramp of a gradient
// (y 0 .. 30) above a strip of triangular markers for its inner stops
// (y 30 .. 40). Pressing a marker selects it and dragging moves it (1 to 99
// per cent, the value shown in the value tip); a double-click adds a stop of
// the colour shown there; Delete removes the selected stop. The first and
// the last stop stay at 0 and 100 per cent: they can be recoloured but not
// selected. Always 255 x 50 pixels.

#include "foundation/GradientPalette.h"

#include <QtWidgets/QWidget>

#include <functional>
#include <memory>

class TDefGradientPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kSize{255, 50};
    static constexpr int kStripBottom = 30;
    static constexpr int kMarkerBottom = 40;

    explicit TDefGradientPanel(QWidget* parent = nullptr);
    ~TDefGradientPanel() override;

    // Takes the stops of the palette; no stop is selected afterwards.
    void SetPalette(const TGradientpalette& palette);
    TGradientpalette& Palette() { return *palette_; }

    gdi::Color StartColor() const;
    void SetStartColor(gdi::Color color);
    gdi::Color EndColor() const;
    void SetEndColor(gdi::Color color);

    // A new stop at the position (per cent), selected; the colour -1 takes
    // the ramp's colour in the middle.
    void AddStop(int32_t position, int32_t color);
    void DeleteSelected();
    void SetSelectedColor(gdi::Color color);
    // Hides the value tip and selects nothing.
    void EndEdit();
    TGradientEntry* Selected() const { return selected_; }

    // The x of a stop's marker.
    int MarkerX(int32_t position) const;
    // The per cent of a point of the strip, clamped to 1 .. 99.
    int PositionAt(int x) const;

    std::function<void()> OnSelectionChange;
    std::function<void()> OnChange;

    QSize sizeHint() const override { return kSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Select(TGradientEntry* stop);
    void ShowTip(int x);
    void DrawMarker(QPainter& painter, int x, bool selected) const;

    std::unique_ptr<TGradientpalette> palette_;
    TGradientEntry* selected_ = nullptr;
    int dragOffset_ = 0;
    bool dragging_ = false;
};
