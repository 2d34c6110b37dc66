#include "platform/qtprinter/QtPrinter.h"

#include "platform/gdi/PainterCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <QtCore/QFile>
#include <QtGui/QPageLayout>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrinter>
#include <QtPrintSupport/QPrinterInfo>

#include <cmath>

namespace gdi {

namespace {

constexpr int kPdfResolution = 600;
constexpr double kPdfMarginMM = 5.0;

int32_t RoundPixels(double v) { return static_cast<int32_t>(std::lround(v)); }

// The sizes the PDF printer offers by name.
const QPageSize::PageSizeId kPdfPageSizes[] = {
    QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::A6, QPageSize::B5, QPageSize::Letter,
    QPageSize::Legal, QPageSize::Executive, QPageSize::EnvelopeDL, QPageSize::EnvelopeC5, QPageSize::EnvelopeC6,
};

int32_t Tenths(double mm) { return static_cast<int32_t>(std::lround(mm * 10)); }

PaperInfo PaperOf(const QPageSize& size) {
    PaperInfo paper;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    paper.name = size.name().toStdString();
    paper.width = Tenths(mm.width());
    paper.height = Tenths(mm.height());
    paper.code = size.id() == QPageSize::Custom ? 0 : static_cast<int32_t>(size.id());
    paper.key = size.key().toStdString();
    return paper;
}

QPageSize CustomPageSize(const std::string& name, double widthMM, double heightMM) {
    return QPageSize(QSizeF(widthMM, heightMM), QPageSize::Millimeter, QString::fromStdString(name),
                     QPageSize::ExactMatch);
}

}  // namespace

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, std::string name, bool isPdf)
    : printer_(std::move(printer)), name_(std::move(name)), isPdf_(isPdf) {
    printer_->setFullPage(false);
}

QtPrinter::~QtPrinter() {
    if (Printing()) Abort();
    canvas_.reset();
}

std::unique_ptr<QtPrinter> QtPrinter::CreatePdf() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(kPdfResolution);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(kPdfMarginMM, kPdfMarginMM, kPdfMarginMM, kPdfMarginMM),
                                       QPageLayout::Millimeter));
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), PdfPrinterName(), true));
}

std::unique_ptr<QtPrinter> QtPrinter::CreateSystem(const std::string& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name));
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer), name, false));
}

DeviceCaps QtPrinter::Caps() const {
    DeviceCaps caps;
    const int dpiX = printer_->logicalDpiX() > 0 ? printer_->logicalDpiX() : printer_->resolution();
    const int dpiY = printer_->logicalDpiY() > 0 ? printer_->logicalDpiY() : printer_->resolution();
    caps.logPixelsX = dpiX;
    caps.logPixelsY = dpiY;
    // Millimetres are exact; Qt's inch values are rounded to hundredths.
    const QPageLayout layout = printer_->pageLayout();
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    auto pixels = [](double mm, int dpi) { return RoundPixels(mm / 25.4 * dpi); };
    caps.physicalWidth = pixels(paper.width(), dpiX);
    caps.physicalHeight = pixels(paper.height(), dpiY);
    caps.physicalOffsetX = pixels(printable.left(), dpiX);
    caps.physicalOffsetY = pixels(printable.top(), dpiY);
    caps.horzRes = pixels(printable.width(), dpiX);
    caps.vertRes = pixels(printable.height(), dpiY);
    caps.horzSizeMM = RoundPixels(printable.width());
    caps.vertSizeMM = RoundPixels(printable.height());
    caps.bitsPerPixel = 24;
    return caps;
}

PageOrientation QtPrinter::Orientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                          : PageOrientation::Portrait;
}

