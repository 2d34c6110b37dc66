#include "figures/ContentFigureRecords.h"

#include "document/EtikettFiler.h"

#include <algorithm>
#include <cstring>

namespace {

// A count read from the stream, of items that take at least one byte each:
// a negative count is none, one beyond the bytes that remain refuses the record.
int32_t CheckedCount(TEtikettFiler& filer, int32_t count) {
    if (count > filer.Stream->Remaining()) RaiseRecordError(filer);
    return std::max(count, 0);
}

void ReadHotTrack(TEtikettFiler& filer, THotTrackData& data) {
    try {
        ReadHotTrackData(*filer.Stream, data);
    } catch (const EReadError&) {
        RaiseRecordError(filer);
    }
}

}  // namespace

std::string ReadRawBytes(TEtikettFiler& filer, int64_t count) {
    if (count <= 0) return {};
    if (count > filer.Stream->Remaining()) RaiseRecordError(filer);
    std::string bytes(static_cast<size_t>(count), '\0');
    filer.Stream->ReadBuffer(bytes.data(), count);
    return bytes;
}

// ---- plain texts

void TTextRecord::Read(TEtikettFiler& filer) {
    Font.Read(filer);
    HAlign = filer.ReadTaggedInteger();
    VAlign = filer.ReadTaggedInteger();
    if (!filer.IsLegacy) {
        Text = filer.ReadTaggedString();
        return;
    }
    const int32_t length = filer.ReadTaggedLongint();
    filer.ReadTag();
    const std::string bytes = ReadRawBytes(filer, length);
    Text = bytes.substr(0, bytes.find('\0'));
}

void TTextRecord::Write(TEtikettFiler& filer) const {
    Font.Write(filer);
    filer.WriteTaggedInteger(HAlign);
    filer.WriteTaggedInteger(VAlign);
    filer.WriteTaggedString(Text);
}

void TCircleTextRecord::Read(TEtikettFiler& filer) {
    RotTextStyle = filer.ReadTaggedInteger();
    Kerning = ReadFiniteDouble(filer);
}

void TCircleTextRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedInteger(RotTextStyle);
    WriteFiniteDouble(filer, Kerning);
}

void TFieldTextRecord::Read(TEtikettFiler& filer) {
    FieldId = filer.ReadTaggedString();
    Name = filer.ReadTaggedString();
    Value = filer.ReadTaggedString();
}

void TFieldTextRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedString(FieldId);
    filer.WriteTaggedString(Name);
    filer.WriteTaggedString(Value);
}

// ---- rich texts

void TRTFTextRecord::Read(TEtikettFiler& filer) {
    HAlign = filer.ReadTaggedInteger();
    VAlign = filer.ReadTaggedInteger();
    const std::string text = filer.ReadTaggedString();
    const size_t prefixLength = std::strlen(kFramePrefix);
    if (text.compare(0, prefixLength, kFramePrefix) != 0) {
        RTF = text.substr(0, kMaxRTFSize);
        return;
    }
    if (text.size() > prefixLength) FrameKind = static_cast<uint8_t>(text[prefixLength]);
    if (text.size() >= kFramePrefixSize) std::memcpy(&CornerSize, text.data() + prefixLength + 1, sizeof CornerSize);
    RTF = text.size() > kFramePrefixSize ? text.substr(kFramePrefixSize, kMaxRTFSize) : std::string();
}

void TRTFTextRecord::Write(TEtikettFiler& filer) const {
    std::string text(kFramePrefix);
    text += static_cast<char>(FrameKind);
    text.append(reinterpret_cast<const char*>(&CornerSize), sizeof CornerSize);
    text += RTF;
    filer.WriteTaggedInteger(HAlign);
    filer.WriteTaggedInteger(VAlign);
    filer.WriteTaggedString(text);
}

void TZaehlerfeldRecord::Read(TEtikettFiler& filer) {
    Version = filer.ReadTaggedInteger();
    Prefix = filer.ReadTaggedString();
    Postfix = filer.ReadTaggedString();
    Counter = filer.ReadTaggedInteger();
    Increment = filer.ReadTaggedInteger();
    Digits = filer.ReadTaggedInteger();
    UpdateAfterPrint = filer.ReadTaggedBoolean();
}

void TZaehlerfeldRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedInteger(Version);
    filer.WriteTaggedString(Prefix);
    filer.WriteTaggedString(Postfix);
    filer.WriteTaggedInteger(Counter);
    filer.WriteTaggedInteger(Increment);
    filer.WriteTaggedInteger(Digits);
    filer.WriteTaggedBoolean(UpdateAfterPrint);
}

