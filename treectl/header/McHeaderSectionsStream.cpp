// The stream of the header sections: a marker (the version), the count,
// then per section in display order a fixed record and its strings.
#include "treectl/header/McHeaderSections.h"

#include "treectl/header/McSectionsOwner.h"

#include "foundation/LittleEndian.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <array>
#include <cstring>
#include <set>
#include <vector>

namespace {

// The values of one section as the stream holds them.
struct SectionRecord {
    bool lookupEnabled = false;
    int32_t parentIndex = -1;
    bool expandable = false, expanded = false, visible = true, clickSelect = true, resizable = true;
    uint8_t style = 0;
    int32_t width = 120, minWidth = 0, maxWidth = 10000;
    uint8_t sortMode = 0;
    bool allowClick = true;
    uint8_t alignment = 0;
    bool hasSectionId = false;
    int32_t sectionId = 0;
    int32_t index = 0;
    uint8_t fieldType = 0;
    bool editable = false;
    int32_t imageIndex = 0;
    uint8_t pictureAlign = 0;
    bool password = false;
    bool parentColor = true;
    gdi::Color color = 0, fontColor = 0;
    bool filterEnabled = false;
    uint8_t textLayout = 1;
    bool useMainStyle = false, autoSize = false;
    std::string text, fieldName, popupMenuName, hint;
};

struct VersionLayout {
    int32_t marker;
    int32_t recordSize;
    bool hasPopupName, hasHint;
};
constexpr VersionLayout kLayouts[] = {
    {-10, 68, true, true}, {-9, 64, true, true}, {-8, 64, true, true},
    {-6, 52, true, false}, {-5, 52, false, false}, {-4, 36, false, false},
};

const VersionLayout* LayoutOf(int32_t marker) {
    for (const VersionLayout& l : kLayouts) {
        if (l.marker == marker) return &l;
    }
    return nullptr;
}

class RecordBytes {
public:
    explicit RecordBytes(const uint8_t* bytes) : bytes_(bytes) {}
    int32_t Int(int offset) const { return static_cast<int32_t>(GetLittleEndian(bytes_ + offset, 4)); }
    bool Flag(int offset) const { return bytes_[offset] != 0; }
    uint8_t Ordinal(int offset, uint8_t count) const {
        if (bytes_[offset] >= count) ThrowStreamReadError();
        return bytes_[offset];
    }

private:
    const uint8_t* bytes_;
};

// Where the fields shared by every version stand in a record.
struct SharedOffsets {
    int visible, width, sortMode, tail;  // the next three after visible; two after width; two after sortMode
};
constexpr SharedOffsets kVersion4Offsets{0, 4, 16, 20};
constexpr SharedOffsets kLaterOffsets{14, 20, 32, 36};

void ReadShared(const RecordBytes& b, SectionRecord& r, const SharedOffsets& at) {
    r.visible = b.Flag(at.visible);
    r.clickSelect = b.Flag(at.visible + 1);
    r.resizable = b.Flag(at.visible + 2);
    r.style = b.Ordinal(at.visible + 3, 3);
    r.width = b.Int(at.width);
    r.minWidth = b.Int(at.width + 4);
    r.maxWidth = b.Int(at.width + 8);
    r.sortMode = b.Ordinal(at.sortMode, 3);
    r.allowClick = b.Flag(at.sortMode + 1);
    r.alignment = b.Ordinal(at.sortMode + 2, 3);
}

// From the Index on, at offset `at`: the data fields, then from version -8 the colours.
void ReadTail(const RecordBytes& b, SectionRecord& r, int at, int32_t marker) {
    r.index = b.Int(at);
    r.fieldType = b.Ordinal(at + 4, kFieldTypeCount);
    r.editable = b.Flag(at + 5);
    r.imageIndex = b.Int(at + 8);
    r.pictureAlign = b.Ordinal(at + 12, 3);
    r.password = b.Flag(at + 13);
    if (marker > -8) return;
    r.parentColor = b.Flag(at + 14);
    r.color = static_cast<gdi::Color>(b.Int(at + 16));
    r.fontColor = static_cast<gdi::Color>(b.Int(at + 20));
    r.filterEnabled = b.Flag(at + 24);
    r.textLayout = b.Ordinal(at + 25, 3);
    r.useMainStyle = b.Flag(at + 26);
    if (marker != -8) r.autoSize = b.Flag(at + 27);
}

// A text with its terminating zero, its length counting the zero.
std::string ReadCString(TStream& s) {
    const int32_t length = StreamReadInt(s);
    if (length <= 0) return {};
    s.RequireAvailable(length);
    std::string bytes(static_cast<size_t>(length), '\0');
    s.ReadBuffer(bytes.data(), length);
    bytes.resize(std::strlen(bytes.c_str()));
    return bytes;
}

void WriteCString(TStream& s, const std::string& text) {
    StreamWriteInt(s, static_cast<int32_t>(text.size() + 1));
    s.WriteBuffer(text.c_str(), static_cast<int64_t>(text.size() + 1));
}

SectionRecord ReadRecord(TStream& s, const VersionLayout& layout) {
    std::array<uint8_t, 68> bytes{};
    s.ReadBuffer(bytes.data(), layout.recordSize);
    const RecordBytes b(bytes.data());
    SectionRecord r;
    if (layout.marker == -4) {
        ReadShared(b, r, kVersion4Offsets);
        ReadTail(b, r, kVersion4Offsets.tail, layout.marker);
    } else {
        r.lookupEnabled = b.Flag(4);
        r.parentIndex = b.Int(8);
        r.expandable = b.Flag(12);
        r.expanded = b.Flag(13);
        ReadShared(b, r, kLaterOffsets);
        // Version -10 put the section's id before the Index.
        r.hasSectionId = layout.marker == -10;
        if (r.hasSectionId) r.sectionId = b.Int(36);
        ReadTail(b, r, r.hasSectionId ? kLaterOffsets.tail + 4 : kLaterOffsets.tail, layout.marker);
    }
    r.text = ReadCString(s);
    r.fieldName = ReadCString(s);
    if (layout.hasPopupName) r.popupMenuName = StreamReadString(s);
    if (layout.hasHint) r.hint = StreamReadString(s);
    return r;
}

std::array<uint8_t, 68> RecordOf(const TMcHeaderSection& s) {
    std::array<uint8_t, 68> b{};
    auto put = [&b](int offset, int32_t v) { PutLittleEndian(b.data() + offset, static_cast<uint32_t>(v), 4); };
    b[4] = s.LookupEnabled();
    put(8, s.ParentSection() ? s.ParentSection()->Index() : -1);
    b[12] = s.Expandable();
    b[13] = s.Expanded();
    b[14] = s.OwnVisible();
    b[15] = s.ClickSelect();
    b[16] = s.Resizable();
    b[17] = static_cast<uint8_t>(s.Style());
    put(20, s.Width());
    put(24, s.MinWidth());
    put(28, s.MaxWidth());
    b[32] = static_cast<uint8_t>(s.SortMode());
    b[33] = s.AllowClick();
    b[34] = static_cast<uint8_t>(s.Alignment());
    put(36, s.SectionId());
    put(40, s.Index());
    b[44] = static_cast<uint8_t>(s.FieldType());
    b[45] = s.Editable();
    put(48, s.ImageIndex());
    b[52] = static_cast<uint8_t>(s.PictureAlign());
    b[53] = s.Password();
    b[54] = s.ParentColor();
    put(56, static_cast<int32_t>(s.Color()));
    put(60, static_cast<int32_t>(s.FontColor()));
    b[64] = s.FilterEnabled();
    b[65] = static_cast<uint8_t>(s.TextLayout());
    b[66] = s.UseMainStyle();
    b[67] = s.AutoSize();
    return b;
}

}  // namespace

