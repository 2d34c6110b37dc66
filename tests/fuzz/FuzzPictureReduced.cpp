// Reads any bytes as a picture file read smaller, as large photos are. The
// first byte chooses the factor (1 to 4, its low two bits plus one) and the
// extension the file is named with (".png", ".jpg", none, ".bmp"); the rest
// is the file. Checks:
// - the size read from the header and the reduction factors agree with each
//   other;
// - a PNG that decodes comes out its size divided by the factor, rounded up,
//   and the same reading of the whole picture gives its size too.
// fuzz-max-len: 65536
#include "tests/fuzz/SystemLeaks.h"
#include "platform/imaging/Dib.h"
#include "platform/imaging/PictureFile.h"
#include "platform/imaging/Png.h"

#include <QtGui/QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    imaging::SetPixelLimit(1 << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int32_t factor = (data[0] & 3) + 1;
    static const char* const kExtensions[] = {".png", ".jpg", "", ".bmp"};
    const char* extension = kExtensions[(data[0] >> 2) & 3];
    const std::span<const uint8_t> bytes(data + 1, size - 1);

    imaging::PictureFormat format = imaging::PictureFormat::Unknown;
    imaging::PictureSize whole;
    const bool sized = imaging::ReadPictureSize(bytes, extension, format, whole);
    if (sized) {
        if (whole.width < 1 || whole.height < 1) std::abort();
        const int32_t within = imaging::ReductionWithin(format, whole, 64);
        const int32_t keeping = imaging::ReductionKeeping(format, whole, 3, 2);
        if (within < 1 || keeping < 1) std::abort();
    }
    bool alphaVaries = false;
    const imaging::DibHandle dib = imaging::DecodePictureReduced(bytes, extension, factor, nullptr, &alphaVaries);
    if (dib && format == imaging::PictureFormat::Png && sized && factor > 1) {
        if (dib->Width() != (whole.width + factor - 1) / factor) std::abort();
        if (dib->Height() != (whole.height + factor - 1) / factor) std::abort();
        if (dib->BitCount() != 32) std::abort();
    }
    return 0;
}
