// TRtRTFText: the text's operations on object references: sizes, the display
// text of text codes, loading referenced objects, owned and pending objects.
#include "richtext/model/RtRTFText.h"

#include "foundation/Codepage1252.h"
#include "foundation/Exceptions.h"
#include "foundation/FormatText.h"
#include "richtext/model/RtCustomRtfEditClass.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectBase.h"

#include <algorithm>
#include <cctype>

namespace {

// True when the format holds exactly one integer conversion (%d, %u or %x
// with an optional "-", width and precision) besides "%%".
bool IsSinglePageNumberFormat(const std::string& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (++i < format.size() && format[i] == '%') continue;
        if (i < format.size() && format[i] == '-') ++i;
        while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i;
        if (i < format.size() && format[i] == '.') {
            ++i;
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) ++i;
        }
        if (i >= format.size()) return false;
        const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        if (type != 'd' && type != 'u' && type != 'x') return false;
        ++conversions;
    }
    return conversions == 1;
}

}  // namespace

std::string FormatPageNumber(int32_t number, const std::string& format) {
    const std::string use = format.empty() ? std::string("%d") : format;
    if (!IsSinglePageNumberFormat(use)) return std::to_string(number);
    try {
        return UnicodeToAnsi(FormatText(AnsiToUnicode(use), {number}));
    } catch (const Exception&) {
        return std::to_string(number);
    }
}

void TRtRTFText::SetObjectSize(TTextObj* reference, int32_t width, int32_t height) {
    const int32_t id = objRefs_->FindObjectId(reference);
    if (id == 0) return;
    reference->width = width;
    reference->height = height;
    if (reference->kind == tokParRelative || reference->kind == tokPageRelative) {
        InvalidateObject(reference);
        RepaintAll();
        return;
    }
    if (reference->kind != tokInFlow) return;
    const int32_t filter = ReferenceFilter;
    ReferenceFilter = id;
    InvalidateParsWithAttr(afsIsObject);
    ReferenceFilter = filter;
    Refresh(true);
}

void TRtRTFText::GetReferenceText(TTextObj* reference, TParagraph* par, std::string& text, char code, int32_t index,
                                  TLine* line) {
    text.clear();
    if (!reference || reference->kind != tokTextCode) return;
    if (reference->subKind != tosPageRef) {
        text = reference->subKind == tosBookmark ? reference->name : reference->extra;
        if (OnCodeGetText) {
            OnCodeGetText(Editor, text, reference->name, reference->extra, code == kCodeOpenChar,
                          code == kCodeCloseChar, reference, par, line, index);
        }
        return;
    }
    if (ViewOptions & rtShowReferenceObjects) {
        text = "<PAGEREF " + reference->name + ">";
        if (!reference->extra.empty()) text += " " + reference->extra;
        return;
    }
    bool done = false;
    if (OnReferenceGetText) OnReferenceGetText(Editor, reference->name, reference->extra, reference, text, done);
    if (done) return;
    std::vector<int32_t> bookmarks;
    objRefs_->CollectNamedRefs(reference->name, tosBookmark, &bookmarks);
    for (const TParagraph* p = first_; p; p = p->next) {
        for (const TLine* l = p->firstLine; l; l = l->next) {
            if (!l->HasAttrs()) continue;
            for (uint32_t i = 0; i < l->Length(); ++i) {
                const char c = l->CharAt(i);
                if (c != kCodeOpenChar && c != kCodeCloseChar && c != kObjectChar) continue;
                const TAttr& f = attrs_.Format(l->FormatAt(i));
                if (!(f.style & afsIsObject)) continue;
                if (std::find(bookmarks.begin(), bookmarks.end(), f.reference) == bookmarks.end()) continue;
                text = FormatPageNumber(l->pageNumber + 1, reference->extra);
                return;
            }
        }
    }
    text = "[?]";
}

void TRtRTFText::ResolveObjectReferences() {
    for (TRtListItem* i = objRefs_->FirstItem(); i; i = i->next) {
        TTextObj& ref = static_cast<TRtObjReferenceItem*>(i)->obj;
        TRtObjectBase* object = ref.object;
        if (!object || object->Loaded) continue;
        object->SetSlot(&ref.object);
        object->SetReference(&ref);
        bool flag = false;
        TRtObjectBase* given = object;
        if (OnObjectRequest) OnObjectRequest(given, flag);
        if (given != object) {
            // The reference owns its object: a replaced one goes.
            ref.object = given;
            object->SetSlot(nullptr);
            delete object;
            if (given) {
                given->SetOwningText(this);
                given->SetSlot(&ref.object);
            }
        }
        if (ref.object) {
            ref.object->Loaded = !flag;
            ref.object->SetReference(&ref);
        }
    }
}

void TRtRTFText::RemovePendingObject(TTextObj* reference) { std::erase(pendingObjects_, reference); }

void TRtRTFText::FireTextObjectDestroying(TRtObjectBase& object) {
    if (OnTextObjectDestroying && !(Editor && Editor->IsDestroying())) OnTextObjectDestroying(Editor, object);
}

void TRtRTFText::FreeOwnedObjects() noexcept {
    try {
        ownedObjects_.clear();
    } catch (...) {
    }
}
