// TRtRTFText: creation, clearing, subscribers, attribute access and the
// general services of the document object.
#include "richtext/model/RtRTFText.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/Canvas.h"
#include "richtext/model/EngineSettings.h"
#include "richtext/model/RtFootnoteList.h"
#include "richtext/model/RtInsertpointList.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtRTFExtraData.h"
#include "richtext/model/RtRTFNumberingStyle.h"
#include "richtext/model/RtSpecialTextProperty.h"
#include "richtext/model/RtTableList.h"
#include "richtext/model/RtUndoStack.h"
#include "richtext/model/TextHeader.h"

#include <QtCore/QDate>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QTime>

#include <algorithm>
#include <cctype>

namespace {

constexpr int32_t kDefaultMeasureTables = 50;
constexpr int32_t kFirstParCapacity = 40;

// Runs a function when the scope ends, also by an exception.
template <typename F>
class TFinally {
public:
    explicit TFinally(F f) : f_(std::move(f)) {}
    ~TFinally() { f_(); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

private:
    F f_;
};

}  // namespace

TRtRTFText::TRtRTFText()
    : header_(std::make_unique<TTextHeader>()),
      tables_(std::make_unique<TRtTableList>()),
      footnotes_(std::make_unique<TRtFootnoteList>()),
      objRefs_(std::make_unique<TRtObjReferenceList>(this)),
      insertpoints_(std::make_unique<TRtInsertpointList>()),
      extraData_(std::make_unique<TRtRTFExtraDataCollection>(this)),
      numberStyles_(std::make_unique<TRtRTFNumberingStyleCollection>(this)),
      headerFooters_(std::make_unique<TRtHeaderFooterCollection>(*this)) {
    header_->UsedUnit = UnitIn;
    header_->RichMode = true;
    header_->OnChange = [this](int) { Refresh(true); };
    header_->OnTabTableFull = [this] { DropUnreferencedTabs(); };
    InsertPointAttr.SetTextColor(0x0000FF);
    HiddenTextAttr.SetHidden(true);
    HyperlinkTextAttr.SetUnderline(tsTRUE);
    HyperlinkTextAttr.SetUnderlineColor(0xFF0000);
    BookmarkTextAttr.SetUnderline(tsTRUE);
    BookmarkTextAttr.SetUnderlineColor(0x008000);
    for (TCharacterAttr* a : {&InsertPointAttr, &HiddenTextAttr, &AutomaticTextAttr, &HyperlinkTextAttr,
                              &ProtectedTextAttr, &BookmarkTextAttr, &FieldObjectTextAttr}) {
        a->OnChange = [this](uint32_t kindSet, bool relayout) {
            if (!InvalidateParsWithAttr(kindSet)) return;
            if (relayout) {
                Refresh(true);
            } else {
                RepaintAll();
            }
        };
    }
    ScreenResolution = gdi::ScreenCaps().logPixelsY;
    CurrentAttr.size = static_cast<uint8_t>(RtEngine().DefaultFontSize);
    SetMeasureTableCount(kDefaultMeasureTables);
    TParagraph* par = nullptr;
    InsertParagraphAfter(par, kFirstParCapacity);
    first_ = par;
    Cursor = {par, par->firstLine, 0};
    numberStyles_->ResetDefaults(true);
}

TRtRTFText::~TRtRTFText() {
    try {
        ClearUndo();
        if (outsideUndoStack_) outsideUndoStack_->UnlinkComponent(UndoSource());
    } catch (...) {
    }
    ownUndoStack_.reset();
    if (EditedKind != 0) {
        // The body is aside while a header or footer is edited.
        FreeParagraphChain(first_);
        first_ = bodyFirst_;
        bodyFirst_ = nullptr;
    }
    ClearHeaderFooters();
    FreeOwnedObjects();
    FreeParagraphChain(first_);
    first_ = nullptr;
    objRefs_.reset();
}

bool TRtRTFText::IsAttrMode() const { return header_->RichMode; }

// ---- subscribers

int32_t TRtRTFText::Subscribe(TChangeListener listener) {
    listeners_.push_back({nextListenerId_, std::move(listener)});
    return nextListenerId_++;
}

void TRtRTFText::Unsubscribe(int32_t id) {
    std::erase_if(listeners_, [id](const TListener& l) { return l.id == id; });
}

void TRtRTFText::Notify(const TTextChange& change) {
    if (listeners_.empty() || muteNotify_ > 0) return;
    const std::vector<TListener> listeners = listeners_;
    for (const TListener& l : listeners) l.listener(change);
}

void TRtRTFText::NotifyRange(const TParagraph* par, int32_t offset, int32_t removed, int32_t added) {
    if (listeners_.empty() || !par) return;
    Notify({par->index, offset, removed, added, false});
}

void TRtRTFText::NotifyParagraph(const TParagraph* par) {
    if (listeners_.empty() || !par) return;
    const int32_t n = ParagraphLength(par) + 1;
    Notify({par->index, 0, n, n, false});
}

void TRtRTFText::NotifyReset() { Notify({0, 0, 0, 0, true}); }

// ---- clearing

void TRtRTFText::Clear() {
    if (busy_) return;
    busy_ = true;
    TFinally finish([this] {
        if (!first_) FreeAllParagraphs(true);
        first_->MarkChanged();
        busy_ = false;
        NotifyReset();
        Refresh(true);
    });
    if (EditedKind != 0) {
        busy_ = false;
        SwitchEditedText(0);
        busy_ = true;
    }
    tables_->Clear();
    footnotes_->Clear();
    numberStyles_->ResetDefaults(true);
    if (!(ClearKeep & ckHeaderFooter)) ClearHeaderFooters();
    if (!(ClearKeep & ckFonts)) {
        for (TRtFontEntry& f : header_->Fonts) f = TRtFontEntry{};
    }
    extraData_->ClearForText();
    insertpoints_->Clear();
    pendingObjects_.clear();
    objRefs_->Clear();
    if (!(ClearKeep & ckUndo)) ClearUndo();
    FreeAllParagraphs(false);
    InitMeasureTable();
    idCounter_ = 0;
    if (!(ClearKeep & ckPageSettings)) header_->ResetToDefaults();
    pageCountValid_ = false;
}

void TRtRTFText::ClearPositions() {
    Cursor = {first_, first_ ? first_->firstLine : nullptr, 0};
    SelStart = SelEnd = {};
    MarkedCount = 0;
}

// ---- attributes

TAttr TRtRTFText::GetAttr(const TLine* line, int32_t index) const {
    if (!line || !line->HasAttrs() || index < 0 || uint32_t(index) >= line->Capacity()) return CurrentAttr;
    return attrs_.Get(line->FormatAt(uint32_t(index)), line->WidthAt(uint32_t(index)));
}

uint32_t TRtRTFText::StyleAt(const TLine* line, int32_t index) const {
    if (!line || !line->HasAttrs() || index < 0 || uint32_t(index) >= line->Capacity()) return CurrentAttr.style;
    return attrs_.StyleOf(line->FormatAt(uint32_t(index)));
}

void TRtRTFText::PutAttr(TLine* line, int32_t index, const TAttr& attr) {
    if (!line || !line->HasAttrs() || index < 0 || uint32_t(index) >= line->Capacity()) return;
    line->SetFormatAt(uint32_t(index), attrs_.Intern(attr));
    line->SetWidthAt(uint32_t(index), attr.width);
}

void TRtRTFText::SetCharAttr(TLine* line, int32_t index, const TAttr& attr) {
    if (!line || !line->HasAttrs() || index < 0 || uint32_t(index) >= line->Capacity() || FullText) return;
    TAttr a = attr;
    const TRtMeasureTable& table = MeasureTable();
    const uint8_t ch = static_cast<uint8_t>(line->CharAt(uint32_t(index)));
    a.width = static_cast<uint16_t>(table[ch == uint8_t(kTabChar) ? ' ' : ch]);
    a.height = static_cast<uint16_t>(table[kMeasureLineHeight]);
    a.baseLine = static_cast<uint16_t>(table[kMeasureBaseLine]);
    PutAttr(line, index, a);
}

void TRtRTFText::SetTextMode(int32_t mode) {
    if (busy_ || !first_ || (mode == 0) == IsAttrMode()) return;
    const uint32_t format = FormatOf(CurrentAttr);
    const TRtMeasureTable& table = MeasureTable();
    std::vector<TLine*> lines;
    for (TParagraph* p = first_; p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) lines.push_back(l);
    }
    if (mode == 0) {
        size_t made = 0;
        try {
            for (TLine* l : lines) {
                l->Reallocate(l->Capacity(), true, format);
                for (uint32_t i = 0; i < l->Length(); ++i) l->SetWidthAt(i, uint16_t(table[uint8_t(l->CharAt(i))]));
                l->height = CurrentAttr.height;
                l->baseLine = CurrentAttr.baseLine;
                ++made;
            }
        } catch (const std::bad_alloc&) {
            for (size_t i = 0; i < made; ++i) lines[i]->Reallocate(lines[i]->Capacity(), false);
            return;
        }
        header_->RichMode = true;
    } else {
        for (TLine* l : lines) {
            l->Reallocate(l->Capacity(), false);
            l->height = static_cast<uint16_t>(table[kMeasureLineHeight]);
            l->baseLine = static_cast<uint16_t>(table[kMeasureBaseLine]);
        }
        header_->RichMode = false;
    }
    for (TParagraph* p = first_; p; p = p->next) p->MarkChanged();
    NotifyReset();
    Refresh(true);
}

