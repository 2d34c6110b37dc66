#pragma once
// TRtObjectBase: the part of an embedded object that the text model uses:
// its owning text, its reference record (TTextObj), its laid-out rectangle,
// the reference slot that holds it (cleared when the object is freed, so that
// no reference keeps a freed object) and its size in twips.

#include <cstdint>
#include <functional>
#include <string>

namespace gdi {
class Canvas;
}
class TRtRTFText;
struct TTextObj;

struct TRtLayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool Contains(int32_t x, int32_t y) const { return left <= x && x < left + width && top <= y && y < top + height; }
};

class TRtObjectBase {
public:
    TRtObjectBase() = default;
    virtual ~TRtObjectBase();
    TRtObjectBase(const TRtObjectBase&) = delete;
    TRtObjectBase& operator=(const TRtObjectBase&) = delete;

    // The class name under which the object class is registered.
    virtual std::string ClassName() const { return "TRtObjectBase"; }

    // ---- virtual operations
    virtual void Changed();
    virtual void PaintBackground(gdi::Canvas& canvas) {}
    virtual int32_t GetContentWidth() { return 1001; }
    virtual int32_t GetContentHeight() { return 721; }
    virtual std::string GetTextA() { return {}; }
    virtual std::string GetTextB() { return {}; }
    virtual void EmptyOperationA() {}
    virtual void Paint() {}
    virtual void ShowControl() {}
    virtual void HideControl() {}
    virtual void Select(bool flag);
    virtual void Repaint();
    virtual void EmptyOperationB() {}

    // The text's object position (0 without a text).
    int32_t UpdateScreenRect();
    // The text paints the object unless painting is suppressed.
    int32_t UpdatePaintRect();
    void SetValueText(const std::string& text) { valueText_ = text; }
    const std::string& ValueText() const { return valueText_; }

    TRtRTFText* OwningText() const { return text_; }
    void SetOwningText(TRtRTFText* text) { text_ = text; }
    TTextObj* Reference() const { return reference_; }
    void SetReference(TTextObj* reference) { reference_ = reference; }
    // The reference slot holding the object; cleared when the object goes.
    void SetSlot(TRtObjectBase** slot) { slot_ = slot; }
    TRtObjectBase** Slot() const { return slot_; }

    std::string Name;  // the component name
    int32_t Tag = 0;
    bool PaintSuppressed = false;
    bool ReentryGuard = false;
    uint8_t FlagByte = 0;
    int32_t Value = -1;
    TRtLayoutRect LaidOut;
    std::string ObjectNameText;
    bool Loaded = false;
    int32_t WidthTwips = 0;
    int32_t HeightTwips = 0;
    // Asked before the last reference frees the object; true keeps it alive
    // (whoever answers true then owns it).
    std::function<bool(TRtObjectBase&)> OnDestroyRequest;

private:
    TRtRTFText* text_ = nullptr;
    TTextObj* reference_ = nullptr;
    TRtObjectBase** slot_ = nullptr;
    std::string valueText_;
};
