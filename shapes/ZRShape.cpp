#include "shapes/ZRShape.h"

void TVertexShape::BuildPoints() {
    if (limits_) {
        limits_(*this);
        DoChange();
    }
    const std::vector<TFloatPoint> vertices = vertices_(*this);
    BuildIntegerPoints(vertices);
}

void TContourShape::BuildPoints() {
    Dirty = false;
    DevicePointsTaken = false;
    TFloatKontur contour = NewKontur();
    trace_(*this, contour);
    if (!DevicePointsTaken) TakeContour(contour);
    Dirty = false;
}

void AppendMirrorX(TFloatKontur& contour) {
    for (int32_t i = contour.Count - 2; i >= 0; --i) {
        const TFloatPoint m = contour.MirrorX(contour.Points[static_cast<size_t>(i)]);
        contour.LineTo(m.X, m.Y);
    }
}

void RegisterZRShapes(TAutoShapeFactory& factory) {
    static const char* const kOrder[] = {
        "TBandOGekrShape",        "TBandUGekrShape",
        "TTrapezShape",           "TSextettShape",
        "TParalleloGrammShape",   "TDirectionArrowShape",
        "TDirectionArrowNotchShape", "TPfeilNotchShape",
        "TSternShape4",           "TWelleShape",
        "TDoppelWelleShape",      "TMondShape",
        "TSonneShape",            "TGefalteteEckeShape",
        "TPfeilZebraShape",       "TSmileyShape",
        "TExplosionShape1",       "TDreieckGleichSeitigShape",
        "TDreieckRechtWShape",    "TRauteShape",
        "TZylinderShape",         "TSchmuckrahmenShape",
        "TRadShape",              "THalbbogenShape",
        "TRegelQuintettShape",    "TSternZackShape5",
        "TRechteckPfeilShape",    "TGewitterblitzShape",
        "TWuerfelShape",          "TRechtsGekrPfeilShape",
        "TPfeilLRShape",          "TPfeilRechtWOShape",
        "TKreuzShape",            "TRahmenShape",
        "TPfeilLOShape",          "TLegendePfeilRShape",
        "TLegendePfeilLRShape",   "TLegendePfeilLROUShape",
        "TPfeilLShape",           "TPfeilOShape",
        "TPfeilUShape",           "TLegendeRechteckShape",
        "TLegendeRechteckAbgerundetShape", "TLegendeOvalShape",
        "TLegendeWolkeShape",     "TPfeilOUShape",
        "TPfeilLROUShape",        "TPfeilLROShape",
        "TExplosionShape2",       "TPfeilShape180",
        "TLegendePfeilLShape",    "TLegendePfeilOShape",
        "TLegendePfeilUShape",    "TLegendePfeilOUShape",
        "TBanderoleShape1",       "TPapierrolleShape1",
        "TOctettShape",           "TRundPfeilLShape",
        "TRundPfeilOShape",       "TRundPfeilUShape",
    };
    TShapeCreators creators;
    AddZRPolygonShapes(creators);
    AddZRPathShapes(creators);
    for (const char* name : kOrder) {
        const auto found = creators.find(name);
        if (found != creators.end()) factory.RegisterShape(name, found->second);
    }
}
