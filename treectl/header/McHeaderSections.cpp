#include "treectl/header/McHeaderSections.h"

#include "treectl/header/McSectionsOwner.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

// The seed of new section ids: distinct for every section made in this run.
std::atomic<int32_t> nextSectionSeed{1};

}  // namespace

TMcHeaderSections::~TMcHeaderSections() { Clear(); }

TMcHeaderSection* TMcHeaderSections::CreateSection() { return new TMcHeaderSection(this); }

TMcHeaderSection* TMcHeaderSections::FindSectionByIndex(int32_t index) const {
    for (TMcHeaderSection* s : sections_) {
        if (s->index_ == index) return s;
    }
    return nullptr;
}

TMcHeaderSection* TMcHeaderSections::FindSectionById(int32_t id) const {
    for (TMcHeaderSection* s : sections_) {
        if (s->sectionId_ == id) return s;
    }
    return nullptr;
}

int32_t TMcHeaderSections::FreeIndex() const {
    int32_t index = 0;
    while (FindSectionByIndex(index)) ++index;
    return index;
}

int32_t TMcHeaderSections::FreeSectionId(const TMcHeaderSection* section) const {
    int32_t id = nextSectionSeed.fetch_add(1);
    while (true) {
        const TMcHeaderSection* holder = FindSectionById(id);
        if (!holder || holder == section) return id;
        ++id;
    }
}

void TMcHeaderSections::Renumber() {
    for (int32_t p = 0; p < Count(); ++p) sections_.At(p)->index_ = p;
}

TMcHeaderSection* TMcHeaderSections::InsertSection(int32_t position) {
    if (position < 0 || position > Count()) sections_.Insert(position, nullptr);  // the list's index error
    TMcHeaderUpdate update(header_);
    TMcHeaderSection* section = CreateSection();
    section->collection_ = this;
    section->index_ = FreeIndex();
    section->sectionId_ = FreeSectionId(section);
    sections_.Insert(position, section);
    if (header_) {
        header_->InvalidateFrom(section->index_);
        header_->DoSectionCreate(section);
    }
    return section;
}

void TMcHeaderSections::DeleteSection(TMcHeaderSection* section) {
    if (!section || PositionOf(section) < 0) throw EMcError("Invalid section");
    TMcHeaderUpdate update(header_);
    sections_.Remove(section);
    Renumber();
    if (header_) header_->DoSectionDelete(section);
    delete section;
    if (header_ && header_->HasWindow()) header_->InvalidateHeader();
}

void TMcHeaderSections::MoveSection(TMcHeaderSection* section, int32_t newPos) {
    const int32_t oldPos = PositionOf(section);
    if (oldPos < 0) throw EMcError("Invalid section");
    TMcHeaderUpdate update(header_);
    sections_.Move(oldPos, newPos);
    if (header_) {
        header_->DoSectionMove(section, oldPos, newPos);
        if (header_->HasWindow()) header_->InvalidateHeader();
    }
}

void TMcHeaderSections::Clear() {
    while (Count() > 0) {
        TMcHeaderSection* first = sections_.At(0);
        sections_.DeleteAt(0);
        delete first;
    }
    sections_.Clear();
}

void TMcHeaderSections::Assign(const TMcHeaderSections& source) {
    if (&source == this) return;
    while (Count() > 0) DeleteSection(sections_.At(0));
    for (int32_t index = 0; index < source.Count(); ++index) {
        TMcHeaderSection* copy = AddSection();
        if (const TMcHeaderSection* original = source.Item(index)) copy->Assign(*original);
    }
    if (header_) header_->SaveProportions();
}

void TMcHeaderSections::ReverseOrder() {
    std::vector<TMcHeaderSection*> reversed(sections_.begin(), sections_.end());
    std::reverse(reversed.begin(), reversed.end());
    for (int32_t p = 0; p < Count(); ++p) sections_.Put(p, reversed[static_cast<size_t>(p)]);
}

