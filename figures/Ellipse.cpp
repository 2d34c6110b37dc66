#include "figures/Ellipse.h"

TEllipse::TEllipse(TChildBase* owner) : TShapeFigure(owner, "TEllipseShape") {
    Kind = TFigureKind::Ellipse;
}

void TEllipse::Assign(const TFigure& source) {
    if (!dynamic_cast<const TEllipse*>(&source)) throw EInvalidCast("Invalid class typecast");
    TRechteck::Assign(source);
}

std::unique_ptr<TFigure> TEllipse::Clone() const {
    auto copy = std::make_unique<TEllipse>(Owner);
    copy->Assign(*this);
    return copy;
}
