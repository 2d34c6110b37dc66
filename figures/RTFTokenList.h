#pragma once
// The tokens of a label text, kept compactly: each token is a small record
// whose bytes and measured advances lie in flat arrays shared by all tokens,
// and whose font lies in a table of the text's few distinct fonts. A long
// text so costs little more than its bytes. Indexing yields a token in its
// full form (TRTFToken), for callers that look at one token at a time; the
// drawers work on the records.

#include "figures/RTFToken.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A font of tokens, with what was measured of it.
struct TRTFSave {
    std::string FontName;
    int32_t FontSize = 0;
    TFontStyles FontStyle = 0;
    gdi::Color FontColor = 0;
    uint8_t Charset = gdi::DEFAULT_CHARSET;
    friend bool operator==(const TRTFSave&, const TRTFSave&) = default;
};

struct TRTFTokenStyle {
    TRTFSave Font;
    float Height = 0;  // mm: font height plus external leading, at the last measure
    float Ascent = 0;  // mm
    int32_t DeviceHeight = 0;  // on the canvas of the last draw
    int32_t DeviceAscent = 0;
};

class TRTFTokenList {
public:
    struct Record {
        uint32_t First = 0;   // of the bytes (and advances)
        uint32_t Length = 0;  // bytes of the text
        float Width = 0;      // mm
        uint32_t Style = 0;
        uint8_t Kind = kTokenWord;
        uint8_t Alignment = kAlignLeft;  // marks only
        bool IsDrawable() const { return Kind == kTokenWord || Kind == kTokenSpace || Kind == kTokenField; }
    };

    TRTFTokenList() = default;
    // A list of full tokens (tests and layouts of hand-made tokens).
    TRTFTokenList(const std::vector<TRTFToken>& tokens);  // NOLINT: converts on purpose

    // ---- building
    void Clear();
    void Reserve(size_t tokens, size_t bytes);
    void ShrinkToFit();
    // The style of a font, added when new.
    uint32_t StyleOf(const TRTFSave& font);
    // Empties the list and takes the styles of another.
    void StartWithStylesOf(const TRTFTokenList& other);
    void Add(uint8_t kind, std::string_view text, uint32_t style);
    void AddMark(uint8_t alignment);
    void AddField(std::string_view text, std::string_view fieldName, uint32_t style);
    // Takes a token of another list (same styles) as it is, advances left out.
    void AddCopy(const TRTFTokenList& from, const Record& token);
    void PopBack() { records_.pop_back(); }
    // Keeps only the tokens for which keep(record) holds, in order.
    template <typename Keep>
    void KeepIf(Keep keep) {
        std::erase_if(records_, [&](const Record& r) { return !keep(r); });
    }
    void ClearText(Record& token) { token.Length = 0; }

    // ---- reading
    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    Record& At(size_t i) { return records_[i]; }
    const Record& At(size_t i) const { return records_[i]; }
    std::span<Record> Records() { return records_; }
    std::span<const Record> Records() const { return records_; }
    std::string_view Text(const Record& token) const { return std::string_view(bytes_).substr(token.First, token.Length); }
    TRTFTokenStyle& Style(const Record& token) { return styles_[token.Style]; }
    const TRTFTokenStyle& Style(const Record& token) const { return styles_[token.Style]; }
    std::vector<TRTFTokenStyle>& Styles() { return styles_; }
    const std::vector<TRTFTokenStyle>& Styles() const { return styles_; }
    std::string FieldName(const Record& token) const;
    // The bytes the list holds (records, text, advances, styles).
    size_t MemoryBytes() const;

    // ---- advances (mm, summed) after each byte of words and fields
    // Whether the tokens carry advances (after a measure that keeps them).
    bool HasAdvances(const Record& token) const {
        return advancesKept_ && (token.Kind == kTokenWord || token.Kind == kTokenField) && token.Length > 0;
    }
    // The advance after byte i, or the width when there is none.
    float AdvanceAfter(const Record& token, size_t i) const {
        return HasAdvances(token) && i < token.Length ? advances_[token.First + i] : token.Width;
    }
    // Room for the advances of every byte; false drops them.
    void KeepAdvances(bool keep);
    float* Advances(const Record& token) { return advances_.data() + token.First; }

    // ---- the full form
    TRTFToken operator[](size_t i) const { return Full(records_[i]); }
    TRTFToken back() const { return Full(records_.back()); }
    TRTFToken Full(const Record& token) const;

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = TRTFToken;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = TRTFToken;
        const_iterator(const TRTFTokenList* list, size_t i) : list_(list), i_(i) {}
        TRTFToken operator*() const { return (*list_)[i_]; }
        const_iterator& operator++() {
            ++i_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++i_;
            return before;
        }
        friend bool operator==(const const_iterator&, const const_iterator&) = default;

    private:
        const TRTFTokenList* list_;
        size_t i_;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, records_.size()}; }

private:
    uint32_t AddBytes(std::string_view text);

    std::vector<Record> records_;
    std::string bytes_;
    std::vector<float> advances_;
    bool advancesKept_ = false;
    std::vector<TRTFTokenStyle> styles_;
    struct FontHash {
        size_t operator()(const TRTFSave& f) const;
    };
    std::unordered_map<TRTFSave, uint32_t, FontHash> styleIndex_;
    uint32_t lastStyle_ = 0;
    // The names of data fields by the first byte of their token.
    std::unordered_map<uint32_t, std::string> fieldNames_;
};
