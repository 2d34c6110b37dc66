#pragma once
// TCharacterAttr: the look of one special kind of text (hidden text, insert
// points, hyperlinks ...). The document owns one per kind and installs the
// change callback; the painter applies them.

#include <cstdint>
#include <functional>

enum TThreeState : uint8_t { tsIgnore, tsTRUE, tsFALSE };
enum TRtTextEffect : uint8_t { rteffNone, rteffPopup, rteffOutline };

class TCharacterAttr {
public:
    // kind: the bit number of the style this object stands for.
    explicit TCharacterAttr(uint8_t kind);

    // Called with the style set {kind} and whether the text must be laid out again.
    std::function<void(uint32_t kindSet, bool relayout)> OnChange;

    uint8_t Kind() const { return kind_; }
    TThreeState Bold() const { return bold_; }
    TThreeState Italic() const { return italic_; }
    TThreeState Underline() const { return underline_; }
    bool DoubleUnderline() const { return doubleUnderline_; }
    TThreeState StrikeOut() const { return strikeOut_; }
    TThreeState SuperScript() const { return superScript_; }
    TThreeState SubScript() const { return subScript_; }
    bool Hidden() const { return hidden_; }
    bool UseUnderlineColor() const { return useUnderlineColor_; }
    bool UseTextColor() const { return useTextColor_; }
    bool UseBackgroundColor() const { return useBackgroundColor_; }
    uint32_t UnderlineColor() const { return underlineColor_; }
    uint32_t TextColor() const { return textColor_; }
    uint32_t BackgroundColor() const { return backgroundColor_; }
    uint32_t HotEffectColor() const { return hotEffectColor_; }
    uint32_t HotUnderlineColor() const { return hotUnderlineColor_; }
    bool UseHotUnderlineColor() const { return useHotUnderlineColor_; }
    uint32_t HotBackgroundColor() const { return hotBackgroundColor_; }
    bool UseHotBackgroundColor() const { return useHotBackgroundColor_; }
    TRtTextEffect HotEffect() const { return hotEffect_; }
    uint32_t HotTextColor() const { return hotTextColor_; }
    bool UseHotTextColor() const { return useHotTextColor_; }
    TThreeState HotUnderline() const { return hotUnderline_; }
    bool HotStyleIsActive() const { return hotStyleIsActive_; }
    bool UseOnGetAttrColorEvent() const { return useOnGetAttrColorEvent_; }
    bool AlsoUseForPrintout() const { return alsoUseForPrintout_; }

    void SetBold(TThreeState v) { SetField(bold_, v, true); }
    void SetItalic(TThreeState v) { SetField(italic_, v, true); }
    void SetSubScript(TThreeState v) { SetField(subScript_, v, true); }
    void SetSuperScript(TThreeState v) { SetField(superScript_, v, true); }
    void SetHidden(bool v) { SetField(hidden_, v, true); }
    void SetUnderline(TThreeState v) { SetField(underline_, v, false); }
    void SetStrikeOut(TThreeState v) { SetField(strikeOut_, v, false); }
    void SetUseTextColor(bool v) { SetField(useTextColor_, v, false); }
    void SetUseBackgroundColor(bool v) { SetField(useBackgroundColor_, v, false); }
    void SetDoubleUnderline(bool v);
    void SetUseUnderlineColor(bool v);
    void SetUnderlineColor(uint32_t c);
    void SetTextColor(uint32_t c);
    void SetBackgroundColor(uint32_t c);
    void SetHotUnderlineColor(uint32_t c);
    void SetHotBackgroundColor(uint32_t c);
    void SetHotTextColor(uint32_t c);
    void SetHotEffect(TRtTextEffect effect);
    void SetHotUnderline(TThreeState v) { hotUnderline_ = v; }
    void SetHotStyleIsActive(bool v) { hotStyleIsActive_ = v; }
    void SetUseOnGetAttrColorEvent(bool v) { useOnGetAttrColorEvent_ = v; }
    void SetAlsoUseForPrintout(bool v) { alsoUseForPrintout_ = v; }
    void SetHotEffectColor(uint32_t c) { hotEffectColor_ = c; }

    // Copies the look from another object (not the double underline, the hot
    // effect with its colour nor the colour-event switch); no callback.
    void Assign(const TCharacterAttr& source);

private:
    uint8_t kind_;
    TThreeState bold_ = tsIgnore, italic_ = tsIgnore, underline_ = tsIgnore;
    bool doubleUnderline_ = false;
    TThreeState strikeOut_ = tsIgnore, superScript_ = tsIgnore, subScript_ = tsIgnore;
    bool hidden_ = false, useUnderlineColor_ = false, useTextColor_ = false, useBackgroundColor_ = false;
    uint32_t underlineColor_ = 0, textColor_ = 0, backgroundColor_ = 0, hotEffectColor_ = 0, hotUnderlineColor_ = 0;
    bool useHotUnderlineColor_ = false;
    uint32_t hotBackgroundColor_ = 0;
    bool useHotBackgroundColor_ = false;
    TRtTextEffect hotEffect_ = rteffNone;
    uint32_t hotTextColor_ = 0;
    bool useHotTextColor_ = false;
    TThreeState hotUnderline_ = tsIgnore;
    bool hotStyleIsActive_ = false, useOnGetAttrColorEvent_ = false, alsoUseForPrintout_ = true;

    void Notify(bool relayout);
    template <typename T>
    void SetField(T& field, T value, bool relayout) {
        if (field == value) return;
        field = value;
        Notify(relayout);
    }
};
