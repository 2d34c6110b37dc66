#include "document/EtikettFiler.h"

#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"

#include <bit>
#include <cstring>
#include <utility>

static_assert(std::endian::native == std::endian::little, "the tagged stream is little-endian");

namespace {

TSkippedPlacesHandler& SkippedPlacesHandler() {
    static TSkippedPlacesHandler handler;
    return handler;
}

}  // namespace

void SetSkippedPlacesHandler(TSkippedPlacesHandler handler) {
    SkippedPlacesHandler() = std::move(handler);
}

void ReportSkippedPlaces(const QString& message) {
    if (const TSkippedPlacesHandler& handler = SkippedPlacesHandler())
        handler(message);
    else
        Debug().Log(message);
}

TEtikettFiler::TEtikettFiler(TChild* owner) : Owner(owner) {}

TStream& TEtikettFiler::Target() {
    if (!Stream) throw EStreamError("TEtikettFiler: no stream");
    return *Stream;
}

QString TEtikettFiler::SourceName() const {
    if (!FileName.isEmpty()) return FileName;
    if (auto* file = dynamic_cast<TFileStream*>(Stream)) return QString::fromStdString(file->FileName());
    return {};
}

void TEtikettFiler::RaiseReadError() {
    throw EFilerReadError(LocalizedFormat("IDS_CANNOTREADFILE", {SourceName()}));
}

void TEtikettFiler::RequirePayload(int64_t count) {
    if (count < 0 || count > Target().Remaining()) RaiseReadError();
}

void TEtikettFiler::ReadPayload(void* buffer, int64_t count) {
    RequirePayload(count);
    try {
        Target().ReadBuffer(buffer, count);
    } catch (const EReadError&) {
        RaiseReadError();
    }
}

void TEtikettFiler::WritePayload(const void* buffer, int64_t count) {
    Target().WriteBuffer(buffer, count);
}

// ---- untagged bytes and tags

void TEtikettFiler::WriteRawByte(uint8_t value) { WritePayload(&value, 1); }

uint8_t TEtikettFiler::ReadRawByte() {
    uint8_t value = 0;
    ReadPayload(&value, 1);
    return value;
}

void TEtikettFiler::WriteTag(uint8_t tag) { WriteRawByte(tag); }
uint8_t TEtikettFiler::ReadTag() { return ReadRawByte(); }

bool TEtikettFiler::ExpectTag(uint8_t expected, const char* message) {
    if (ReadTag() == expected) return true;
    // Where the damage begins; the rest only counts.
    if (WrongTags++ == 0) Debug().Log(message);
    return false;
}

// ---- typed values

void TEtikettFiler::WriteTaggedBoolean(bool value) {
    WriteTag(kTagBoolean);
    WriteRawByte(value ? 1 : 0);
}

bool TEtikettFiler::ReadTaggedBoolean() {
    if (!ExpectTag(kTagBoolean, "No Boolean")) return false;
    return ReadRawByte() != 0;
}

void TEtikettFiler::WriteTaggedInteger(int32_t value) {
    WriteTag(kTagInteger);
    WritePayload(&value, 4);
}

int32_t TEtikettFiler::ReadTaggedInteger() {
    if (!ExpectTag(kTagInteger, "no Integer Found")) return 0;
    if (IsLegacy) {
        int16_t value = 0;
        ReadPayload(&value, 2);
        return value;
    }
    int32_t value = 0;
    ReadPayload(&value, 4);
    return value;
}

void TEtikettFiler::WriteTaggedLongint(int32_t value) {
    WriteTag(kTagLongint);
    WritePayload(&value, 4);
}

int32_t TEtikettFiler::ReadTaggedLongint() {
    if (!ExpectTag(kTagLongint, "no Longint found")) return 0;
    int32_t value = 0;
    ReadPayload(&value, 4);
    return value;
}

// Floats travel as their bytes: no conversion ever touches them, so every
// pattern (signalling NaNs included) comes back unchanged and raises nothing.
void TEtikettFiler::WriteTaggedSingle(float value) {
    WriteTag(kTagSingle);
    WritePayload(&value, 4);
}

float TEtikettFiler::ReadTaggedSingle() {
    if (!ExpectTag(kTagSingle, "no Single found")) return 0.0f;
    float value = 0;
    ReadPayload(&value, 4);
    return value;
}

void TEtikettFiler::WriteTaggedDouble(double value) {
    WriteTag(kTagDouble);
    WritePayload(&value, 8);
}

double TEtikettFiler::ReadTaggedDouble() {
    if (!ExpectTag(kTagDouble, "no Double found")) return 0.0;
    double value = 0;
    ReadPayload(&value, 8);
    return value;
}

void TEtikettFiler::WriteTaggedString(const std::string& value) {
    if (value.size() > static_cast<size_t>(INT32_MAX)) throw EWriteError("Stream write error");
    WriteTag(kTagString);
    const int32_t length = static_cast<int32_t>(value.size());
    WritePayload(&length, 4);
    WritePayload(value.data(), length);
}

std::string TEtikettFiler::ReadTaggedString() {
    if (!ExpectTag(kTagString, "no String found")) return {};
    int64_t length = 0;
    if (IsLegacy) {
        length = ReadRawByte();
    } else {
        int32_t stored = 0;
        ReadPayload(&stored, 4);
        length = stored;
    }
    if (length < 1) return {};
    RequirePayload(length);
    std::string value(static_cast<size_t>(length), '\0');
    ReadPayload(value.data(), length);
    return value;
}

void TEtikettFiler::WriteTaggedStream(TStream& source, int64_t count) {
    if (count < 0) throw EWriteError("Stream write error");
    source.RequireAvailable(count);
    WriteTag(kTagStream);
    if (count == 0) return;
    // Grow the target once, then fill it.
    TStream& target = Target();
    const int64_t position = target.Position();
    if (position + count > target.Size()) {
        target.SetSize(position + count);
        target.SetPosition(position);
    }
    target.CopyFrom(source, count);
}

void TEtikettFiler::ReadTaggedStream(TMemoryStream& target, int64_t count) {
    if (!ExpectTag(kTagStream, "no Stream found")) {
        target.Clear();
        return;
    }
    RequirePayload(count);
    target.SetSize(count);
    target.SetPosition(0);
    if (count > 0) ReadPayload(target.Memory(), count);
    target.SetPosition(count);
}

// ---- header

void TEtikettFiler::WriteHeader() {
    IsLegacy = false;
    WritePayload(kFilerMagic, kFilerMagicLength);
    WriteTaggedDouble(kFilerVersion);
}

bool TEtikettFiler::ReadHeader() {
    TStream& stream = Target();
    stream.SetPosition(0);
    char magic[kFilerMagicLength] = {};
    if (stream.Remaining() < kFilerMagicLength) throw EInvalidFile(LocalizedText("IDS_INVALIDFILE"));
    ReadPayload(magic, kFilerMagicLength);
    if (SameTextAscii({magic, kFilerMagicLength}, kFilerLegacyMagic))
        IsLegacy = true;
    else if (SameTextAscii({magic, kFilerMagicLength}, kFilerMagic))
        IsLegacy = false;
    else
        throw EInvalidFile(LocalizedText("IDS_INVALIDFILE"));
    ReadTaggedDouble();  // the format version: read, not used
    return true;
}