bool TRtRTFText::InvalidateParsWithAttr(uint32_t mask) {
    if (!IsAttrMode() || busy_) return false;
    const uint32_t bits = mask & (afsIsInsertpoint | afsAutomatic | afsHyperLink | afsHidden | afsIsObject);
    if (!bits) return false;
    busy_ = true;
    bool any = false;
    for (TParagraph* p = first_; p; p = p->next) {
        bool hit = false;
        for (TLine* l = p->firstLine; l && !hit; l = l->next) {
            if (!l->HasAttrs()) continue;
            for (uint32_t i = 0; i < l->Length() && !hit; ++i) {
                const TAttr& f = attrs_.Format(l->FormatAt(i));
                if (!(f.style & bits)) continue;
                const bool objectOnly = (f.style & bits) == afsIsObject;
                hit = !(objectOnly && ReferenceFilter != 0 && f.reference != ReferenceFilter);
            }
        }
        if (hit) {
            p->MarkChanged();
            NotifyParagraph(p);
            any = true;
        }
    }
    busy_ = false;
    return any;
}

void TRtRTFText::MarkAttrDifferences(const TAttr& ref, uint32_t mask, TParagraph* par) {
    if (!IsAttrMode() || !par) return;
    for (TLine* l = par->firstLine; l; l = l->next) {
        if (!l->HasAttrs()) continue;
        for (uint32_t i = 0; i < l->Length(); ++i) {
            TAttr a = attrs_.Get(l->FormatAt(i), l->WidthAt(i));
            const uint32_t before = a.style;
            const auto differs = [&](uint32_t bit) { return (a.style & bit) != (ref.style & bit); };
            if ((mask & 0x01) && differs(afsBold)) a.style |= afsParStyleBold;
            if ((mask & 0x02) && differs(afsItalic)) a.style |= afsParStyleItalic;
            if ((mask & 0x04) && differs(afsUnderline)) a.style |= afsParStyleUnderline;
            if ((mask & 0x08) && a.font != ref.font) a.style |= afsParStyleFont;
            if ((mask & 0x10) && a.size != ref.size) a.style |= afsParStyleSize;
            if ((mask & 0x20) && a.textColor != ref.textColor) a.style |= afsParStyleColor;
            if ((mask & 0x40) && a.backColor != ref.backColor) a.style |= afsParStyleBGColor;
            if (a.style != before) PutAttr(l, int32_t(i), a);
        }
    }
}

