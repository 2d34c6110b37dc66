#pragma once
// Helpers of the label-sheet tests: tagged blocks written value by value, a
// locale for the duration of a test, and a recording canvas on which one
// device unit is one millimetre.

#include "document/EtikettFiler.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <QtCore/QLocale>

#include <memory>
#include <string>
#include <vector>

namespace sheettest {

// A tagged stream built value by value: with a writing filer, or in the
// legacy variant (2-byte Integers, 1-byte string lengths) byte by byte.
struct Block {
    TMemoryStream stream;
    TEtikettFiler filer;
    bool legacy;
    explicit Block(bool legacyVariant = false) : legacy(legacyVariant) { filer.Stream = &stream; }
    Block& String(const std::string& v) {
        if (!legacy) return filer.WriteTaggedString(v), *this;
        Raw({kTagString, static_cast<uint8_t>(v.size())});
        return Raw(std::vector<uint8_t>(v.begin(), v.end()));
    }
    Block& Single(float v) { return filer.WriteTaggedSingle(v), *this; }
    Block& Integer(int32_t v) {
        if (!legacy) return filer.WriteTaggedInteger(v), *this;
        return Raw({kTagInteger, static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF)});
    }
    Block& Boolean(bool v) { return filer.WriteTaggedBoolean(v), *this; }
    Block& Raw(const std::vector<uint8_t>& bytes) {
        stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        return *this;
    }
    // A reader over what was written, in the given variant.
    std::unique_ptr<TEtikettFiler> Reader(bool legacy = false) {
        stream.SetPosition(0);
        auto reader = std::make_unique<TEtikettFiler>();
        reader->Stream = &stream;
        reader->IsLegacy = legacy;
        return reader;
    }
};

// The block of the older form: name, article, six lengths, columns, rows,
// orientation, option flag.
inline void WriteOlderBlock(Block& b, const std::string& name, const std::string& article) {
    b.String(name).String(article);
    for (float v : {70.0f, 36.0f, 0.0f, 4.5f, 0.0f, 0.0f}) b.Single(v);
    b.Integer(3).Integer(8).Integer(0).Boolean(false);
}

// The current block with every value given.
struct CurrentBlockValues {
    std::string name = "Standard";
    std::string article = "DIN A4 Seite@@@Eckradius=0";
    float lengths[6] = {210, 297, 0, 0, 0, 0};
    int32_t columns = 1;
    int32_t rows = 1;
    float pageWidth = 210;
    float pageHeight = 297;
};

inline void WriteCurrentBlock(Block& b, const CurrentBlockValues& v) {
    b.String("<EtiVersion2>").String(v.name).String(v.article);
    for (float length : v.lengths) b.Single(length);
    b.Integer(v.columns).Integer(v.rows).Integer(0).Boolean(false).Boolean(false).Boolean(false);
    b.Single(v.pageWidth).Single(v.pageHeight);
}

// Sets the default locale for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(QLocale::Language language) : previous_(QLocale()) { QLocale::setDefault(QLocale(language)); }
    ~ScopedLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

// A recording and a scale canvas on it: one device unit per millimetre.
struct Recording {
    gdi::RecordingCanvas canvas;
    TScaleCanvas scale{&canvas};
    const std::vector<gdi::RecordedCall>& Calls() const { return canvas.Calls(); }
};

}  // namespace sheettest
