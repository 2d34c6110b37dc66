#include "printing/PrinterSupport.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/FormatText.h"
#include "foundation/Localizer.h"
#include "foundation/MyMemIniFile.h"
#include "foundation/Rounding.h"
#include "foundation/ZRRegIniFile.h"

#include <cstdlib>
#include <exception>

namespace {

constexpr int32_t kA4Width = 210;
constexpr int32_t kA4Height = 297;
// Larger values in the cache file are no page of any printer.
constexpr int32_t kMostPixels = 1000000;
constexpr int32_t kMostDpi = 100000;

bool PaperFits(const TPaperInfo& paper, int32_t w, int32_t h) {
    return std::abs(paper.width - w) < TPrinterSupport::kPaperTolerance &&
           std::abs(paper.height - h) < TPrinterSupport::kPaperTolerance;
}

float PixelsToMM(int32_t pixels, int32_t dpi) { return static_cast<float>(pixels / static_cast<double>(dpi) * 25.4); }

void FillMillimetres(TPrinterBorders& b, int32_t dpiX, int32_t dpiY) {
    b.WidthMM = PixelsToMM(b.Width, dpiX);
    b.LeftMM = PixelsToMM(b.Left, dpiX);
    b.RightMM = PixelsToMM(b.Right, dpiX);
    b.HeightMM = PixelsToMM(b.Height, dpiY);
    b.TopMM = PixelsToMM(b.Top, dpiY);
    b.BottomMM = PixelsToMM(b.Bottom, dpiY);
}

bool IsPage(const TPrinterBorders& b, int32_t dpiX, int32_t dpiY) {
    auto within = [](int32_t v, int32_t most) { return v >= 0 && v <= most; };
    return within(b.Width, kMostPixels) && within(b.Height, kMostPixels) && b.Width > 0 && b.Height > 0 &&
           within(b.Left, b.Width) && within(b.Right, b.Width) && within(b.Top, b.Height) &&
           within(b.Bottom, b.Height) && int64_t{b.Left} + b.Right < b.Width && int64_t{b.Top} + b.Bottom < b.Height &&
           dpiX > 0 && dpiX <= kMostDpi && dpiY > 0 && dpiY <= kMostDpi;
}

void LogFailure(const QString& what) { Debug().Log(QStringLiteral("TPrinterSupport: ") + what); }

}  // namespace

QString TPrinterSupport::GetDeviceName() const { return QString::fromStdString(gdi::CurrentPrinter().Name()); }

QString TPrinterSupport::GetPortName() const {
    return QString::fromStdString(gdi::CurrentPrinter().Identity().port);
}

std::string TPrinterSupport::GetSettingsPrinterName() const {
    QString name = GetDeviceName();
    name.remove(QStringLiteral("\\\\"));
    return UnicodeToAnsi(name);
}

int32_t TPrinterSupport::GetLandscapeRotation() const { return gdi::CurrentPrinter().LandscapeRotation(); }

int32_t TPrinterSupport::GetMaxCopies() const { return gdi::CurrentPrinter().MaxCopies(); }

void TPrinterSupport::GetPrinterInfo(TPrinterInfo& info) const {
    const gdi::PrinterIdentity identity = gdi::CurrentPrinter().Identity();
    info = TPrinterInfo{};
    info.PrinterName = QString::fromStdString(identity.name);
    info.PortName = QString::fromStdString(identity.port);
    info.DriverName = QString::fromStdString(identity.driver);
    info.Comment = QString::fromStdString(identity.comment);
    info.Location = QString::fromStdString(identity.location);
    QString status;
    if (identity.isDefault) status += QStringLiteral("; ") + LocalizedText("IDS_PRINTSUPP2");
    if (identity.status != 0)
        status += QStringLiteral("; ") + LocalizedFormat("IDS_PRINTSUPP4", {identity.status});
    else
        status += QStringLiteral("; ") + LocalizedText("IDS_PRINTSUPP3");
    info.Status = status.mid(2);
}

QString TPrinterSupport::BordersFile() const {
    return bordersFile_.isEmpty() ? GetDataFilePath(QString::fromLatin1(kBordersFileName)) : bordersFile_;
}

QString TPrinterSupport::BordersSection(const std::string& printer, const TPaperInfo& paper,
                                        gdi::PageOrientation orientation) {
    return QStringLiteral("%1|%2x%3|%4")
        .arg(QString::fromStdString(printer))
        .arg(paper.width)
        .arg(paper.height)
        .arg(orientation == gdi::PageOrientation::Landscape ? QStringLiteral("Quer") : QStringLiteral("Hoch"));
}

bool TPrinterSupport::ReadCachedBorders(const TMyMemIniFile& ini, const QString& section, TPrinterBorders& borders) {
    if (!ini.SectionExists(section)) return false;
    TPrinterBorders read;
    read.Width = ini.ReadInteger(section, QStringLiteral("Width"), -1);
    read.Height = ini.ReadInteger(section, QStringLiteral("Height"), -1);
    read.Left = ini.ReadInteger(section, QStringLiteral("Left"), -1);
    read.Top = ini.ReadInteger(section, QStringLiteral("Top"), -1);
    read.Right = ini.ReadInteger(section, QStringLiteral("Right"), -1);
    read.Bottom = ini.ReadInteger(section, QStringLiteral("Bottom"), -1);
    const int32_t dpiX = ini.ReadInteger(section, QStringLiteral("DpiX"), 0);
    const int32_t dpiY = ini.ReadInteger(section, QStringLiteral("DpiY"), 0);
    if (!IsPage(read, dpiX, dpiY)) return false;
    FillMillimetres(read, dpiX, dpiY);
    borders = read;
    return true;
}