std::string TRtRTFText::GetWordAt(TLine* line, int32_t offset) const {
    const auto& delimiters = RtEngine().WordDelimiters;
    const auto isBreak = [&](char c) { return uint8_t(c) <= 32 || delimiters[uint8_t(c)]; };
    uint32_t i = uint32_t(std::max(offset, 0));
    // Skip what separates words, crossing pieces.
    while (line) {
        while (i < line->Length() && isBreak(line->CharAt(i))) ++i;
        if (i < line->Length()) break;
        line = line->next;
        i = 0;
    }
    std::string word;
    while (line) {
        while (i < line->Length() && !isBreak(line->CharAt(i))) word += line->CharAt(i++);
        if (i < line->Length()) break;
        line = line->next;
        i = 0;
    }
    return word;
}

// ---- selection and small services

void TRtRTFText::CheckSelectionChange() {
    if (!OnChangeSelection) return;
    if (SelStart == lastSelStart_ && SelEnd == lastSelEnd_) return;
    lastSelStart_ = SelStart;
    lastSelEnd_ = SelEnd;
    MarkedCount = 0;
    for (const TParagraph* p = first_; p; p = p->next) MarkedCount += p->Has(pfMarked) ? 1 : 0;
    SelectionChanged = true;
}

void TRtRTFText::ClearSelection() {
    SelStart = SelEnd = {};
    for (TParagraph* p = first_; p; p = p->next) {
        for (TLine* l = p->firstLine; l; l = l->next) l->flags &= ~(lfInSelection | lfWhollySelected);
    }
}

