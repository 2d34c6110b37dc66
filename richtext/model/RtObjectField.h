#pragma once
// Field objects: TRtObjectField, whose text is computed (page numbers, page
// count, date, time, paragraph number), and TRtTagField, a tag shown in the
// text.

#include "richtext/model/RtObject.h"

// Frame options (TRtObjectFieldFrameOpt), as bit masks.
constexpr uint8_t rtfoBox = 0x01;
constexpr uint8_t rtfoCornersLeft = 0x02;
constexpr uint8_t rtfoCornersRight = 0x04;
constexpr uint8_t rtfoBackColor = 0x08;
constexpr uint8_t rtfoFrameColor = 0x10;

class TRtObjectField : public TRtObject {
public:
    std::string ClassName() const override { return "TRtObjectField"; }
    std::string FieldName;
    std::string FieldMask;
    bool Measuring = false;
    uint8_t FrameOptions = 0;
    gdi::Color FrameColor = 0;
    gdi::Color FieldBackColor = 0;
    int32_t ParNumber = 0;        // the paragraph the field stands in ("PARNUM")
    bool PageDependent = false;   // the text depends on the page
    int32_t BoundsWidth = -1;     // as the bounds event reported them
    int32_t BoundsHeight = -1;
    int32_t BoundsBaseLine = -1;

    // The text to show: the editor's field event, else the process-wide field
    // text routine, else "<" + FieldName + ">".
    virtual void GetFieldText(bool measuring, std::string& text);
    int32_t GetContentWidth() override;
    int32_t GetContentHeight() override;
    void WriteProperties(TRtComponentWriter& writer) const override;
    bool ReadProperty(const std::string& name, const TRtPropertyValue& value) override;

private:
    void AskBounds();
};

class TRtTagField : public TRtObjectField {
public:
    TRtTagField();
    std::string ClassName() const override { return "TRtTagField"; }
    virtual void SetCode(const std::string& code) { code_ = code; }
    virtual void SetTagText(const std::string& tag) { tag_ = tag; }
    virtual std::string GetCode() const { return code_; }
    virtual std::string GetTagText() const { return tag_; }
    // " " + Tag + " ", or "<>" without a tag.
    void GetFieldText(bool measuring, std::string& text) override;
    void WriteHTML(TStream& stream) override;
    void WriteProperties(TRtComponentWriter& writer) const override;
    bool ReadProperty(const std::string& name, const TRtPropertyValue& value) override;

private:
    std::string code_;
    std::string tag_;  // published as "Tag"
};

// The process-wide routine that computes a field's text; DefaultFieldText
// unless the application installs another.
using TRtFieldTextRoutine = void (*)(TRtObjectField& field, std::string& text);
extern TRtFieldTextRoutine RtFieldTextRoutine;
void DefaultFieldText(TRtObjectField& field, std::string& text);
