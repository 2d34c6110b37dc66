// The item record: an item writes itself with its children's records and
// reads records of every earlier version back. Every count and length is
// checked against the bytes that remain before anything is made of it.
#include "treectl/items/McTreeItem.h"

#include "treectl/items/McTreeItems.h"

#include "foundation/LittleEndian.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"

#include <array>

namespace {

constexpr int32_t kItemVersion = -10;
constexpr int32_t kStyleRecordSize = 36;
// The least bytes a child record takes: text length, column count, child count.
constexpr int64_t kLeastRecordSize = 12;
// Deeper nesting than any folder tree: the stream is damaged.
constexpr int32_t kMaxDepth = 2048;

thread_local int32_t readDepth = 0;

int32_t Int(const uint8_t* b, int offset) { return static_cast<int32_t>(GetLittleEndian(b + offset, 4)); }
void PutInt(uint8_t* b, int offset, int32_t v) { PutLittleEndian(b + offset, static_cast<uint32_t>(v), 4); }

uint8_t Ordinal(const uint8_t* b, int offset, uint8_t count) {
    if (b[offset] >= count) ThrowStreamReadError();
    return b[offset];
}

int32_t ReadCount(TStream& s, int64_t leastBytesEach) {
    const int32_t count = StreamReadInt(s);
    if (count < 0 || count * leastBytesEach > s.Remaining()) ThrowStreamReadError();
    return count;
}

// The fields of the fixed block of every version.
struct FixedBlock {
    uint16_t state = 0;
    int32_t imageIndex = -1, stateImageIndex = -1, imageIndex2 = -1, stateImageIndex2 = -1;
    bool forceButtons = false;
    gdi::Color color = 0, rowBkColor = 0, bkColor = 0;
    bool parentColors = true, parentStyle = true, checkBoxEnabled = true;
    uint8_t checkBoxState = 0;
    bool showCheckBox = false;
    uint8_t checkBoxType = 0;
    bool enabled = true, hidden = false, useBkColor = true;
    bool hasSecondImages = false, hasEnabled = false, hasHidden = false, hasRowBkColor = false, hasUseBkColor = false;
};

// The block's layout: version -10 put the row colour after the text colour,
// which moves every later field by 4; the 32-byte block ends with the check box.
struct BlockLayout {
    int shift;  // of the fields after the text colour
    bool rowColor, secondImages, hidden, useBkColor;
};

void ReadBlock(const uint8_t* b, FixedBlock& f, const BlockLayout& layout) {
    const int k = layout.shift;
    f.state = static_cast<uint16_t>(GetLittleEndian(b, 2));
    f.imageIndex = Int(b, 4);
    f.stateImageIndex = Int(b, 8);
    f.forceButtons = Int(b, 12) != 0;
    f.color = static_cast<gdi::Color>(Int(b, 16));
    f.hasRowBkColor = layout.rowColor;
    if (layout.rowColor) f.rowBkColor = static_cast<gdi::Color>(Int(b, 20));
    f.bkColor = static_cast<gdi::Color>(Int(b, 20 + k));
    f.parentColors = b[24 + k] != 0;
    f.parentStyle = b[25 + k] != 0;
    f.checkBoxEnabled = b[26 + k] != 0;
    f.checkBoxState = Ordinal(b, 27 + k, 3);
    f.showCheckBox = b[28 + k] != 0;
    f.checkBoxType = Ordinal(b, 29 + k, 3);
    if (!layout.secondImages) return;
    f.hasSecondImages = f.hasEnabled = true;
    f.imageIndex2 = Int(b, 32 + k);
    f.stateImageIndex2 = Int(b, 36 + k);
    f.enabled = b[40 + k] != 0;
    f.hasHidden = layout.hidden;
    f.hidden = layout.hidden && b[41 + k] != 0;
    f.hasUseBkColor = layout.useBkColor;
    if (layout.useBkColor) f.useBkColor = b[42 + k] != 0;
}

// The fixed block of the version, or none (false).
bool ReadFixedBlock(TStream& s, int32_t version, FixedBlock& f) {
    std::array<uint8_t, 48> b{};
    switch (version) {
    case -10:
        s.ReadBuffer(b.data(), 48);
        ReadBlock(b.data(), f, {4, true, true, true, true});
        StreamReadByte(s);  // written again after the block; the block's value holds
        return true;
    case -9: case -8: case -6:
        s.ReadBuffer(b.data(), 44);
        ReadBlock(b.data(), f, {0, false, true, true, false});
        f.useBkColor = StreamReadByte(s) != 0;
        f.hasUseBkColor = true;
        return true;
    case -5: case -4:
        s.ReadBuffer(b.data(), 44);
        ReadBlock(b.data(), f, {0, false, true, version == -5, false});
        return true;
    case -3:
        s.ReadBuffer(b.data(), 32);
        ReadBlock(b.data(), f, {0, false, false, false, false});
        return true;
    default:
        return false;
    }
}

void WriteStyle(TStream& s, const TMcCellStyle& style) {
    std::array<uint8_t, kStyleRecordSize> b{};
    PutInt(b.data(), 0, static_cast<int32_t>(style.CellColor));
    PutInt(b.data(), 4, static_cast<int32_t>(style.TextBackColor));
    PutInt(b.data(), 8, static_cast<int32_t>(style.FontColor));
    PutInt(b.data(), 12, static_cast<int32_t>(style.DrawTextFlags));
    b[20] = static_cast<uint8_t>(style.CellKind);
    b[21] = static_cast<uint8_t>(style.DrawStyle);
    b[22] = style.UseParentProps;
    PutInt(b.data(), 24, style.FontSize);
    b[28] = style.FontStyles;
    PutInt(b.data(), 32, style.Tag);
    s.WriteBuffer(b.data(), kStyleRecordSize);
    StreamWriteString(s, style.FontName);
}

void ReadStyle(TStream& s, TMcCellStyle* style) {
    std::array<uint8_t, kStyleRecordSize> b{};
    s.ReadBuffer(b.data(), kStyleRecordSize);
    const uint8_t kind = Ordinal(b.data(), 20, kFieldTypeCount);
    const uint8_t drawStyle = Ordinal(b.data(), 21, 3);
    std::string fontName = StreamReadString(s);
    if (!style) return;
    style->CellColor = static_cast<gdi::Color>(Int(b.data(), 0));
    style->TextBackColor = static_cast<gdi::Color>(Int(b.data(), 4));
    style->FontColor = static_cast<gdi::Color>(Int(b.data(), 8));
    style->DrawTextFlags = static_cast<uint32_t>(Int(b.data(), 12));
    style->CellKind = static_cast<TFieldTypes>(kind);
    style->DrawStyle = static_cast<TMcSectionStyle>(drawStyle);
    style->UseParentProps = b[22] != 0;
    style->FontSize = Int(b.data(), 24);
    style->FontStyles = static_cast<uint8_t>(b[28] & 0x0F);
    style->Tag = Int(b.data(), 32);
    style->FontName = std::move(fontName);
}

}  // namespace

