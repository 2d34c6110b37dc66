#pragma once
// The ellipse: a box drawn, filled and hit-tested through an ellipse auto-shape.

#include "figures/ShapeFigure.h"

class TEllipse : public TShapeFigure {
public:
    explicit TEllipse(TChildBase* owner);

    std::unique_ptr<TFigure> Clone() const override;
    void Assign(const TFigure& source) override;
    const char* ClassName() const override { return "TEllipse"; }
};
