#pragma once
// What the program needs of the current printer beyond a print job: its
// identity for settings keys and dialogs, the driver's papers and the page
// sizes of the user's own, the physical page with its unprintable borders
// (cached in "PrinterBorders.ini"), resolution, landscape rotation, the copies
// the driver makes itself, colour, and resetting the driver's settings.
//
// The current printer is gdi::CurrentPrinter(); one shared TPrinterSupport
// (PrinterSupport()) serves the whole program.

#include "foundation/Exceptions.h"
#include "platform/printer/Printer.h"

#include <QtCore/QString>

#include <cstdint>
#include <string>
#include <vector>

class QWidget;
class TMyMemIniFile;

// A printer operation that cannot be done; the message is the user's.
ZORBIT_DECLARE_EXCEPTION(EPrinter, Exception);

// A paper of the driver: sizes in tenths of a millimetre, portrait.
using TPaperInfo = gdi::PaperInfo;

// What the spooler tells about the current printer, in this order.
struct TPrinterInfo {
    QString ServerName;
    QString PrinterName;
    QString ShareName;
    QString PortName;
    QString DriverName;
    QString Comment;
    QString Location;
    QString SepFile;
    QString PrintProcessor;
    QString Datatype;
    QString Parameters;
    QString Status;  // built from the localized texts: default printer, ready or busy
};

// The physical page and its unprintable borders: printer pixels, then the
// same six values in millimetres.
struct TPrinterBorders {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0, Width = 0, Height = 0;
    float LeftMM = 0, TopMM = 0, RightMM = 0, BottomMM = 0, WidthMM = 0, HeightMM = 0;
};

class TPrinterSupport {
public:
    // Papers match when both sides differ by less than this (tenths of a mm).
    static constexpr int32_t kPaperTolerance = 20;
    static constexpr const char* kBordersFileName = "PrinterBorders.ini";

    QString GetDeviceName() const;
    QString GetPortName() const;
    // The device name without any "\\" (network printers lose their leading
    // two backslashes), as a settings section name: "Druckoption\" + this.
    std::string GetSettingsPrinterName() const;
    int32_t GetLandscapeRotation() const;
    int32_t GetMaxCopies() const;
    void GetPrinterInfo(TPrinterInfo& info) const;

    // The physical page of the current printer's paper in the given
    // orientation (portrait unless asked otherwise). A page is measured once
    // per printer, paper and orientation and then read from the cache file;
    // measuring turns the printer for the moment and back again.
    void GetPhysicalPage(TPrinterBorders& borders,
                         gdi::PageOrientation orientation = gdi::PageOrientation::Portrait);

    // The driver's defaults, keeping orientation and paper.
    void ResetDeviceMode();
    // The properties of the current printer (paper, resolution, colour,
    // two-sided printing, as far as its driver offers them); true when the
    // user confirmed. Raises EPrinter when the printer offers none of them.
    // (Defined in printing/widgets: it shows a window.)
    bool ShowPrinterProperties(QWidget* owner);

    // Puts the page size (mm) on the current printer: the driver's paper of
    // that size (within kPaperTolerance), else a size of the user's own named
    // "BP %.2f x %.2f". When neither is possible it sets A4 once and gives up.
    // False, with a trace line, whenever the asked size was not set.
    bool SetUserPaperSize(float width, float height);

    void RefreshPaperList();
    // The first paper of the list whose sides both differ by less than
    // kPaperTolerance from w and h (tenths of a mm); -1 when none does.
    int32_t FindPaper(int32_t w, int32_t h) const;
    const std::vector<TPaperInfo>& Papers() const { return papers_; }

    // The cache file; empty: "PrinterBorders.ini" in the data folder.
    void SetBordersFile(const QString& path) { bordersFile_ = path; }
    QString BordersFile() const;
    // The cache section of a printer, paper and orientation.
    static QString BordersSection(const std::string& printer, const TPaperInfo& paper,
                                  gdi::PageOrientation orientation);
    // A cached page; false when the section is missing or its values are no
    // page (the page is then measured again).
    static bool ReadCachedBorders(const TMyMemIniFile& ini, const QString& section, TPrinterBorders& borders);

private:
    bool TrySetPaperSize(float width, float height);
    std::vector<TPaperInfo> papers_;
    QString bordersFile_;
};

TPrinterSupport& PrinterSupport();

// False only when the current printer is set to print in grey.
bool PrinterSupportsColor();
