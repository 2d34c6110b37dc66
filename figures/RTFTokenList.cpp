#include "figures/RTFTokenList.h"

#include <algorithm>

TRTFTokenList::TRTFTokenList(const std::vector<TRTFToken>& tokens) {
    for (const TRTFToken& t : tokens) {
        const uint32_t style = StyleOf({t.FontName, t.FontSize, t.FontStyle, t.FontColor, t.Charset});
        TRTFTokenStyle& s = styles_[style];
        s.Height = t.Height;
        s.Ascent = t.Ascent;
        s.DeviceHeight = t.DeviceHeight;
        s.DeviceAscent = t.DeviceAscent;
        if (t.Kind == kTokenField) {
            AddField(t.Text, t.FieldName, style);
        } else {
            Add(t.Kind, t.Text, style);
        }
        records_.back().Width = t.Width;
        records_.back().Alignment = t.Alignment;
    }
}

void TRTFTokenList::Clear() {
    records_.clear();
    bytes_.clear();
    advances_.clear();
    advancesKept_ = false;
    styles_.clear();
    styleIndex_.clear();
    fieldNames_.clear();
}

void TRTFTokenList::Reserve(size_t tokens, size_t bytes) {
    records_.reserve(tokens);
    bytes_.reserve(bytes);
}

void TRTFTokenList::ShrinkToFit() {
    if (records_.capacity() > 2 * records_.size() + 64) records_.shrink_to_fit();
    if (bytes_.capacity() > 2 * bytes_.size() + 64) bytes_.shrink_to_fit();
}

size_t TRTFTokenList::FontHash::operator()(const TRTFSave& f) const {
    size_t h = std::hash<std::string>()(f.FontName);
    for (const uint32_t v : {static_cast<uint32_t>(f.FontSize), static_cast<uint32_t>(f.FontStyle),
                             static_cast<uint32_t>(f.FontColor), static_cast<uint32_t>(f.Charset)})
        h = h * 1000003u ^ v;
    return h;
}

uint32_t TRTFTokenList::StyleOf(const TRTFSave& font) {
    // Texts change font seldom: the last style asked for is the likely one.
    if (lastStyle_ < styles_.size() && styles_[lastStyle_].Font == font) return lastStyle_;
    const auto [it, added] = styleIndex_.try_emplace(font, static_cast<uint32_t>(styles_.size()));
    if (added) styles_.push_back({font});
    lastStyle_ = it->second;
    return it->second;
}

void TRTFTokenList::StartWithStylesOf(const TRTFTokenList& other) {
    Clear();
    styles_ = other.styles_;
    styleIndex_ = other.styleIndex_;
}

uint32_t TRTFTokenList::AddBytes(std::string_view text) {
    const auto first = static_cast<uint32_t>(bytes_.size());
    bytes_.append(text);
    return first;
}

void TRTFTokenList::Add(uint8_t kind, std::string_view text, uint32_t style) {
    Record& r = records_.emplace_back();
    r.First = AddBytes(text);
    r.Length = static_cast<uint32_t>(text.size());
    r.Kind = kind;
    r.Style = style;
}

void TRTFTokenList::AddMark(uint8_t alignment) {
    // Marks carry no font.
    Add(kTokenAlignment, {}, StyleOf({std::string(), 0, 0, 0, 0}));
    records_.back().Alignment = alignment;
}

void TRTFTokenList::AddField(std::string_view text, std::string_view fieldName, uint32_t style) {
    Add(kTokenField, text, style);
    // The name follows the text, so that every field has bytes of its own to
    // be found by.
    AddBytes(fieldName.empty() ? std::string_view(" ") : fieldName);
    fieldNames_[records_.back().First] = std::string(fieldName);
}

void TRTFTokenList::AddCopy(const TRTFTokenList& from, const Record& token) {
    if (token.Kind == kTokenField) {
        AddField(from.Text(token), from.FieldName(token), token.Style);
    } else {
        Add(token.Kind, from.Text(token), token.Style);
    }
    records_.back().Width = token.Width;
    records_.back().Alignment = token.Alignment;
}

std::string TRTFTokenList::FieldName(const Record& token) const {
    const auto it = fieldNames_.find(token.First);
    return token.Kind == kTokenField && it != fieldNames_.end() ? it->second : std::string();
}

size_t TRTFTokenList::MemoryBytes() const {
    return records_.capacity() * sizeof(Record) + bytes_.capacity() + advances_.capacity() * sizeof(float) +
           styles_.capacity() * sizeof(TRTFTokenStyle) + styleIndex_.size() * (sizeof(TRTFSave) + 16);
}

void TRTFTokenList::KeepAdvances(bool keep) {
    advancesKept_ = keep;
    if (keep) {
        advances_.assign(bytes_.size(), 0);
    } else {
        advances_.clear();
        advances_.shrink_to_fit();
    }
}

TRTFToken TRTFTokenList::Full(const Record& r) const {
    TRTFToken t;
    const TRTFTokenStyle& s = styles_[r.Style];
    t.Width = r.Width;
    t.Height = s.Height;
    t.Ascent = s.Ascent;
    t.DeviceHeight = s.DeviceHeight;
    t.DeviceAscent = s.DeviceAscent;
    t.Kind = r.Kind;
    t.Text = std::string(Text(r));
    t.FieldName = FieldName(r);
    t.FontName = s.Font.FontName;
    t.FontSize = s.Font.FontSize;
    t.FontStyle = s.Font.FontStyle;
    t.FontColor = s.Font.FontColor;
    t.Charset = s.Font.Charset;
    t.Alignment = r.Alignment;
    if (HasAdvances(r)) t.Advances.assign(advances_.begin() + r.First, advances_.begin() + r.First + r.Length);
    return t;
}