// Reads one record into an item, or only checks it (item nil): then
// nothing is made, and the children's records are checked in turn.
class TMcTreeItem::ItemReader {
public:
    ItemReader(TStream& stream, TMcTreeHost& tree) : s_(stream), tree_(tree) {}

    void Read(TMcTreeItem* item) {
        struct Depth {
            Depth() { ++readDepth; }
            ~Depth() { --readDepth; }
        } depth;
        if (readDepth > kMaxDepth) ThrowStreamReadError();
        const int32_t first = StreamReadInt(s_);
        const int32_t version = first < 0 ? first : 0;
        std::string text;
        if (first < 0) {
            text = StreamReadString(s_);
        } else if (first > 0) {
            s_.RequireAvailable(first);
            text.resize(static_cast<size_t>(first));
            s_.ReadBuffer(text.data(), first);
        }
        if (item) item->text_ = std::move(text);
        FixedBlock block;
        if (ReadFixedBlock(s_, version, block) && item) Apply(block, *item);
        ReadHintAndColumns(item);
        if (version < 0) ReadStyles(item, version);
        if (item) tree_.DoItemLoad(item, s_);
        const int32_t children = ReadCount(s_, kLeastRecordSize);
        for (int32_t i = 0; i < children; ++i) {
            if (!item) {
                Read(nullptr);
                continue;
            }
            TMcTreeItem* child = item->collection_->AddItem(item);
            child->LoadFromStream(s_);
        }
    }

private:
    void Apply(const FixedBlock& f, TMcTreeItem& item) {
        item.state_ = static_cast<uint16_t>(f.state & ~(Bit(kFocused) | Bit(kSelected)));
        item.imageIndex_ = f.imageIndex;
        item.stateImageIndex_ = f.stateImageIndex;
        item.forceButtons_ = f.forceButtons;
        item.color_ = f.color;
        item.bkColor_ = f.bkColor;
        item.parentColors_ = f.parentColors;
        item.parentStyle_ = f.parentStyle;
        item.checkBoxEnabled_ = f.checkBoxEnabled;
        item.checkBoxState_ = static_cast<TCheckBoxState>(f.checkBoxState);
        item.showCheckBox_ = f.showCheckBox;
        item.checkBoxType_ = static_cast<TMcCheckBoxType>(f.checkBoxType);
        if (f.hasSecondImages) {
            item.imageIndex2_ = f.imageIndex2;
            item.stateImageIndex2_ = f.stateImageIndex2;
        }
        if (f.hasEnabled) item.enabled_ = f.enabled;
        if (f.hasRowBkColor) item.rowBkColor_ = f.rowBkColor;
        if (f.hasUseBkColor) item.useBkColor_ = f.useBkColor;
        if (f.hasHidden && f.hidden != item.hidden_ && !item.IsRoot()) {
            // The tree counts its hidden items; a deleted hidden item is counted out again.
            tree_.ChangeHiddenCount(f.hidden ? 1 : -1);
            item.hidden_ = f.hidden;
        }
    }

