#include "printing/DruckPositionData.h"

#include "foundation/FormatText.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "printing/PrinterSupport.h"

#include <cmath>
#include <string_view>

namespace {

const std::string kSection = "Drucker";

double ReadOffset(const char* name) {
    const double v = Settings().ReadFloat(kSection, name, 0);
    return std::isfinite(v) && std::fabs(v) <= TDruckPositionData::kMostOffset ? v : 0;
}

QString Describe(double v, std::string_view positive, std::string_view negative) {
    if (v > 0) return FloatToLocaleText(v) + QLatin1Char(' ') + LocalizedText(positive);
    if (v < 0) return FloatToLocaleText(-v) + QLatin1Char(' ') + LocalizedText(negative);
    return LocalizedText("IDS_DLGPOSDRUCKMSG3");
}

}  // namespace

TDruckPositionData::TDruckPositionData(bool rotate) : Rotate(rotate) { Load(); }

void TDruckPositionData::Load() {
    X = ReadOffset("OffsetX");
    Y = ReadOffset("OffsetY");
    if (!Rotate) return;
    const double x = X, y = Y;
    if (PrinterSupport().GetLandscapeRotation() == 90) {
        X = -y;
        Y = x;
    } else {
        X = y;
        Y = -x;
    }
}

void TDruckPositionData::Save() const {
    double x = X, y = Y;
    if (Rotate) {
        if (PrinterSupport().GetLandscapeRotation() == 90) {
            x = Y;
            y = -X;
        } else {
            x = -Y;
            y = X;
        }
    }
    Settings().WriteFloat(kSection, "OffsetX", x);
    Settings().WriteFloat(kSection, "OffsetY", y);
}

QString TDruckPositionData::DescribeX() const { return Describe(X, "IDS_DLGPOSDRUCKMSG1", "IDS_DLGPOSDRUCKMSG2"); }

QString TDruckPositionData::DescribeY() const { return Describe(Y, "IDS_DLGPOSDRUCKMSG4", "IDS_DLGPOSDRUCKMSG5"); }