void QtPrinter::SetOrientation(PageOrientation o) {
    printer_->setPageOrientation(o == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void QtPrinter::SetPaperSizeMM(double width, double height) {
    if (width <= 0 || height <= 0) return;
    printer_->setPageSize(QPageSize(QSizeF(width, height), QPageSize::Millimeter));
}

int32_t QtPrinter::Copies() const { return printer_->copyCount(); }

void QtPrinter::SetCopies(int32_t copies) { printer_->setCopyCount(std::max(1, copies)); }

PrinterIdentity QtPrinter::Identity() const {
    PrinterIdentity identity;
    identity.name = name_;
    if (isPdf_) {
        identity.driver = "PDF";
        identity.port = printer_->outputFileName().toStdString();
        return identity;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name_));
    identity.driver = info.makeAndModel().toStdString();
    identity.port = info.location().toStdString();
    identity.comment = info.description().toStdString();
    identity.location = info.location().toStdString();
    identity.isDefault = info.isDefault();
    switch (info.state()) {
    case QPrinter::Idle: break;
    case QPrinter::Active: identity.status = PrinterIdentity::kStatusBusy; break;
    default: identity.status = PrinterIdentity::kStatusError; break;
    }
    return identity;
}

QList<QPageSize> QtPrinter::PageSizes() const {
    QList<QPageSize> sizes;
    if (isPdf_) {
        for (QPageSize::PageSizeId id : kPdfPageSizes) sizes.append(QPageSize(id));
        return sizes;
    }
    return QPrinterInfo::printerInfo(QString::fromStdString(name_)).supportedPageSizes();
}

std::vector<PaperInfo> QtPrinter::Papers() const {
    std::vector<PaperInfo> papers;
    for (const QPageSize& size : PageSizes()) papers.push_back(PaperOf(size));
    return papers;
}

PaperInfo QtPrinter::CurrentPaper() const { return PaperOf(printer_->pageLayout().pageSize()); }

bool QtPrinter::SelectPaper(const PaperInfo& paper) {
    for (const QPageSize& size : PageSizes()) {
        if (size.key().toStdString() == paper.key) return printer_->setPageSize(size);
    }
    return false;
}

bool QtPrinter::SetCustomPaper(const std::string& name, double widthMM, double heightMM) {
    if (!(widthMM > 0 && heightMM > 0)) return false;
    if (!isPdf_) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name_));
        if (!info.supportsCustomPageSizes()) return false;
        // The limits are rounded to whole points; allow that much.
        constexpr double slack = 0.36;
        const QPageSize least = info.minimumPhysicalPageSize();
        const QPageSize most = info.maximumPhysicalPageSize();
        if (least.isValid() && (widthMM + slack < least.size(QPageSize::Millimeter).width() ||
                                heightMM + slack < least.size(QPageSize::Millimeter).height()))
            return false;
        if (most.isValid() && (widthMM - slack > most.size(QPageSize::Millimeter).width() ||
                               heightMM - slack > most.size(QPageSize::Millimeter).height()))
            return false;
    }
    const QPageSize size = CustomPageSize(name, widthMM, heightMM);
    return printer_->setPageSize(size) &&
           printer_->pageLayout().pageSize().size(QPageSize::Millimeter) == size.size(QPageSize::Millimeter);
}

int32_t QtPrinter::MaxCopies() const {
    if (isPdf_ || !printer_->supportsMultipleCopies()) return 1;
    return 9999;
}

bool QtPrinter::Color() const { return printer_->colorMode() == QPrinter::Color; }

void QtPrinter::SetColor(bool color) { printer_->setColorMode(color ? QPrinter::Color : QPrinter::GrayScale); }

PrinterChoices QtPrinter::Choices() const {
    PrinterChoices choices;
    if (isPdf_) {
        choices.resolutions = {300, kPdfResolution, 1200};
        choices.colorOrGrey = true;
        return choices;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name_));
    for (const int dpi : info.supportedResolutions())
        if (dpi > 0) choices.resolutions.push_back(dpi);
    const QList<QPrinter::ColorMode> colors = info.supportedColorModes();
    choices.colorOrGrey = colors.contains(QPrinter::Color) && colors.contains(QPrinter::GrayScale);
    for (const QPrinter::DuplexMode mode : info.supportedDuplexModes()) {
        if (mode == QPrinter::DuplexLongSide) choices.duplexModes.push_back(DuplexMode::LongSide);
        if (mode == QPrinter::DuplexShortSide) choices.duplexModes.push_back(DuplexMode::ShortSide);
    }
    return choices;
}