// ---- shapes and WordArt

void TAutoFormRecord::Read(TEtikettFiler& filer) {
    ShapeClass = filer.ReadTaggedString();
    ReadHotTrack(filer, HotTrack);
}

void TAutoFormRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedString(ShapeClass);
    WriteHotTrackData(*filer.Stream, HotTrack);
}

void TWordartRecord::Read(TEtikettFiler& filer) {
    Version = filer.ReadTaggedInteger();
    const int32_t count = CheckedCount(filer, filer.ReadTaggedInteger());
    Lines.clear();
    for (int32_t i = 0; i < count; ++i) Lines.push_back(filer.ReadTaggedString());
    Alignment = filer.ReadTaggedInteger();
    LineSpacing = filer.ReadTaggedSingle();
    Font.Read(filer);
    Transform = filer.ReadTaggedString();
    Vertical = filer.ReadTaggedBoolean();
    ReadHotTrack(filer, HotTrack);
}

void TWordartRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedInteger(Version);
    filer.WriteTaggedInteger(static_cast<int32_t>(Lines.size()));
    for (const std::string& line : Lines) filer.WriteTaggedString(line);
    filer.WriteTaggedInteger(Alignment);
    filer.WriteTaggedSingle(LineSpacing);
    Font.Write(filer);
    filer.WriteTaggedString(Transform);
    filer.WriteTaggedBoolean(Vertical);
    WriteHotTrackData(*filer.Stream, HotTrack);
}

// ---- barcodes

void TBarcodeRecord::Read(TEtikettFiler& filer) {
    const int32_t first = filer.ReadTaggedInteger();
    OlderLayout = first >= 0;
    Symbology = OlderLayout ? first : filer.ReadTaggedInteger();
    Text = filer.ReadTaggedString();
    AddOn = filer.ReadTaggedString();
    CheckDigit = filer.ReadTaggedBoolean();
    ShowText = filer.ReadTaggedBoolean();
    if (OlderLayout) return;
    AECOC = filer.ReadTaggedBoolean();
    DataField = filer.ReadTaggedString();
}

void TBarcodeRecord::Write(TEtikettFiler& filer) const {
    filer.WriteTaggedInteger(-1);
    filer.WriteTaggedInteger(Symbology);
    filer.WriteTaggedString(Text);
    filer.WriteTaggedString(AddOn);
    filer.WriteTaggedBoolean(CheckDigit);
    filer.WriteTaggedBoolean(ShowText);
    filer.WriteTaggedBoolean(AECOC);
    filer.WriteTaggedString(DataField);
}

// ---- the older directory listing

void TDirOutlineRecord::Read(TEtikettFiler& filer) {
    Font.Read(filer);
    PrintPlusSigns = filer.ReadTaggedBoolean();
    PrintFolderSymbols = filer.ReadTaggedBoolean();
    PrintLines = filer.ReadTaggedBoolean();
    Columns = filer.ReadTaggedInteger();
    const int32_t count = CheckedCount(filer, filer.ReadTaggedInteger());
    Entries.clear();
    for (int32_t i = 0; i < count; ++i) {
        TDirOutlineEntry e;
        e.Path = filer.ReadTaggedString();
        e.Second = filer.ReadTaggedString();
        e.Level = filer.ReadTaggedInteger();
        for (bool& flag : e.Flags) flag = filer.ReadTaggedBoolean();
        e.Flag5 = filer.ReadTaggedInteger();
        e.Flag6 = filer.ReadTaggedBoolean();
        e.Flag7 = filer.ReadTaggedBoolean();
        Entries.push_back(std::move(e));
    }
}

void TDirOutlineRecord::Write(TEtikettFiler& filer) const {
    Font.Write(filer);
    filer.WriteTaggedBoolean(PrintPlusSigns);
    filer.WriteTaggedBoolean(PrintFolderSymbols);
    filer.WriteTaggedBoolean(PrintLines);
    filer.WriteTaggedInteger(Columns);
    filer.WriteTaggedInteger(static_cast<int32_t>(Entries.size()));
    for (const TDirOutlineEntry& e : Entries) {
        filer.WriteTaggedString(e.Path);
        filer.WriteTaggedString(e.Second);
        filer.WriteTaggedInteger(e.Level);
        for (const bool flag : e.Flags) filer.WriteTaggedBoolean(flag);
        filer.WriteTaggedInteger(e.Flag5);
        filer.WriteTaggedBoolean(e.Flag6);
        filer.WriteTaggedBoolean(e.Flag7);
    }
}
