// Reads arbitrary bytes as the label-sheet block of a document (the first byte
// chooses the legacy variant with bit 0, and with bit 1 reads the rest as the
// comma text of a named definition instead). Reading may end only with the
// read error or the invalid-sheet error, and leaves the sheet as it was then.
// A sheet that was read is sound: it is written again and reads back the
// same, and its page, labels, guides, regions and cut marks draw on a small
// bitmap.
// fuzz-max-len: 1024
#include "document/Etikett.h"
#include "document/EtikettFiler.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/qtprinter/QtPrinterBackend.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void DrawEverything(TEtikett& sheet) {
    gdi::BitmapCanvas bitmap(60, 80);
    TScaleCanvas scale(&bitmap);
    scale.SetResolutionX(0.25f);
    scale.SetResolutionY(0.25f);
    sheet.DrawSheet(scale);
    sheet.DrawLabelFace(scale, true);
    sheet.DrawLabelGuides(scale);
    (void)sheet.CreateLabelClipRegion(scale);
    std::vector<TClipZone> regions;
    sheet.BuildClipRegions(scale, regions);
    sheet.DrawCutMarks(scale);
}

void CheckWrittenAgain(const TEtikett& sheet) {
    TMemoryStream stream;
    TEtikettFiler writer;
    writer.Stream = &stream;
    sheet.SaveToFiler(writer);
    stream.SetPosition(0);
    TEtikettFiler reader;
    reader.Stream = &stream;
    if (reader.ReadRawByte() != TEtikett::kSheetElementCode) std::abort();
    TEtikett again;
    again.LoadFromFiler(reader);
    if (!again.IsSameGeometry(sheet) || again.CutMarkScheme != sheet.CutMarkScheme || stream.Remaining() != 0)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    gdi::InstallQtPrinters();
    SetSkippedPlacesHandler([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    TEtikett sheet;
    if (data[0] & 2) {
        const bool loaded = sheet.ApplySettingsText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
        if (!sheet.GeometryProblem().empty()) std::abort();
        if (loaded) DrawEverything(sheet);
        return 0;
    }
    TMemoryStream input(std::vector<uint8_t>(data + 1, data + size));
    TEtikettFiler reader;
    reader.Stream = &input;
    reader.IsLegacy = (data[0] & 1) != 0;
    try {
        sheet.LoadFromFiler(reader);
    } catch (const EFilerReadError&) {
        if (sheet.Name != "Standard" || sheet.Columns != 1) std::abort();
        return 0;
    } catch (const EInvalidSheet&) {
        if (sheet.Name != "Standard" || sheet.Columns != 1) std::abort();
        return 0;
    }
    if (!sheet.GeometryProblem().empty()) std::abort();
    CheckWrittenAgain(sheet);
    DrawEverything(sheet);
    return 0;
}