int32_t QtPrinter::Resolution() const { return printer_->resolution(); }

void QtPrinter::SetResolution(int32_t dpi) {
    if (dpi > 0 && !Printing()) printer_->setResolution(dpi);
}

DuplexMode QtPrinter::Duplex() const {
    switch (printer_->duplex()) {
    case QPrinter::DuplexLongSide: return DuplexMode::LongSide;
    case QPrinter::DuplexShortSide: return DuplexMode::ShortSide;
    default: return DuplexMode::None;
    }
}

void QtPrinter::SetDuplex(DuplexMode mode) {
    switch (mode) {
    case DuplexMode::None: printer_->setDuplex(QPrinter::DuplexNone); break;
    case DuplexMode::LongSide: printer_->setDuplex(QPrinter::DuplexLongSide); break;
    case DuplexMode::ShortSide: printer_->setDuplex(QPrinter::DuplexShortSide); break;
    }
}

PrinterSettings QtPrinter::Settings() const {
    PrinterSettings settings;
    settings.paper = CurrentPaper();
    settings.orientation = Orientation();
    settings.copies = Copies();
    settings.color = Color();
    settings.resolution = Resolution();
    settings.duplex = Duplex();
    return settings;
}

void QtPrinter::ApplySettings(const PrinterSettings& settings) {
    if (!SelectPaper(settings.paper))
        SetCustomPaper(settings.paper.name, settings.paper.width / 10.0, settings.paper.height / 10.0);
    SetOrientation(settings.orientation);
    SetCopies(settings.copies);
    SetColor(settings.color);
    SetResolution(settings.resolution);
    SetDuplex(settings.duplex);
}

void QtPrinter::ResetToDefaults() {
    if (isPdf_) {
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setResolution(kPdfResolution);
        SetColor(true);
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(name_));
        if (info.defaultPageSize().isValid()) printer_->setPageSize(info.defaultPageSize());
        SetColor(info.defaultColorMode() != QPrinter::GrayScale);
    }
    SetOrientation(PageOrientation::Portrait);
    SetCopies(1);
}

void QtPrinter::SetOutputFile(const std::string& fileName) {
    printer_->setOutputFileName(QString::fromStdString(fileName));
}

bool QtPrinter::BeginDoc(const std::string& title) {
    if (Printing()) return false;
    if (isPdf_ && printer_->outputFileName().isEmpty()) return false;
    printer_->setDocName(QString::fromStdString(title));
    aborted_ = false;
    canvas_.reset();  // it may still hold the painter of a job that ended on its own or was aborted
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        return false;
    }
    canvas_ = std::make_unique<PainterCanvas>(*painter_, DeviceKind::Printer, Caps());
    return true;
}

void QtPrinter::NewPage() {
    if (Printing()) printer_->newPage();
}

bool QtPrinter::EndDoc() {
    if (!Printing()) return false;
    const bool ok = painter_->end();
    canvas_.reset();
    painter_.reset();
    return ok;
}

void QtPrinter::Abort() {
    if (!Printing()) return;
    aborted_ = true;
    printer_->abort();
    painter_->end();  // the canvas keeps its inactive painter and draws nothing
    if (isPdf_ && !printer_->outputFileName().isEmpty()) QFile::remove(printer_->outputFileName());
}

bool QtPrinter::Printing() const { return painter_ && painter_->isActive(); }

Canvas& QtPrinter::GetCanvas() {
    if (canvas_) return *canvas_;
    if (!idleCanvas_) idleCanvas_ = std::make_unique<RecordingCanvas>(Caps(), DeviceKind::Printer);
    idleCanvas_->SetDeviceCaps(Caps());
    idleCanvas_->Clear();  // nothing drawn outside a job is kept
    return *idleCanvas_;
}

}  // namespace gdi
