#include "foundation/GeneralHelpers.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/PrivateTempFolder.h"
#include "foundation/Rounding.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/shell/DesktopRegistration.h"
#include "platform/shell/Mounts.h"
#include "platform/shell/SpecialFolders.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

QString DefaultExt = QStringLiteral("qem");

QString HelpFileName() {
    return GetProgramFolder() + QStringLiteral("pelvrin.hlp");
}

double PixelsPerMM() {
    return gdi::ScreenCaps().logPixelsY / 25.4;
}

// ---- paths and files

double DateTimeValue(const QDateTime& moment) {
    const qint64 days = QDate(1899, 12, 30).daysTo(moment.date());
    return static_cast<double>(days) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

double FileDateTime(const QString& fileName) {
    const QFileInfo info(fileName);
    return info.exists() ? DateTimeValue(info.lastModified()) : 0;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    if (folder.endsWith(u'/')) return folder + name;
    return folder + u'/' + name;
}

bool IsCDROMDrive(const QString& path) {
    return shell::IsOnOpticalDisc(path);
}

QString UniqueTempFileName(const QString& extension) {
    return ProcessTempFolder().NewFileName(extension);
}

namespace {

QString& StoredApplicationTitle() {
    static QString title;
    return title;
}

}  // namespace

QString ApplicationTitle() {
    const QString& title = StoredApplicationTitle();
    return title.isEmpty() ? QStringLiteral("Zorbit") : title;
}

void SetApplicationTitle(const QString& title) { StoredApplicationTitle() = title; }

bool RegisterFileAssociation(const QString& extension) {
    try {
        shell::DocumentType type;
        type.extension = extension;
        type.applicationName = ApplicationTitle();
        type.description = type.applicationName + QStringLiteral(" Datei");
        type.englishDescription = type.applicationName + QStringLiteral(" document");
        type.programPath = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
        if (type.programPath.isEmpty()) return false;
        return shell::RegisterDocumentType(type, shell::UserDataHome()).changed;
    } catch (...) {
        return false;
    }
}

QString DocumentFileFilter() {
    return LocalizedFormat("IDS_FILEFILTER", {DefaultExt});
}

// ---- numbers and geometry

namespace {

// The factor that scales (width, height) onto the box; 0 when there is none.
double FitFactor(double width, double height, double maxWidth, double maxHeight) {
    if (!(maxWidth > 0) || !(maxHeight > 0)) return 0;
    const double f = std::max(width / maxWidth, height / maxHeight);
    return std::isfinite(f) && f > 0 ? f : 0;
}

}  // namespace

void FitSizeInto(int32_t& width, int32_t& height, int32_t maxWidth, int32_t maxHeight) {
    const double f = FitFactor(width, height, maxWidth, maxHeight);
    if (f == 0) return;
    width = Round(width / f);
    height = Round(height / f);
}

void FitSizeIntoFloat(double& width, double& height, double maxWidth, double maxHeight) {
    const double f = FitFactor(width, height, maxWidth, maxHeight);
    if (f == 0) return;
    width /= f;
    height /= f;
}

double ClampFloat(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

TRect NormalizeRect(const TRect& r) {
    return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
            std::max(r.top, r.bottom)};
}

bool RectContainsRect(const TRect& outer, const TRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

void SwapIntegers(int32_t& a, int32_t& b) {
    std::swap(a, b);
}

void SwapDoubles(double& a, double& b) {
    std::swap(a, b);
}

double PointDistance(TPoint a, TPoint b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

namespace {

// Rounds the decimal digits 0.d1d2... x 10^(exponent + 1) to their first keep
// digits, halves away from zero; a carry out of the first digit adds a new
// leading 1 and raises the exponent.
void RoundDigits(std::string& digits, int keep, int& exponent) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
        ++digits[i];
    } else {
        digits.insert(digits.begin(), '1');
        ++exponent;
    }
}

}  // namespace

double RoundToDecimals(double x, int32_t decimals) {
    if (!std::isfinite(x)) return x;
    decimals = std::clamp(decimals, 0, 18);
    // The first 15 significant digits and the decimal exponent of the first.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(x));
    std::string digits(1, buffer[0]);
    digits.append(buffer + 2, 14);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    // The digits before the point and the decimals.
    const int keep = exponent + 1 + decimals;
    if (keep < 0) return 0;
    if (keep < static_cast<int>(digits.size())) RoundDigits(digits, keep, exponent);
    if (digits.empty()) return 0;
    const std::string text = "0." + digits + "e" + std::to_string(exponent + 1);
    const double value = std::strtod(text.c_str(), nullptr);
    return x < 0 ? -value : value;
}

double RoundTo2Decimals(double x) {
    if (!std::isfinite(x)) return x;
    return static_cast<double>(std::nearbyint(static_cast<long double>(x) * 100) / 100);
}

double ShortestDouble(float value) {
    char text[32];
    const auto [end, error] = std::to_chars(std::begin(text), std::end(text), value);
    double result = value;
    if (error == std::errc()) std::from_chars(text, end, result);
    return result;
}

int32_t SignOf(float x) {
    if (x > 0) return 1;
    if (x < 0) return -1;
    return 0;
}

double NormalizeAngle(float degrees) {
    if (!std::isfinite(degrees)) return 0;
    double a = std::fmod(static_cast<double>(degrees), 360.0);
    if (a < 0) a += 360;
    if (a >= 360) a -= 360;
    return a;
}

bool PointNearLine(TPoint p, TPoint a, TPoint b, int32_t tolerance) {
    const int64_t t = tolerance;
    const int64_t left = std::min<int64_t>(a.x, b.x) - t, right = std::max<int64_t>(a.x, b.x) + t;
    const int64_t top = std::min<int64_t>(a.y, b.y) - t, bottom = std::max<int64_t>(a.y, b.y) + t;
    if (p.x < left || p.x >= right || p.y < top || p.y >= bottom) return false;
    if (a == b) return true;
    const int64_t vx = int64_t{b.x} - a.x, vy = int64_t{b.y} - a.y;
    const int64_t dx = int64_t{p.x} - a.x, dy = int64_t{p.y} - a.y;
    const float s = static_cast<float>(dx * vx + dy * vy) / static_cast<float>(vx * vx + vy * vy);
    const float ox = static_cast<float>(dx) - s * static_cast<float>(vx);
    const float oy = static_cast<float>(dy) - s * static_cast<float>(vy);
    return ox * ox + oy * oy < static_cast<float>(t) * static_cast<float>(t);
}
