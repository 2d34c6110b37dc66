#pragma once
// Numbering styles: bullets, numbers and outline numbers of paragraphs. A
// paragraph refers to a style by its Number (and, in an outline group, a
// level); the text's TRtRTFNumberingStyleCollection keeps the styles.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TRtRTFText;
struct TParagraph;

enum TRtNumberStyle : uint8_t { rt_none, rt_bullet, rt_lg_a, rt_a, rt_lg_i, rt_i, rt_1 };

// TRtRTFNumberingStyleLocked, as bit masks.
constexpr uint8_t rtClearDoesNotDelete = 0x01;
constexpr uint8_t rtLoadDoesNotOverride = 0x02;

constexpr int32_t kFirstFreeStyleNumber = 20;

// The number text of a style: letters continue "aa", "ab" ... "az", "ba"
// after "z" (up to "zz" for 702; numbers are taken modulo 702); roman
// numbers are taken modulo 100 and written with l and x only.
std::string NumberToText(int32_t number, TRtNumberStyle style);

class TRtRTFNumberingStyleCollection;

class TRtRTFNumberingStyle {
public:
    int32_t Counter = 0;  // scratch of UpdateNumbering
    std::string TextB;    // before the number (for bullets the bullet itself)
    std::string TextA;    // after the number
    std::string Font;     // empty: the paragraph's
    int32_t Size = 0;     // points; 0: the paragraph's
    TRtNumberStyle Style = rt_none;
    int32_t Indent = 0;   // twips: the hanging indent of the number
    bool UsePrev = false;
    uint8_t Locked = 0;
    int32_t Number = 0;
    int32_t Group = 0;    // 0: a plain list style
    int32_t LevelInGroup = 0;
    int32_t IndentLeft = 0;
    int32_t IndentFirst = 0;
    int32_t Extra = 0;

    std::string Format(int32_t number) const { return TextB + NumberToText(number, Style) + TextA; }
    std::string GetDisplayName(const TRtRTFNumberingStyleCollection& collection) const;
    void Assign(const TRtRTFNumberingStyle& source);
};

class TRtRTFNumberingStyleCollection {
public:
    explicit TRtRTFNumberingStyleCollection(TRtRTFText* text) : text_(text) {}

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    TRtRTFNumberingStyle* GetItem(int32_t index) const;
    // A new style numbered 20 or one more than the largest number from 20 up.
    TRtRTFNumberingStyle& Add();
    void Delete(int32_t index);
    TRtRTFNumberingStyle* FindStyle(int32_t number, int32_t level) const;
    TRtRTFNumberingStyle* FindParStyle(const TParagraph& par) const;
    TRtRTFNumberingStyle* GetGroupStyle(int32_t group, int32_t level);
    int32_t FindOrAddStyle(TRtNumberStyle style, const std::string& textB, int32_t level, int32_t group,
                           bool usePrev, int32_t size, int32_t indent, const std::string& font,
                           const std::string& textA);
    int32_t CollectGroupLevels(int32_t group);
    // The level table of the last CollectGroupLevels (levels 1 to 9 at 0 to 8).
    const std::array<TRtRTFNumberingStyle*, 9>& Levels() const { return levels_; }
    void Reset();
    void ResetDefaults(bool onlyWhenEmpty);
    TRtRTFText* Text() const { return text_; }
    void* Owner = nullptr;  // the editor

private:
    TRtRTFText* text_;
    std::vector<std::unique_ptr<TRtRTFNumberingStyle>> items_;
    std::array<TRtRTFNumberingStyle*, 9> levels_{};

    TRtRTFNumberingStyle* FindNumber(int32_t number) const;
    bool HasGroupLevels(int32_t group) const;
};
