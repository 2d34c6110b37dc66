#pragma once
// Texts built from strings and read back as strings, for the model's tests.

#include "richtext/model/RtRTFText.h"

#include <string>
#include <vector>

// A text whose paragraphs hold the given strings.
inline void Fill(TRtRTFText& text, const std::vector<std::string>& paragraphs) {
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const std::string& p = paragraphs[i];
        if (i == 0) {
            text.SetParagraphText(0, p.c_str(), nullptr, int32_t(p.size()));
        } else {
            text.InsertParagraphText(int32_t(i), p.c_str(), nullptr, int32_t(p.size()));
        }
    }
}

// The paragraphs' texts joined by "|".
inline std::string TextOf(const TRtRTFText& text) {
    std::string s;
    for (const TParagraph* p = text.FirstPar(); p; p = p->next) {
        if (p != text.FirstPar()) s += '|';
        s += TRtRTFText::ParagraphString(p);
    }
    return s;
}

inline TParagraph* Par(const TRtRTFText& text, int32_t index) { return text.ParagraphByIndex(index); }
