// TRtRTFTextPaint: the word scan. Each word of a paragraph that has not been
// checked is handed to the owner's word-check hook, whose answer marks it
// misspelled or correct and may give hyphenation points. Web and mail
// addresses are never checked; the word being typed is held back.
#include "richtext/layout/RtRTFTextPaint.h"

#include "richtext/model/EngineSettings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kMaxWordLength = 253;

struct TWordChar {
    TLine* line;
    uint32_t index;
    char ch;
};


}  // namespace

void TRtRTFTextPaint::ClearCursorWordChecked() {
    TLine* line = Cursor.line;
    if (!line || !line->HasAttrs()) return;
    for (int32_t i : {Cursor.offset - 1, Cursor.offset}) {
        if (i < 0 || uint32_t(i) >= line->Length()) continue;
        TAttr a = GetAttr(line, i);
        if (!(a.style & afsWasChecked)) continue;
        a.style &= ~afsWasChecked;
        PutAttr(line, i, a);
    }
}

bool TRtRTFTextPaint::ScanParagraphWords(TParagraph* par, bool cursorFlag) {
    if (WordCheckSuspended || NoCanvas() || PaintLocked || !par || !par->firstLine || !par->firstLine->HasAttrs()) {
        return false;
    }
    if (!OnSpellCheckWord) return false;
    checkRunning_ = true;
    bool changed = false;
    const auto& delimiters = RtEngine().WordDelimiters;
    std::vector<TWordChar> word;
    std::string text;
    bool toCheck = false;
    bool atSign = false;
    bool web = false;
    const auto cursorInWord = [&]() {
        if (Cursor.par != par || word.empty()) return false;
        for (size_t k = 0; k <= word.size(); ++k) {
            const TLine* l = k < word.size() ? word[k].line : word.back().line;
            const uint32_t at = k < word.size() ? word[k].index : word.back().index + 1;
            if (Cursor.line == l && uint32_t(Cursor.offset) == at) return true;
        }
        return false;
    };
    const auto setStyle = [&](const TWordChar& c, uint32_t add, uint32_t remove) {
        TAttr a = GetAttr(c.line, int32_t(c.index));
        const uint32_t style = (a.style & ~remove) | add;
        if (style == a.style) return;
        if ((style ^ a.style) & afsMisSpelled) changed = true;
        a.style = style;
        PutAttr(c.line, int32_t(c.index), a);
    };
    const auto finishWord = [&]() {
        const bool atCursor = cursorFlag && cursorInWord();
        if (!word.empty() && (toCheck || atCursor)) {
            size_t from = 0;
            size_t to = word.size();
            while (to - from > 1 && delimiters[uint8_t(word[to - 1].ch)]) --to;
            while (to - from > 1 && delimiters[uint8_t(word[from].ch)]) ++from;
            while (to > from && (StyleAt(word[to - 1].line, int32_t(word[to - 1].index)) & afsSuper)) --to;
            if (to > from) {
                const std::vector<TWordChar> chars(word.begin() + long(from), word.begin() + long(to));
                std::string checked;
                for (const TWordChar& c : chars) checked += c.ch;
                uint8_t result = wcKeepMarks;
                THyphenPoints points{};
                bool heldBack = false;
                if (HoldBackCursorWord && cursorInWord()) {
                    recheckPending_ = true;
                    setStyle(chars.front(), 0, afsWasChecked);
                    result = 0;
                    heldBack = true;
                } else if ((StyleAt(chars.front().line, int32_t(chars.front().index)) & afsHyperLink) || atSign || web) {
                    result = 0;
                } else {
                    OnSpellCheckWord(checked, result, points);
                }
                if (!(result & wcKeepMarks)) {
                    size_t next = 0;
                    for (size_t k = 0; k < chars.size(); ++k) {
                        uint32_t add = heldBack ? 0 : afsWasChecked;
                        if (result & wcMisspelled) add |= afsMisSpelled;
                        const uint32_t remove = afsHyphen | ((result & wcMisspelled) ? 0 : afsMisSpelled);
                        if ((result & wcHyphenation) && next < points.size() && k > 0 && points[next] == k) {
                            add |= afsHyphen;
                            ++next;
                        }
                        setStyle(chars[k], add, remove);
                    }
                }
            }
        }
        word.clear();
        text.clear();
        toCheck = atSign = web = false;
    };
    for (TLine* line = par->firstLine; line; line = line->next) {
        for (uint32_t i = 0; i < line->Length(); ++i) {
            const char ch = line->CharAt(i);
            const uint32_t style = StyleAt(line, int32_t(i));
            const bool separator = delimiters[uint8_t(ch)];
            if (word.empty()) {
                if (separator) continue;
                word.push_back({line, i, ch});
                text = ch;
                toCheck = !(style & afsWasChecked);
                continue;
            }
            if ((text == "www" && ch == '.') || ((text == "http" || text == "ftp" || text == "mailto") && ch == ':')) {
                web = true;
            }
            // A mail address stays one word from its at sign on.
            if (ch == '@') atSign = true;
            const bool keepsWord = ch == '@' || (ch == '.' && atSign) || (web && (ch == '.' || ch == '/' || ch == ':'));
            if (separator && !keepsWord) {
                finishWord();
                continue;
            }
            if (word.size() >= kMaxWordLength) {
                toCheck = false;
                continue;
            }
            word.push_back({line, i, ch});
            text += ch;
            if (!(style & afsWasChecked)) toCheck = true;
        }
    }
    finishWord();
    checkRunning_ = false;
    return changed;
}

void TRtRTFTextPaint::RecheckCursorParagraph(bool clear) {
    if (clear) {
        ClearCursorWordChecked();
        recheckPending_ = true;
    }
    if (!recheckPending_ || checkRunning_) return;
    HoldBackCursorWord = false;
    if (ScanParagraphWords(Cursor.par, true)) {
        HostOrNone().HideCaret();
        HostOrNone().Invalidate();
    }
    recheckPending_ = false;
}
