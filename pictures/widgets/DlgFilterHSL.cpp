#include "pictures/widgets/DlgFilterHSL.h"

#include "pictures/widgets/FilterPic.h"

#include <array>

namespace {

constexpr std::array<TFilterSliderInfo, 3> kHSLSliders = {{
    {"Label1", "Farbton", 250, TSliderMode::smLinear, 0},
    {"Label2", "Sättigung", 280, TSliderMode::smLinear, 0},
    {"Label3", "Helligkeit", 310, TSliderMode::smLinear, 0},
}};

}  // namespace

TDlgFilterHSL::TDlgFilterHSL(QWidget* parent) : TDlgFilter(parent, kHSLSliders) {
    setObjectName(QStringLiteral("DlgFilterHSL"));
}

void TDlgFilterHSL::SetDIB(imaging::DibHandle dib) {
    TDlgFilter::SetDIB(std::move(dib));
    PicNeu->Dib().SetDIB(PicAlt->PreviewDIB());
}

std::vector<float> TDlgFilterHSL::FilterValues() const {
    return {Sliders[0]->Position() / 200, Sliders[1]->Position() / 100, Sliders[2]->Position() / 100};
}

void TDlgFilterHSL::Filter(imaging::Dib& dib, const TFilterProgress& progress) const {
    const std::vector<float> v = FilterValues();
    FilterHSL(dib, progress, v[0], v[1], v[2]);
}

imaging::DibHandle ShowFilterHSLDialog(const imaging::Dib& picture, QWidget* parent) {
    TDlgFilterHSL dialog(parent);
    return RunFilterDialog(dialog, picture);
}