void TPrinterSupport::GetPhysicalPage(TPrinterBorders& borders, gdi::PageOrientation orientation) {
    gdi::Printer& printer = gdi::CurrentPrinter();
    const QString section = BordersSection(printer.Name(), printer.CurrentPaper(), orientation);
    const std::string file = BordersFile().toStdString();
    TMyMemIniFile ini;
    try {
        ini.LoadFromFile(file);
    } catch (const std::exception& e) {
        LogFailure(QStringLiteral("the borders file cannot be read: ") + QString::fromUtf8(e.what()));
        ini.Clear();
    }
    if (ReadCachedBorders(ini, section, borders)) return;

    const gdi::PageOrientation kept = printer.Orientation();
    if (kept != orientation) printer.SetOrientation(orientation);
    const gdi::DeviceCaps caps = printer.Caps();
    if (kept != orientation) printer.SetOrientation(kept);

    TPrinterBorders measured;
    measured.Width = caps.physicalWidth;
    measured.Height = caps.physicalHeight;
    measured.Left = caps.physicalOffsetX;
    measured.Top = caps.physicalOffsetY;
    measured.Right = caps.physicalWidth - caps.physicalOffsetX - caps.horzRes;
    measured.Bottom = caps.physicalHeight - caps.physicalOffsetY - caps.vertRes;
    FillMillimetres(measured, std::max(1, caps.logPixelsX), std::max(1, caps.logPixelsY));
    borders = measured;
    if (!IsPage(measured, caps.logPixelsX, caps.logPixelsY)) return;  // nothing worth keeping

    ini.EraseSection(section);
    ini.WriteInteger(section, QStringLiteral("Width"), measured.Width);
    ini.WriteInteger(section, QStringLiteral("Height"), measured.Height);
    ini.WriteInteger(section, QStringLiteral("Left"), measured.Left);
    ini.WriteInteger(section, QStringLiteral("Top"), measured.Top);
    ini.WriteInteger(section, QStringLiteral("Right"), measured.Right);
    ini.WriteInteger(section, QStringLiteral("Bottom"), measured.Bottom);
    ini.WriteInteger(section, QStringLiteral("DpiX"), caps.logPixelsX);
    ini.WriteInteger(section, QStringLiteral("DpiY"), caps.logPixelsY);
    try {
        ini.SaveToFileUnicode(file);
    } catch (const std::exception& e) {
        LogFailure(QStringLiteral("the borders file cannot be written: ") + QString::fromUtf8(e.what()));
    }
}

void TPrinterSupport::ResetDeviceMode() {
    gdi::Printer& printer = gdi::CurrentPrinter();
    const gdi::PrinterSettings kept = printer.Settings();
    printer.ResetToDefaults();
    printer.SetOrientation(kept.orientation);
    if (printer.SelectPaper(kept.paper)) return;
    const float width = kept.paper.width / 10.0f;
    const float height = kept.paper.height / 10.0f;
    if (!kept.paper.name.empty() && printer.SetCustomPaper(kept.paper.name, width, height)) return;
    SetUserPaperSize(width, height);
}

void TPrinterSupport::RefreshPaperList() { papers_ = gdi::CurrentPrinter().Papers(); }

int32_t TPrinterSupport::FindPaper(int32_t w, int32_t h) const {
    for (size_t i = 0; i < papers_.size(); ++i)
        if (PaperFits(papers_[i], w, h)) return static_cast<int32_t>(i);
    return -1;
}

bool TPrinterSupport::TrySetPaperSize(float width, float height) {
    const int32_t w = Round(static_cast<long double>(width) * 10);
    const int32_t h = Round(static_cast<long double>(height) * 10);
    if (w <= 0 || h <= 0) return false;
    RefreshPaperList();
    gdi::Printer& printer = gdi::CurrentPrinter();
    const int32_t index = FindPaper(w, h);
    if (index >= 0) return printer.SelectPaper(papers_[static_cast<size_t>(index)]);
    const QString name = FormatText(u"BP %.2f x %.2f", {width, height});
    return printer.SetCustomPaper(name.toStdString(), w / 10.0, h / 10.0) && PaperFits(printer.CurrentPaper(), w, h);
}

bool TPrinterSupport::SetUserPaperSize(float width, float height) {
    const QString size = FormatText(u"%.2f x %.2f mm", {width, height});
    try {
        if (TrySetPaperSize(width, height)) return true;
        LogFailure(QStringLiteral("the printer takes no page of ") + size);
        const bool isA4 = width == kA4Width && height == kA4Height;
        if (!isA4 && !TrySetPaperSize(kA4Width, kA4Height)) LogFailure(QStringLiteral("nor A4"));
    } catch (const std::exception& e) {
        LogFailure(QStringLiteral("setting a page of ") + size + QStringLiteral(" failed: ") + QString::fromUtf8(e.what()));
    }
    return false;
}

TPrinterSupport& PrinterSupport() {
    static TPrinterSupport support;
    return support;
}

bool PrinterSupportsColor() { return gdi::CurrentPrinter().Color(); }
