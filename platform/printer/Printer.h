#pragma once
// The printers of the system and the current printer. Besides the CUPS
// printers there is always one PDF printer, so a printer is always present.
// A print job draws through the canvas of the current printer: device units
// are printer pixels, the origin is the top-left corner of the printable area.
//
// Besides the job, a printer tells who it is, which papers its driver knows
// and what it is set to (paper, orientation, copies, colour, resolution).
// Those settings can be read as a whole and put back, which is how a dialog
// that was cancelled undoes what its printer choice or properties changed.

#include "platform/gdi/Canvas.h"

#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace gdi {

struct PrinterInfo {
    std::string name;
    bool isPdf = false;
    bool isDefault = false;
};

enum class PageOrientation { Portrait = 0, Landscape = 1 };

// A paper the driver offers. Sizes in tenths of a millimetre, portrait.
struct PaperInfo {
    std::string name;  // as the driver names it
    int32_t width = 0;
    int32_t height = 0;
    int32_t code = 0;  // the driver's number of the paper; 0 for a size of the user's own
    std::string key;   // what the driver selects the paper by
    friend bool operator==(const PaperInfo&, const PaperInfo&) = default;
};

// What the spooler tells about a printer.
struct PrinterIdentity {
    std::string name;
    std::string driver;    // make and model
    std::string port;      // where the output goes
    std::string comment;   // the description the administrator gave it
    std::string location;
    bool isDefault = false;
    // 0 when ready; kStatusBusy while it prints, kStatusError when it stopped.
    uint32_t status = 0;
    static constexpr uint32_t kStatusBusy = 0x400;
    static constexpr uint32_t kStatusError = 0x2;
};

enum class DuplexMode { None = 0, LongSide = 1, ShortSide = 2 };

// What a driver lets the user choose besides the paper, as far as the system
// tells it (trays are not told on this system).
struct PrinterChoices {
    std::vector<int32_t> resolutions;     // dots per inch; fewer than two: nothing to choose
    bool colorOrGrey = false;             // it prints colour and may be set to grey
    std::vector<DuplexMode> duplexModes;  // the two-sided modes it has
};

// Everything a driver's settings hold that the program changes or restores.
struct PrinterSettings {
    PaperInfo paper;
    PageOrientation orientation = PageOrientation::Portrait;
    int32_t copies = 1;
    bool color = true;
    int32_t resolution = 0;  // dots per inch
    DuplexMode duplex = DuplexMode::None;
    friend bool operator==(const PrinterSettings&, const PrinterSettings&) = default;
};

class Printer {
public:
    virtual ~Printer() = default;

    virtual std::string Name() const = 0;
    // The device values of the current settings, also when no job runs.
    virtual DeviceCaps Caps() const = 0;
    virtual PageOrientation Orientation() const = 0;
    virtual void SetOrientation(PageOrientation o) = 0;
    // Paper size in millimetres (portrait).
    virtual void SetPaperSizeMM(double width, double height) = 0;
    virtual int32_t Copies() const = 0;
    virtual void SetCopies(int32_t copies) = 0;

    virtual PrinterIdentity Identity() const = 0;
    // The driver's papers in its own order.
    virtual std::vector<PaperInfo> Papers() const = 0;
    // The paper now set (for a size of the user's own: its name and size, code 0).
    virtual PaperInfo CurrentPaper() const = 0;
    // Sets a paper of the list; false when the driver refuses it.
    virtual bool SelectPaper(const PaperInfo& paper) = 0;
    // Sets a size of the user's own under a name; false when the printer
    // cannot take sizes of its own or not this one.
    virtual bool SetCustomPaper(const std::string& name, double widthMM, double heightMM) = 0;
    // The most copies the driver makes of a page itself (1: the program must
    // send every copy).
    virtual int32_t MaxCopies() const = 0;
    // How the driver turns a portrait page to landscape: 90 or 270 degrees, 0
    // when it cannot.
    virtual int32_t LandscapeRotation() const = 0;
    // False when the printer is set to print in grey.
    virtual bool Color() const = 0;
    virtual void SetColor(bool color) = 0;
    virtual PrinterChoices Choices() const { return {}; }
    // Dots per inch of the next job (a running job keeps its own).
    virtual int32_t Resolution() const { return Caps().logPixelsX; }
    virtual void SetResolution(int32_t dpi) { (void)dpi; }
    virtual DuplexMode Duplex() const { return DuplexMode::None; }
    virtual void SetDuplex(DuplexMode mode) { (void)mode; }

    virtual PrinterSettings Settings() const = 0;
    virtual void ApplySettings(const PrinterSettings& settings) = 0;
    // The driver's defaults.
    virtual void ResetToDefaults() = 0;
    // The Qt printer behind a printer of the system, for Qt's dialogs; none for
    // printers that are no Qt printer.
    virtual QPrinter* NativePrinter() { return nullptr; }

    // A job. For the PDF printer the output file must be set first.
    virtual void SetOutputFile(const std::string& fileName) = 0;
    virtual bool BeginDoc(const std::string& title) = 0;
    virtual void NewPage() = 0;
    virtual bool EndDoc() = 0;
    // Ends the job without printing it. The job's canvas stays valid and draws
    // nothing until the next job begins.
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    // True from Abort until the next BeginDoc.
    virtual bool Aborted() const = 0;
    // The canvas of the running job (the same object for the whole job).
    virtual Canvas& GetCanvas() = 0;
};

// Where printers come from: the printers of the system and how one is made
// by its name. The program installs its backend at start-up (the Qt printers,
// InstallQtPrinters in platform/qtprinter/); without one there is no printer,
// and asking for one is an error (std::logic_error).
class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;
    // The printers of the system in the system's order, without the PDF printer.
    virtual std::vector<PrinterInfo> SystemPrinters() const = 0;
    // The printer of the name, the PDF printer for PdfPrinterName(); none
    // when the system has no such printer.
    virtual std::unique_ptr<Printer> Create(const std::string& name) const = 0;
};

// Replaces the backend; the current printer stays until another is chosen.
void SetPrinterBackend(std::unique_ptr<PrinterBackend> backend);

// All printers: the system's, then the PDF printer.
std::vector<PrinterInfo> AvailablePrinters();
// The name of the always-present PDF printer.
std::string PdfPrinterName();

// The current printer, created on first use for the system's default printer
// (the PDF printer when there is none).
Printer& CurrentPrinter();
// Makes the named printer current; false when there is no such printer.
bool SelectPrinter(const std::string& name);
// Replaces the current printer (tests use fakes of any resolution).
void SetCurrentPrinter(std::unique_ptr<Printer> printer);

}  // namespace gdi

// LOGPIXELSX / LOGPIXELSY of the current printer. A printer that reports no
// resolution counts as kFallbackPrinterDpi, so that nothing divides by 0 dpi.
inline constexpr int32_t kFallbackPrinterDpi = 600;
int32_t PrinterDpiX();
int32_t PrinterDpiY();
