#include "richtext/model/RtRTFNumberingStyle.h"

#include "foundation/Codepage1252.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/Paragraph.h"
#include "richtext/model/RtRTFText.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int32_t kLetterCycle = 702;  // "a" to "zz"
constexpr int32_t kMaxLevel = 9;

std::string Letters(int32_t n, bool upper) {
    if (n <= 0) return {};
    const int32_t m = (n - 1) % kLetterCycle + 1;
    const char base = upper ? 'A' : 'a';
    if (m <= 26) return std::string(1, char(base + m - 1));
    const int32_t rest = m - 27;
    return {char(base + rest / 26), char(base + rest % 26)};
}

std::string Roman(int32_t n, bool upper) {
    static const char* const kUnits[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix"};
    n = (n % 100 + 100) % 100;
    std::string s;
    s.append(size_t(n / 50), 'l');
    s.append(size_t(n % 50 / 10), 'x');
    s += kUnits[n % 10];
    if (upper) std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

}  // namespace

std::string NumberToText(int32_t number, TRtNumberStyle style) {
    switch (style) {
    case rt_lg_a: return Letters(number, true);
    case rt_a: return Letters(number, false);
    case rt_lg_i: return Roman(number, true);
    case rt_i: return Roman(number, false);
    case rt_1: return std::to_string(number);
    default: return {};
    }
}

void TRtRTFNumberingStyle::Assign(const TRtRTFNumberingStyle& s) {
    Number = s.Number;
    TextB = s.TextB;
    TextA = s.TextA;
    Font = s.Font;
    Size = s.Size;
    Style = s.Style;
    Indent = s.Indent;
    UsePrev = s.UsePrev;
    Group = s.Group;
    Locked = s.Locked;
    LevelInGroup = s.LevelInGroup;
}

std::string TRtRTFNumberingStyle::GetDisplayName(const TRtRTFNumberingStyleCollection& collection) const {
    const bool locked = Locked & rtClearDoesNotDelete;
    std::string s = std::to_string(Number) + (locked ? "= \"" : "=  \"") + Format(1) + "\"";
    if (Group > 0) {
        s += " <in group " + std::to_string(Group) + "> ";
        for (int32_t level = 1; level <= kMaxLevel; ++level) {
            for (int32_t i = 0; i < collection.Count(); ++i) {
                const TRtRTFNumberingStyle* st = collection.GetItem(i);
                if (st->Group == Group && st->LevelInGroup == level) {
                    s += " " + st->Format(1);
                    break;
                }
            }
        }
    }
    std::string notes;
    if (Number < kFirstFreeStyleNumber) notes += "reserved number ";
    bool firstOfLevel = true;
    if (Group > 0) {
        const TRtRTFNumberingStyle* first = nullptr;
        for (int32_t i = 0; i < collection.Count() && !first; ++i) {
            const TRtRTFNumberingStyle* st = collection.GetItem(i);
            if (st->Group == Group && st->LevelInGroup == LevelInGroup) first = st;
        }
        firstOfLevel = first == this;
    }
    if (Group > 0 && (LevelInGroup < 1 || LevelInGroup > kMaxLevel || !firstOfLevel)) {
        notes += "not used, level=" + std::to_string(LevelInGroup) + " ";
    }
    if (!locked) notes += "not locked";
    if (!notes.empty()) s += "  <" + notes + ">";
    return s;
}

TRtRTFNumberingStyle* TRtRTFNumberingStyleCollection::GetItem(int32_t index) const {
    return index >= 0 && index < Count() ? items_[size_t(index)].get() : nullptr;
}

TRtRTFNumberingStyle& TRtRTFNumberingStyleCollection::Add() {
    int32_t number = kFirstFreeStyleNumber;
    for (const auto& s : items_) {
        if (s->Number >= kFirstFreeStyleNumber) number = std::max(number, s->Number + 1);
    }
    items_.push_back(std::make_unique<TRtRTFNumberingStyle>());
    items_.back()->Number = number;
    return *items_.back();
}

void TRtRTFNumberingStyleCollection::Delete(int32_t index) {
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

TRtRTFNumberingStyle* TRtRTFNumberingStyleCollection::FindNumber(int32_t number) const {
    for (const auto& s : items_) {
        if (s->Number == number) return s.get();
    }
    return nullptr;
}

TRtRTFNumberingStyle* TRtRTFNumberingStyleCollection::FindStyle(int32_t number, int32_t level) const {
    TRtRTFNumberingStyle* found = nullptr;
    if (number < 0) {
        for (const auto& s : items_) {
            if (s->Group == 1 && (level <= 0 || s->LevelInGroup == level)) {
                found = s.get();
                break;
            }
        }
    } else {
        found = FindNumber(number);
    }
    if (found && found->Group > 0 && level > 0 && found->LevelInGroup != level) {
        for (const auto& s : items_) {
            if (s->Group == found->Group && s->LevelInGroup == level) return s.get();
        }
    }
    return found;
}

TRtRTFNumberingStyle* TRtRTFNumberingStyleCollection::FindParStyle(const TParagraph& par) const {
    return FindStyle(par.numberStyle, par.numberLevel);
}

TRtRTFNumberingStyle* TRtRTFNumberingStyleCollection::GetGroupStyle(int32_t group, int32_t level) {
    if (group <= 0) return nullptr;
    if (level < 1 || level > kMaxLevel) level = kMaxLevel;
    for (const auto& s : items_) {
        if (s->Group == group && s->LevelInGroup == level) return s.get();
    }
    TRtRTFNumberingStyle& added = Add();
    added.Group = group;
    added.LevelInGroup = level;
    return &added;
}

int32_t TRtRTFNumberingStyleCollection::FindOrAddStyle(TRtNumberStyle style, const std::string& textB, int32_t level,
                                                       int32_t group, bool usePrev, int32_t size, int32_t indent,
                                                       const std::string& font, const std::string& textA) {
    for (const auto& s : items_) {
        if (s->Style == style && s->UsePrev == usePrev && s->Group == group && s->LevelInGroup == level &&
            (s->Indent == indent || indent <= 0) && (s->Size == size || size <= 0) && s->TextA == textA &&
            s->TextB == textB && SameTextAscii(s->Font, font)) {
            return s->Number;
        }
    }
    TRtRTFNumberingStyle& added = Add();
    added.Style = style;
    added.TextB = textB;
    added.TextA = textA;
    added.LevelInGroup = level;
    added.Group = group;
    added.UsePrev = usePrev;
    added.Font = font;
    if (size > 0) added.Size = size;
    if (indent > 0) added.Indent = indent;
    return added.Number;
}

int32_t TRtRTFNumberingStyleCollection::CollectGroupLevels(int32_t group) {
    levels_.fill(nullptr);
    int32_t found = 0;
    for (const auto& s : items_) {
        if (s->Group != group || s->LevelInGroup < 1 || s->LevelInGroup > kMaxLevel) continue;
        TRtRTFNumberingStyle*& slot = levels_[size_t(s->LevelInGroup - 1)];
        if (slot) continue;
        slot = s.get();
        ++found;
    }
    return found;
}

bool TRtRTFNumberingStyleCollection::HasGroupLevels(int32_t group) const {
    return std::any_of(items_.begin(), items_.end(), [group](const auto& s) {
        return s->Group == group && s->LevelInGroup >= 1 && s->LevelInGroup <= kMaxLevel;
    });
}

void TRtRTFNumberingStyleCollection::Reset() {
    std::erase_if(items_, [](const auto& s) { return !(s->Locked & rtClearDoesNotDelete); });
}

void TRtRTFNumberingStyleCollection::ResetDefaults(bool onlyWhenEmpty) {
    Reset();
    if (onlyWhenEmpty && !items_.empty()) return;
    const int32_t indent = text_ ? text_->NumberingIndent : 360;
    struct TDefault {
        TRtNumberStyle style;
        const char* textB;
        const char* textA;
    };
    static constexpr TDefault kListStyles[] = {
        {rt_bullet, "", ""}, {rt_lg_a, "", ")"}, {rt_a, "", ")"}, {rt_lg_i, "", "."}, {rt_i, "", "."}, {rt_1, "", "."},
    };
    for (int32_t number = 1; number <= 6; ++number) {
        if (FindNumber(number)) continue;
        const TDefault& d = kListStyles[number - 1];
        items_.push_back(std::make_unique<TRtRTFNumberingStyle>());
        TRtRTFNumberingStyle& s = *items_.back();
        s.Number = number;
        s.Style = d.style;
        s.TextA = d.textA;
        s.Indent = indent;
        if (d.style == rt_bullet) {
            s.TextB = std::string(1, char(RtEngine().BulletChar));
            s.Font = RtEngine().BulletFontName;
        }
    }
    for (const char* bullet : {"p", "n", "v"}) {
        TRtRTFNumberingStyle& s = Add();
        s.Style = rt_bullet;
        s.TextB = bullet;
        s.Font = "WingDings";
        s.Indent = indent;
    }
    if (HasGroupLevels(1)) return;
    static constexpr TDefault kOutline[] = {
        {rt_lg_i, "", "."}, {rt_lg_a, "", "."}, {rt_1, "", "."}, {rt_a, "", ")"}, {rt_i, "(", ")"},
        {rt_a, "(", ")"},   {rt_1, "(", ")"},   {rt_1, "(", ")"}, {rt_1, "(", ")"},
    };
    for (int32_t level = 1; level <= kMaxLevel; ++level) {
        TRtRTFNumberingStyle& s = Add();
        const TDefault& d = kOutline[level - 1];
        s.Style = d.style;
        s.TextB = d.textB;
        s.TextA = d.textA;
        s.Group = 1;
        s.LevelInGroup = level;
        s.Indent = indent;
    }
}
