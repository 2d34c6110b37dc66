// TRtRTFText: paragraph numbers, their texts and the outline levels.
#include "richtext/model/RtRTFText.h"

#include "richtext/model/RtRTFNumberingStyle.h"

#include <map>

namespace {

bool IsListNumbering(const TRtRTFNumberingStyle& s) { return s.Style != rt_none && s.Style != rt_bullet; }

}  // namespace

void TRtRTFText::UpdateNumbering() {
    if (NumberingOverride) {
        NumberingOverride(*this);
        return;
    }
    TRtRTFNumberingStyleCollection& styles = *numberStyles_;
    std::map<std::pair<int32_t, int32_t>, TRtRTFNumberingStyle*> firstOfLevel;
    for (int32_t i = 0; i < styles.Count(); ++i) {
        TRtRTFNumberingStyle* s = styles.GetItem(i);
        s->Counter = 0;
        if (s->Group > 0 && s->LevelInGroup >= 1 && s->LevelInGroup <= 9) {
            firstOfLevel.try_emplace({s->Group, s->LevelInGroup}, s);
        }
    }
    const auto resetPlainCounters = [&styles](const TRtRTFNumberingStyle* except) {
        for (int32_t i = 0; i < styles.Count(); ++i) {
            TRtRTFNumberingStyle* s = styles.GetItem(i);
            if (s->Group == 0 && s != except) s->Counter = 0;
        }
    };
    uint16_t ownRunning = 0;
    for (TParagraph* p = first_; p; p = p->next) {
        if (p->numberStyle == 0) {
            if (!(NumberingOptions & 0x01)) resetPlainCounters(nullptr);
            continue;
        }
        TRtRTFNumberingStyle* style = styles.FindParStyle(*p);
        if (!style) {
            p->numberValue = ++ownRunning;
            continue;
        }
        if (style->Group > 0) {
            for (int32_t level = style->LevelInGroup + 1; level <= 9; ++level) {
                const auto it = firstOfLevel.find({style->Group, level});
                if (it != firstOfLevel.end()) it->second->Counter = 0;
            }
            p->numberValue = static_cast<uint16_t>(++style->Counter);
            continue;
        }
        const bool hasText = p->firstLine && p->firstLine->Length() > 0;
        if (!hasText && p != TypingPar) continue;
        if (IsListNumbering(*style)) resetPlainCounters(style);
        style->Counter = p->numberStart >= 1 ? p->numberStart : style->Counter + 1;
        p->numberValue = static_cast<uint16_t>(style->Counter);
    }
}

std::string TRtRTFText::GetNumberText(const TParagraph* par, TRtRTFNumberingStyle*& style) {
    style = nullptr;
    if (!par || par->numberStyle == 0) return {};
    TRtRTFNumberingStyleCollection& styles = *numberStyles_;
    style = styles.FindParStyle(*par);
    if (!style) return std::to_string(par->numberValue) + ".";
    std::string text = style->Format(par->numberValue);
    const int32_t level = par->numberLevel;
    if (style->Group <= 0 || !style->UsePrev || level < 2 || level > 9) return text;
    const int32_t group = style->Group;
    styles.CollectGroupLevels(group);
    const auto levels = styles.Levels();
    int32_t wanted = level - 1;
    for (const TParagraph* p = par->prev; p && wanted >= 1; p = p->prev) {
        const int32_t pl = p->numberLevel;
        if (p->numberStyle == 0 || pl < 1 || pl > wanted) continue;
        const TRtRTFNumberingStyle* ps = styles.FindParStyle(*p);
        if (!ps || ps->Group != group) continue;
        if (const TRtRTFNumberingStyle* own = levels[size_t(pl - 1)]) text = own->Format(p->numberValue) + text;
        wanted = pl - 1;
    }
    return text;
}

void TRtRTFText::ChangeOutlineLevels(int32_t delta) {
    TParagraph* from = Cursor.par;
    TParagraph* to = Cursor.par;
    if (SelStart.par && SelEnd.par) {
        from = SelStart.par;
        to = SelEnd.par;
        if (from->index > to->index) std::swap(from, to);
    }
    for (TParagraph* p = from; p; p = p->next) {
        p->outlineLevel = delta < 0 ? p->outlineLevel - 1 : std::min(p->outlineLevel + 1, 0);
        p->MarkChanged();
        NotifyParagraph(p);
        if (p == to) break;
    }
    int32_t limit = 0;
    for (TParagraph* p = first_; p; p = p->next) {
        const bool visible = limit >= 0 || p->outlineLevel > limit;
        const uint32_t before = p->flags;
        if (visible) {
            p->flags &= ~pfCollapsedHidden;
            limit = p->Has(pfCollapsed) ? p->outlineLevel - 1 : 0;
        } else {
            p->flags |= pfCollapsedHidden;
        }
        if ((before ^ p->flags) & pfCollapsedHidden) NotifyParagraph(p);
    }
    UpdateResolution();
    ScrollToCursor();
    RepaintAll();
}

void TRtRTFText::OutlineDemote() { ChangeOutlineLevels(-1); }

void TRtRTFText::OutlinePromote() { ChangeOutlineLevels(1); }
