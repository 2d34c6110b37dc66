#include "pictures/widgets/DlgFilterSWCol.h"

#include <QtWidgets/QPushButton>

#include <array>

namespace {

constexpr std::array<TFilterSliderInfo, 2> kSWColSliders = {{
    {"Label1", "Farbton", 250, TSliderMode::smLinear, -80},
    {"Label2", "Sättigung", 280, TSliderMode::smLinear, -40},
}};

}  // namespace

TDlgFilterSWCol::TDlgFilterSWCol(QWidget* parent) : TDlgFilter(parent, kSWColSliders) {
    setObjectName(QStringLiteral("DlgFilterSWCol"));
    BtnSchwarzWeiss = AddButton("BtnSchwarzWeiss", QStringLiteral("Schwarz/Weiß"), 108);
    PlaceButtons();
    setTabOrder(BtnZuruecksetzen, BtnSchwarzWeiss);
    connect(BtnSchwarzWeiss, &QPushButton::clicked, this, [this] { BtnSchwarzWeissClick(); });
}

void TDlgFilterSWCol::SetDIB(imaging::DibHandle dib) {
    TDlgFilter::SetDIB(std::move(dib));
    SliderChange();
}

std::vector<float> TDlgFilterSWCol::FilterValues() const {
    return {(Sliders[0]->Position() + 100) / 200, (Sliders[1]->Position() + 100) / 200};
}

void TDlgFilterSWCol::BtnSchwarzWeissClick() {
    Sliders[1]->SetPosition(-100);
    SliderChange();
}

void TDlgFilterSWCol::Filter(imaging::Dib& dib, const TFilterProgress& progress) const {
    const std::vector<float> v = FilterValues();
    FilterTint(dib, progress, v[0], v[1]);
}

imaging::DibHandle ShowFilterSWColDialog(const imaging::Dib& picture, QWidget* parent) {
    TDlgFilterSWCol dialog(parent);
    return RunFilterDialog(dialog, picture);
}