TMcHeaderSection* TMcHeaderSections::LastVisibleSection() const {
    if (Count() == 0) return nullptr;
    TMcHeaderSection* last = sections_.At(Count() - 1);
    return last->Visible() ? last : PrevVisibleSection(last);
}

TMcHeaderSection* TMcHeaderSections::PrevVisibleSection(const TMcHeaderSection* section) const {
    for (int32_t p = PositionOf(section) - 1; p >= 0; --p) {
        if (sections_.At(p)->Visible()) return sections_.At(p);
    }
    return nullptr;
}

// ---- geometry of the sticky layout

int32_t TMcHeaderSections::SectionsWidth() const {
    int32_t right = 0;
    for (TMcHeaderSection* s : sections_) {
        if (s->Visible()) right += s->width_;
    }
    return right;
}

int32_t TMcHeaderSections::ResizableWidth(int32_t headerWidth) const {
    int32_t width = headerWidth;
    for (TMcHeaderSection* s : sections_) {
        if (s->Visible() && !s->resizable_) width -= s->width_;
    }
    return width;
}

void TMcHeaderSections::SaveProportions(int32_t headerWidth) {
    const int32_t resizable = ResizableWidth(headerWidth);
    for (TMcHeaderSection* s : sections_) {
        if (!s->resizable_ || !s->Visible()) continue;
        s->proportion_ = resizable == 0 ? 0.0f : static_cast<float>(s->width_) / static_cast<float>(resizable);
    }
}

void TMcHeaderSections::InitProportions(int32_t headerWidth) {
    int32_t resizable = ResizableWidth(headerWidth);
    if (resizable == 0) resizable = 1;
    for (TMcHeaderSection* s : sections_) {
        s->proportion_ = s->Visible() && s->resizable_ ? static_cast<float>(s->width_) / static_cast<float>(resizable) : 0.0f;
    }
}

void TMcHeaderSections::FitSections(TMcHeaderSection* except, int32_t clientWidth) {
    const int32_t cw = clientWidth;
    // Steps 1 and 2: take the surplus from the last sections, the resizable ones first.
    for (const bool fixedPass : {false, true}) {
        while (cw > 0 && SectionsWidth() >= cw) {
            TMcHeaderSection* shrink = nullptr;
            for (int32_t p = Count() - 1; p >= 0 && !shrink; --p) {
                TMcHeaderSection* s = sections_.At(p);
                const bool fixed = !s->resizable_ || s == except;
                if (s->Visible() && s->width_ > 0 && fixed == fixedPass) shrink = s;
            }
            if (!shrink) break;
            if (fixedPass && shrink->savedWidth_ == -1) shrink->savedWidth_ = shrink->width_;
            // Down to cw - 1 in all, or to nothing when that is not enough.
            shrink->width_ = std::max(0, shrink->width_ + cw - SectionsWidth() - 1);
        }
    }
    // Step 3: fixed sections that gave way get their width back as room allows.
    if (SectionsWidth() < cw - 1) {
        for (int32_t p = Count() - 1; p >= 0; --p) {
            TMcHeaderSection* s = sections_.At(p);
            if (!s->Visible() || s->resizable_ || s->savedWidth_ == -1 || s->width_ >= s->savedWidth_) continue;
            s->width_ = std::min(s->width_ + cw - SectionsWidth() - 1, s->savedWidth_);
            if (s->width_ != s->savedWidth_) break;
            s->savedWidth_ = -1;
        }
    }
    // Step 4: the last resizable section takes what is left.
    if (cw <= 0) return;
    for (int32_t p = Count() - 1; p >= 0; --p) {
        TMcHeaderSection* s = sections_.At(p);
        if (!s->Visible() || !s->resizable_ || s == except) continue;
        s->width_ = std::max(0, s->width_ + cw - SectionsWidth() - 1);
        break;
    }
}