uint32_t TRtRTFText::GetColor(int32_t index) const {
    return index >= 0 && index <= 254 ? header_->Colors[static_cast<size_t>(index)].Rgb() : 0;
}

int32_t TRtRTFText::FindOrAddName(const char* name) {
    if (!name) return 0;
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    const auto it = std::find(names_.begin(), names_.end(), lower);
    if (it != names_.end()) return static_cast<int32_t>(it - names_.begin()) + 1;
    names_.push_back(lower);
    return static_cast<int32_t>(names_.size());
}

std::string TRtRTFText::GetNameByIndex(int32_t index) const {
    return index >= 1 && index <= static_cast<int32_t>(names_.size()) ? names_[static_cast<size_t>(index - 1)]
                                                                      : std::string();
}

bool TRtRTFText::CountDecimalTabs(const char*, const TParagraph* par, const TLine* line) const {
    if (!par || (line && line->prev)) return false;
    int count = 0;
    for (int i = 0; i < kTabSlots; ++i) {
        const TRtTabSlot& tab = header_->Tabs[i];
        if ((par->tabs >> i & 1) && tab.position != 0 && tab.kind == 3) ++count;
    }
    return count == 1;
}

void TRtRTFText::DropUnreferencedTabs() {
    uint64_t defined = 0;
    for (int i = 0; i < kTabSlots; ++i) {
        if (header_->Tabs[i].position != 0) defined |= uint64_t(1) << i;
    }
    uint64_t used = 0;
    const auto collect = [&used](const TParagraph* chain) {
        for (const TParagraph* p = chain; p; p = p->next) used |= p->tabs;
    };
    collect(first_);
    collect(bodyFirst_);
    for (const auto& item : headerFooters_->Items()) collect(item->Paragraphs());
    if ((defined & ~used) == 0) {
        if (OnTabChange) OnTabChange(2);
        return;
    }
    for (int i = 0; i < kTabSlots; ++i) {
        if ((defined >> i & 1) && !(used >> i & 1)) header_->Tabs[i] = TRtTabSlot{};
    }
    header_->SortTabs();
}

void TRtRTFText::ReportStatus(int32_t kind) {
    if (!OnSetStatusString) return;
    std::string text;
    switch (kind) {
    case 0:
        if (!progress_.empty()) text = std::to_string(progress_.back().position) + "%";
        break;
    case 5:
        if (InsertMode) text = "INS";
        break;
    case 8: {
        int32_t x = 0;
        if (Cursor.line && Cursor.line->HasAttrs()) {
            for (int32_t i = 0; i < Cursor.offset && uint32_t(i) < Cursor.line->Length(); ++i) {
                x += Cursor.line->WidthAt(uint32_t(i));
            }
        }
        text = std::to_string(ScaleByZoom(x));
        break;
    }
    case 9: text = std::to_string(ScaleByZoom(Cursor.line ? Cursor.line->yPos : 0)); break;
    case 10: text = UnicodeToAnsi(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)); break;
    case 11: text = UnicodeToAnsi(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat)); break;
    case 12: text = std::to_string(Cursor.line ? Cursor.line->pageNumber + 1 : 1); break;
    case 13: text = std::to_string(Cursor.par ? Cursor.par->index + 1 : 1); break;
    case 15: text = header_->Fonts[CurrentAttr.font].name; break;
    case 20: text = FileName; break;
    case 21: text = UnicodeToAnsi(QFileInfo(AnsiToUnicode(FileName)).path()); break;
    default: break;
    }
    OnSetStatusString(Editor, kind, text);
}
