#pragma once
// The live picture of a gradient on the gradient page of the fill dialog.
// Dragging in it with the left button moves the centre of a radial, conical
// or square gradient, or turns a linear one towards the mouse.

#include "foundation/Gradient.h"

#include <QtWidgets/QWidget>

#include <functional>
#include <memory>

class TGradientPreview : public QWidget {
    Q_OBJECT
public:
    explicit TGradientPreview(QWidget* parent = nullptr);
    ~TGradientPreview() override;

    TGradienttyp Typ() const { return typ_; }
    void SetTyp(TGradienttyp typ);
    // The centre's offset as a fraction of the width and the height.
    double AbstandX() const { return abstandX_; }
    void SetAbstandX(double value);
    double AbstandY() const { return abstandY_; }
    void SetAbstandY(double value);
    // Degrees.
    double Winkel() const { return winkel_; }
    void SetWinkel(double value);
    double Randabstand() const { return randabstand_; }
    void SetRandabstand(double value);

    // Takes the stops and the ramp size of the palette.
    void SetPalette(const TGradientpalette& palette);
    const TGradientpalette& Palette() const { return *palette_; }

    // The picture as painted (device pixels), without the frame.
    QImage RenderGradient(const QSize& deviceSize) const;
    // What the mouse at a point sets (see the class comment).
    void HandlePoint(const QPoint& point);

    std::function<void()> OnChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetValue(double& field, double value);

    TGradienttyp typ_ = TGradienttyp::gtLinear;
    double abstandX_ = 0;
    double abstandY_ = 0;
    double winkel_ = 0;
    double randabstand_ = 0;
    std::unique_ptr<TGradientpalette> palette_;
    bool dragging_ = false;
};
