#include "design/PvShape.h"

#include "design/PreviewContentStreams.h"
#include "document/EtikettFiler.h"
#include "figures/Figure.h"
#include "foundation/ScaleCanvas.h"
#include "shapes/AutoShape.h"

#include <cmath>

void TpvAutoForm::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Shape.Read(filer);
}

void TpvAutoForm::Draw(TScaleCanvas& canvas) {
    if (!HasArea()) return;
    const TAutoShapeFactory& factory = AutoShapeFactory();
    std::unique_ptr<TAbstractAutoShape> shape = factory.IsRegistered(Shape.ShapeClass)
                                                    ? factory.CreateShape(Shape.ShapeClass)
                                                    : std::make_unique<TDefaultShape>();
    const gdi::Point center = DeviceCenter(canvas);
    shape->SetCenterX(center.x);
    shape->SetCenterY(center.y);
    shape->SetWidth(DevLength(canvas, Base.Width));
    shape->SetHeight(DevLength(canvas, Base.Height));
    shape->SetAngle(static_cast<float>(std::fmod(Base.Angle, 360.0)));
    shape->SetHotTrackData(Shape.HotTrack);
    ApplyPen(canvas);
    shape->DrawFilled(canvas.Canvas(), Fill);
    canvas.Pen().width = 1;
}

void TpvWordart::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    TWordartRecord wordart;
    wordart.Read(filer);
}

void TpvCharSymbol::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    SkipContourList(*filer.Stream);
}