void TMcHeaderSections::SaveToStream(TStream& stream) const {
    StreamWriteInt(stream, kStreamVersion);
    StreamWriteInt(stream, Count());
    for (TMcHeaderSection* s : sections_) {
        const std::array<uint8_t, 68> record = RecordOf(*s);
        stream.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
        WriteCString(stream, s->Text());
        WriteCString(stream, s->FieldName());
        StreamWriteString(stream, s->PopupMenuName());
        StreamWriteString(stream, s->Hint());
    }
}

void TMcHeaderSections::LoadFromStream(TStream& stream) {
    const int32_t marker = StreamReadInt(stream);
    const VersionLayout* layout = LayoutOf(marker);
    std::vector<SectionRecord> records;
    if (layout) {
        // Everything is read before anything changes, so that a damaged
        // stream leaves the sections as they were.
        const int32_t count = StreamReadInt(stream);
        if (count < 0 || int64_t{count} * (layout->recordSize + 8) > stream.Remaining()) ThrowStreamReadError();
        records.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) records.push_back(ReadRecord(stream, *layout));
    }
    Clear();
    std::set<int32_t> ids;
    for (const SectionRecord& r : records) {
        TMcHeaderSection* s = AddSection();
        s->lookupEnabled_ = r.lookupEnabled;
        s->parentIndexOnLoad_ = r.parentIndex;
        s->expandable_ = r.expandable;
        s->expanded_ = r.expanded;
        s->visible_ = r.visible;
        s->clickSelect_ = r.clickSelect;
        s->resizable_ = r.resizable;
        s->style_ = static_cast<TMcSectionStyle>(r.style);
        s->width_ = r.width;
        s->minWidth_ = r.minWidth;
        s->maxWidth_ = r.maxWidth;
        s->sortMode_ = static_cast<TMcSSortMode>(r.sortMode);
        s->allowClick_ = r.allowClick;
        s->alignment_ = static_cast<TMcSAlignment>(r.alignment);
        // Ids stay distinct: one that is taken already keeps the new section's own.
        if (r.hasSectionId && !ids.contains(r.sectionId)) s->sectionId_ = r.sectionId;
        ids.insert(s->sectionId_);
        s->index_ = r.index;
        s->fieldType_ = static_cast<TFieldTypes>(r.fieldType);
        s->editable_ = r.editable;
        s->imageIndex_ = r.imageIndex;
        s->pictureAlign_ = static_cast<TMcSAlignment>(r.pictureAlign);
        s->password_ = r.password;
        s->parentColor_ = r.parentColor;
        s->color_ = r.color;
        s->fontColor_ = r.fontColor;
        s->filterEnabled_ = r.filterEnabled;
        s->textLayout_ = static_cast<TTextLayout>(r.textLayout);
        s->useMainStyle_ = r.useMainStyle;
        s->autoSize_ = r.autoSize;
        s->text_ = r.text;
        s->fieldName_ = r.fieldName;
        s->popupMenuName_ = r.popupMenuName;
        s->hint_ = r.hint;
    }
    if (layout && marker != -4) {
        // A parent that would make a section its own ancestor is refused, as the setter does.
        for (TMcHeaderSection* s : sections_) {
            if (s->parentIndexOnLoad_ == -1) continue;
            TMcHeaderSection* parent = Item(s->parentIndexOnLoad_);
            bool cycle = false;
            for (const TMcHeaderSection* a = parent; a && !cycle; a = a->parentSection_) cycle = a == s;
            s->parentSection_ = cycle ? nullptr : parent;
        }
    }
    // Indexes must be 0 .. Count-1 once each, or columns could not be found.
    std::set<int32_t> indexes;
    for (TMcHeaderSection* s : sections_) indexes.insert(s->index_);
    const bool permutation = static_cast<int32_t>(indexes.size()) == Count() &&
                             (Count() == 0 || (*indexes.begin() == 0 && *indexes.rbegin() == Count() - 1));
    if (!permutation) Renumber();
    if (header_ && header_->HasWindow()) header_->InvalidateHeader();
}
