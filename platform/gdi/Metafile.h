#pragma once
// A metafile picture made by the program: the drawing calls of a recording
// together with the picture's frame size, written as a placeable WMF or as an
// EMF. The calls are kept with their full canvas state, so the writers emit
// every change of objects and attributes between two calls.
//
// MetafileCanvas records into a Metafile: whatever has been drawn becomes the
// metafile's picture when the canvas is completed (Complete, or destruction).
// Completing does not end the recording: later drawing is added, and the next
// completion hands the metafile everything drawn so far.

#include "platform/gdi/RecordingCanvas.h"

#include <QtCore/QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

class Metafile {
public:
    Metafile() = default;

    // The frame in device units of the reference device.
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    void SetSize(int32_t width, int32_t height);

    // Written as an EMF when set, else as a placeable WMF (the default).
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool enhanced) { enhanced_ = enhanced; }

    // How the WMF writer turns text into the 8-bit code page of its records
    // (the program's Windows-1252 codec; *ok false for a character outside
    // it). Without one, characters up to U+00FF are written as they are and
    // all others as '?'.
    using AnsiEncoder = char (*)(char32_t code, bool* ok);
    void SetAnsiEncoder(AnsiEncoder encoder) { ansiEncoder_ = encoder; }
    AnsiEncoder GetAnsiEncoder() const { return ansiEncoder_; }

    // The device the drawing was recorded for (its resolution fixes the
    // picture's physical size).
    const DeviceCaps& Reference() const { return reference_; }
    const std::vector<RecordedCall>& Calls() const;
    bool IsEmpty() const { return Calls().empty(); }
    void SetPicture(std::vector<RecordedCall> calls, const DeviceCaps& reference);
    void Clear();

    std::vector<uint8_t> WmfBytes() const;
    std::vector<uint8_t> EmfBytes() const;
    // Writes the file in the format of Enhanced(); false with the reason in
    // *error when it cannot be written.
    bool SaveToFile(const QString& fileName, QString* error = nullptr) const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool enhanced_ = false;
    AnsiEncoder ansiEncoder_ = nullptr;
    DeviceCaps reference_ = ScreenCaps();
    std::shared_ptr<const std::vector<RecordedCall>> calls_;
};

// A recording canvas whose drawing becomes the picture of a metafile (not
// owned; it must outlive the canvas).
class MetafileCanvas : public RecordingCanvas {
public:
    explicit MetafileCanvas(Metafile& metafile, const DeviceCaps& reference = ScreenCaps());
    ~MetafileCanvas() override;

    // Hands everything drawn so far to the metafile; recording goes on.
    void Complete();
    Metafile& metafile() const { return *metafile_; }

private:
    Metafile* metafile_;
};

}  // namespace gdi
