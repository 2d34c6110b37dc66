#include "platform/printer/QtPrinter.h"

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

}  // namespace

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer, std::string name, bool isPdf)
    : printer_(std::move(printer)), name_(std::move(name)), isPdf_(isPdf) {
    printer_->setFullPage(false);
}

QtPrinter::~QtPrinter() {
    if (Printing()) Abort();
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

void QtPrinter::SetOutputFile(const std::string& fileName) {
    printer_->setOutputFileName(QString::fromStdString(fileName));
}

bool QtPrinter::BeginDoc(const std::string& title) {
    if (Printing()) return false;
    if (isPdf_ && printer_->outputFileName().isEmpty()) return false;
    printer_->setDocName(QString::fromStdString(title));
    canvas_.reset();  // it may still hold the painter of a job that ended on its own
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
    printer_->abort();
    painter_->end();
    canvas_.reset();
    painter_.reset();
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