    void ReadHintAndColumns(TMcTreeItem* item) {
        int32_t count = StreamReadInt(s_);
        if (count == -1) {
            std::string hint = StreamReadString(s_);
            if (item) item->hint_ = std::move(hint);
            count = StreamReadInt(s_);
        }
        if (count < 0 || count * int64_t{4} > s_.Remaining()) ThrowStreamReadError();
        std::vector<std::string> texts;
        texts.reserve(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) texts.push_back(StreamReadString(s_));
        if (!item || texts.empty()) return;
        item->columnText_.insert(item->columnText_.end(), texts.begin(), texts.end());
        item->ColumnTextChanged();
    }

    void ReadStyles(TMcTreeItem* item, int32_t version) {
        const bool useStyles = StreamReadByte(s_) != 0;
        if (item) item->useStyles_ = useStyles;
        if (!useStyles) return;
        const bool custom = version <= -2 && StreamReadByte(s_) != 0;
        // Styles a handler wrote carry no length: only a matching handler can read them.
        if (custom && (!item || !tree_.HasCellStyleLoad())) {
            throw EMcTreeError("McTree cell styles in the stream need an OnCellStyleLoad handler.");
        }
        ReadOneStyle(item, custom, item ? item->mainStyle_.get() : nullptr);
        const int32_t count = ReadCount(s_, custom ? 1 : kStyleRecordSize + 4);
        for (int32_t i = 0; i < count; ++i) ReadOneStyle(item, custom, item ? item->AddStyle() : nullptr);
    }

    void ReadOneStyle(TMcTreeItem* item, bool custom, TMcCellStyle* style) {
        if (custom) tree_.DoCellStyleLoad(item, s_, *style);
        else ReadStyle(s_, style);
    }

    TStream& s_;
    TMcTreeHost& tree_;
};

void TMcTreeItem::LoadFromStream(TStream& stream) { ItemReader(stream, *tree_).Read(this); }

void TMcTreeItems::CheckStream(TStream& stream) {
    const int64_t start = stream.Position();
    TMcTreeItem::ItemReader(stream, *tree_).Read(nullptr);
    stream.SetPosition(start);
}

void TMcTreeItem::SaveToStream(TStream& stream) {
    StreamWriteInt(stream, kItemVersion);
    StreamWriteString(stream, text_);
    std::array<uint8_t, 48> b{};
    PutLittleEndian(b.data(), state_, 2);
    PutInt(b.data(), 4, imageIndex_);
    PutInt(b.data(), 8, stateImageIndex_);
    PutInt(b.data(), 12, forceButtons_ ? -1 : 0);
    PutInt(b.data(), 16, static_cast<int32_t>(color_));
    PutInt(b.data(), 20, static_cast<int32_t>(rowBkColor_));
    PutInt(b.data(), 24, static_cast<int32_t>(bkColor_));
    b[28] = parentColors_;
    b[29] = parentStyle_;
    b[30] = checkBoxEnabled_;
    b[31] = static_cast<uint8_t>(checkBoxState_);
    b[32] = showCheckBox_;
    b[33] = static_cast<uint8_t>(checkBoxType_);
    PutInt(b.data(), 36, imageIndex2_);
    PutInt(b.data(), 40, stateImageIndex2_);
    b[44] = enabled_;
    b[45] = hidden_;
    b[46] = useBkColor_;
    stream.WriteBuffer(b.data(), 48);
    StreamWriteByte(stream, useBkColor_);
    StreamWriteInt(stream, -1);
    StreamWriteString(stream, hint_);
    StreamWriteInt(stream, static_cast<int32_t>(columnText_.size()));
    for (const std::string& text : columnText_) StreamWriteString(stream, text);
    StreamWriteByte(stream, useStyles_);
    if (useStyles_) {
        const bool custom = tree_->HasCellStyleSave();
        StreamWriteByte(stream, custom);
        auto write = [&](TMcCellStyle& style) {
            if (custom) tree_->DoCellStyleSave(this, stream, style);
            else WriteStyle(stream, style);
        };
        write(*mainStyle_);
        StreamWriteInt(stream, StylesCount());
        for (int32_t i = 0; i < StylesCount(); ++i) write(*GetStyle(i));
    }
    tree_->DoItemSave(this, stream);
    StreamWriteInt(stream, GetChildCount());
    for (int32_t i = 0; i < GetChildCount(); ++i) children_->At(i)->SaveToStream(stream);
}
