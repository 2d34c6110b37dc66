#pragma once
// The process-wide settings of the rich-text engine, which every text and
// editor reads, and the engine's reference printer (whose resolution the
// layout uses for print layout).

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// Paper code for a page size in twips (see PaperSizeFromTwips).
using TPaperSizeMatcher = int32_t (*)(int32_t width, int32_t height, int32_t& index);

struct TRtEngineSettings {
    int32_t DefaultFontSize = 10;           // points for a character of size 0 and new texts
    uint32_t DefaultTextColor = 0;          // the colour of colour entry 0 ("automatic")
    uint32_t MisspelledUnderlineColor = 255;
    std::string BulletFontName = "WingDings";
    uint8_t BulletChar = 108;
    uint8_t InsertPointOpenChar = 171;      // the ends of an insert point, delimiters of edit fields
    uint8_t InsertPointCloseChar = 187;
    // True for every code below 65 ("A") that is not a digit.
    std::array<bool, 256> WordDelimiters{};
    char LocaleDecimalSeparator = '.';      // of the locale when the engine starts
    bool FontNamesOnly = false;             // font lookup ignores character sets while set
    TPaperSizeMatcher PaperSizeMatcher = nullptr;
    // "0"-"9", "A"-"F", "a"-"f": flag, digit value and digit value x 16.
    std::array<bool, 256> IsHexDigit{};
    std::array<uint8_t, 256> HexValue{};
    std::array<uint8_t, 256> HexValue16{};
    // While set no editor accepts keys, scrolling or edits.
    bool EditLock = false;
    // Editors start without WYSIWYG while set.
    bool WysiwygOff = false;
    // Set once a printer's resolution has been read.
    bool PrinterKnown = false;
    // The system beep (a locked table cell refuses a character); silent
    // until the application installs one.
    std::function<void()> Beep;
};

// The settings, made with their start values on first use.
TRtEngineSettings& RtEngine();

// The engine's reference printer.
struct TRtEnginePrinter {
    std::string deviceName;  // empty without an own context
    int32_t dpiX = 0;
    int32_t dpiY = 0;
    bool noPrinter = true;
    bool ownContext = false;
};
TRtEnginePrinter& EnginePrinter();
// Selects the named printer ("" keeps the current one, "none" in any case
// leaves the engine without a printer context) and reads its resolution.
// Never raises: failures leave the no-printer flag set.
void SelectEnginePrinter(const std::string& name = {});
inline void ResetEnginePrinter() { SelectEnginePrinter(); }
void ReleaseEnginePrinterDC();

int32_t MaxInteger(int32_t a, int32_t b);
int32_t CompareIntegers(int32_t a, int32_t b);
