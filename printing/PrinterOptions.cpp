#include "printing/PrinterOptions.h"

#include "foundation/ZRRegIniFile.h"
#include "printing/PrinterSupport.h"

#include <string>

namespace {

std::string Section() { return "Druckoption\\" + PrinterSupport().GetSettingsPrinterName(); }

}  // namespace

bool ReadUseScanlines() { return Settings().ReadBool(Section(), "UseBMPScanlines", false); }

void WriteUseScanlines(bool use) { Settings().WriteBool(Section(), "UseBMPScanlines", use); }

int32_t ReadPrintStyle() {
    const int32_t style = Settings().ReadInteger(Section(), "Druckstil", kPrintStyleNotAsked);
    return style == kPrintStyleInkjet || style == kPrintStyleBitmap ? style : kPrintStyleNotAsked;
}

void WritePrintStyle(int32_t style) { Settings().WriteInteger(Section(), "Druckstil", style); }
