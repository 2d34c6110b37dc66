#include "richtext/model/RtObjectField.h"

#include "foundation/Codepage1252.h"
#include "foundation/Stream.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/RtCustomRtfEditClass.h"
#include "richtext/model/RtRTFText.h"

#include <QtCore/QDate>
#include <QtCore/QLocale>
#include <QtCore/QTime>

#include <algorithm>

TRtFieldTextRoutine RtFieldTextRoutine = &DefaultFieldText;

namespace {

const char* const kFrameOptionNames[] = {"rtfoBox", "rtfoCornersLeft", "rtfoCornersRight", "rtfoBackColor",
                                         "rtfoFrameColor"};

std::vector<std::string> FrameOptionNames(uint8_t options) {
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i) {
        if (options & (1u << i)) names.emplace_back(kFrameOptionNames[i]);
    }
    return names;
}

// The widest text a page number up to `count` can take.
std::string Widest(int32_t count) {
    std::string digits = std::to_string(std::max(count, 1));
    std::fill(digits.begin(), digits.end(), '9');
    return digits;
}

}  // namespace

void TRtObjectField::GetFieldText(bool measuring, std::string& text) {
    Measuring = measuring;
    text.clear();
    bool done = false;
    TRtRTFText* owner = OwningText();
    if (owner && owner->Editor && owner->Editor->OnTextFieldGetText) {
        owner->Editor->OnTextFieldGetText(owner->Editor, *this, text, done);
    }
    if (!done && RtFieldTextRoutine) RtFieldTextRoutine(*this, text);
    if (text.empty()) text = "<" + FieldName + ">";
    Measuring = false;
}

void TRtObjectField::AskBounds() {
    BoundsWidth = BoundsHeight = BoundsBaseLine = -1;
    TRtRTFText* owner = OwningText();
    if (owner && owner->Editor && owner->Editor->OnTextFieldGetBounds) {
        owner->Editor->OnTextFieldGetBounds(owner->Editor, *this, BoundsWidth, BoundsHeight, BoundsBaseLine);
    }
}

int32_t TRtObjectField::GetContentWidth() {
    AskBounds();
    return BoundsWidth;
}

int32_t TRtObjectField::GetContentHeight() {
    AskBounds();
    return BoundsHeight;
}

void TRtObjectField::WriteProperties(TRtComponentWriter& w) const {
    TRtObject::WriteProperties(w);
    if (!FieldName.empty()) w.WriteString("FieldName", FieldName);
    if (!FieldMask.empty()) w.WriteString("FieldMask", FieldMask);
}

bool TRtObjectField::ReadProperty(const std::string& name, const TRtPropertyValue& v) {
    if (name == "FieldName" && v.kind == TRtPropertyValue::Kind::Text) {
        FieldName = v.text;
        return true;
    }
    if (name == "FieldMask" && v.kind == TRtPropertyValue::Kind::Text) {
        FieldMask = v.text;
        return true;
    }
    return TRtObject::ReadProperty(name, v);
}

TRtTagField::TRtTagField() {
    FrameOptions = rtfoCornersLeft | rtfoCornersRight | rtfoBackColor | rtfoFrameColor;
    FrameColor = gdi::SystemColor(gdi::COLOR_BTNFACE);
    FieldBackColor = RtEngine().DefaultTextColor;
    OptionByte = 1;
}

void TRtTagField::GetFieldText(bool, std::string& text) { text = tag_.empty() ? "<>" : " " + tag_ + " "; }

void TRtTagField::WriteHTML(TStream& stream) {
    if (!code_.empty()) stream.WriteBuffer(code_.data(), static_cast<int64_t>(code_.size()));
}

void TRtTagField::WriteProperties(TRtComponentWriter& w) const {
    TRtObjectField::WriteProperties(w);
    if (!code_.empty()) w.WriteString("Code", code_);
    if (!tag_.empty()) w.WriteString("Tag", tag_);
    w.WriteSet("BoxOpt", FrameOptionNames(FrameOptions));
}

bool TRtTagField::ReadProperty(const std::string& name, const TRtPropertyValue& v) {
    using K = TRtPropertyValue::Kind;
    if (name == "Code" && v.kind == K::Text) {
        code_ = v.text;
    } else if (name == "Tag" && v.kind == K::Text) {
        tag_ = v.text;
    } else if (name == "BoxOpt" && v.kind == K::Set) {
        FrameOptions = 0;
        for (const std::string& e : v.names) {
            const auto it = std::find(std::begin(kFrameOptionNames), std::end(kFrameOptionNames), e);
            if (it != std::end(kFrameOptionNames)) FrameOptions |= uint8_t(1u << (it - std::begin(kFrameOptionNames)));
        }
    } else {
        return TRtObjectField::ReadProperty(name, v);
    }
    return true;
}

void DefaultFieldText(TRtObjectField& field, std::string& text) {
    TRtRTFText* owner = field.OwningText();
    const bool printing = owner && owner->Printing;
    const int32_t page = (owner ? (printing ? owner->PrintPage : owner->PaintPage) + owner->PageNumberOffset : 0);
    const int32_t count = owner ? (printing ? owner->PrintPageCount : owner->CountPages()) : 0;
    const std::string& name = field.FieldName;
    const bool pageField = SameTextAscii(name, "PAGE") || SameTextAscii(name, "NEXTPAGE") ||
                           SameTextAscii(name, "PRIORPAGE");
    if (pageField || SameTextAscii(name, "NUMPAGES")) field.PageDependent = true;
    if (pageField && field.Measuring && !printing) {
        text = Widest(count);
    } else if (SameTextAscii(name, "PAGE")) {
        text = std::to_string(page);
    } else if (SameTextAscii(name, "NEXTPAGE")) {
        text = std::to_string(page + 1);
    } else if (SameTextAscii(name, "PRIORPAGE")) {
        text = page <= 1 ? " " : std::to_string(page - 1);
    } else if (SameTextAscii(name, "NUMPAGES")) {
        text = std::to_string(count);
    } else if (SameTextAscii(name, "TIME")) {
        text = UnicodeToAnsi(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
    } else if (SameTextAscii(name, "DATE")) {
        text = UnicodeToAnsi(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    } else if (SameTextAscii(name, "PARNUM")) {
        text = std::to_string(field.ParNumber + 1);
    } else {
        text.clear();
    }
}
