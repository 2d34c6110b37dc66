#include "pictures/widgets/DlgFilterHKIG.h"

#include "pictures/widgets/FilterPic.h"

#include <array>

namespace {

constexpr std::array<TFilterSliderInfo, 4> kSliders = {{
    {"Label1", "Helligkeit", 250, TSliderMode::smLinear, 0},
    {"Label2", "Kontrast", 280, TSliderMode::smLinear, 0},
    {"Label3", "Intensität", 310, TSliderMode::smLinear, 0},
    {"Label4", "Gamma", 340, TSliderMode::smExpo, 1},
}};

}  // namespace

TDlgFilterHKIG::TDlgFilterHKIG(QWidget* parent) : TDlgFilter(parent, kSliders) {
    setObjectName(QStringLiteral("DlgFilterHKIG"));
}

void TDlgFilterHKIG::SetDIB(imaging::DibHandle dib) {
    TDlgFilter::SetDIB(std::move(dib));
    PicNeu->Dib().SetDIB(PicAlt->PreviewDIB());
}

std::vector<float> TDlgFilterHKIG::FilterValues() const {
    return {Sliders[0]->Position() / 100, Sliders[1]->Position() / 100, Sliders[2]->Position() / 100,
            Sliders[3]->Position()};
}

void TDlgFilterHKIG::Filter(imaging::Dib& dib, const TFilterProgress& progress) const {
    const std::vector<float> v = FilterValues();
    FilterBrightnessContrast(dib, progress, v[0], v[1], v[2], v[3]);
}

imaging::DibHandle ShowFilterHKIGDialog(const imaging::Dib& picture, QWidget* parent) {
    TDlgFilterHKIG dialog(parent);
    return RunFilterDialog(dialog, picture);
}
