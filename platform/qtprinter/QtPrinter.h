#pragma once
// A printer of the system (CUPS) or the PDF printer, driven through QPrinter.
// The canvas of a job is a PainterCanvas of kind Printer on the QPrinter:
// device units are printer pixels, the origin is the top-left corner of the
// printable area. The papers of a printer of the system are those of its
// driver (its PPD); the PDF printer offers the common sizes and takes any size
// of the user's own.

#include "platform/printer/Printer.h"

#include <QtCore/QList>
#include <QtGui/QPageSize>

#include <memory>

class QPrinter;
class QPainter;

namespace gdi {

class PainterCanvas;
class RecordingCanvas;

class QtPrinter : public Printer {
public:
    // The PDF printer: 600 dpi, A4 portrait, 5 mm margins.
    static std::unique_ptr<QtPrinter> CreatePdf();
    // A printer of the system by its name; nullptr when there is none.
    static std::unique_ptr<QtPrinter> CreateSystem(const std::string& name);
    ~QtPrinter() override;

    std::string Name() const override { return name_; }
    DeviceCaps Caps() const override;
    PageOrientation Orientation() const override;
    void SetOrientation(PageOrientation o) override;
    void SetPaperSizeMM(double width, double height) override;
    int32_t Copies() const override;
    void SetCopies(int32_t copies) override;
    PrinterIdentity Identity() const override;
    std::vector<PaperInfo> Papers() const override;
    PaperInfo CurrentPaper() const override;
    bool SelectPaper(const PaperInfo& paper) override;
    bool SetCustomPaper(const std::string& name, double widthMM, double heightMM) override;
    int32_t MaxCopies() const override;
    int32_t LandscapeRotation() const override { return 90; }
    bool Color() const override;
    void SetColor(bool color) override;
    PrinterChoices Choices() const override;
    int32_t Resolution() const override;
    void SetResolution(int32_t dpi) override;
    DuplexMode Duplex() const override;
    void SetDuplex(DuplexMode mode) override;
    PrinterSettings Settings() const override;
    void ApplySettings(const PrinterSettings& settings) override;
    void ResetToDefaults() override;
    QPrinter* NativePrinter() override { return printer_.get(); }
    void SetOutputFile(const std::string& fileName) override;
    bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    bool Printing() const override;
    bool Aborted() const override { return aborted_; }
    Canvas& GetCanvas() override;

    QPrinter& qprinter() { return *printer_; }

private:
    QtPrinter(std::unique_ptr<QPrinter> printer, std::string name, bool isPdf);
    // The page sizes the printer offers, in the driver's order.
    QList<QPageSize> PageSizes() const;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<PainterCanvas> canvas_;
    std::unique_ptr<RecordingCanvas> idleCanvas_;  // measures while no job runs
    std::string name_;
    bool isPdf_;
    bool aborted_ = false;
};

}  // namespace gdi
