#include "richtext/model/RtCustomList.h"

#include "foundation/Codepage1252.h"
#include "richtext/model/AttrTable.h"
#include "richtext/model/Paragraph.h"
#include "richtext/model/RtEngineErrors.h"

#include <algorithm>

TRtCustomList::~TRtCustomList() {
    // Items of every owner go; FreeItem of a subclass is no longer reachable here.
    while (first_) {
        TRtListItem* item = first_;
        first_ = item->next;
        delete item;
    }
}

void TRtCustomList::FreeItem(TRtListItem* item) { delete item; }

TRtListItem* TRtCustomList::CopyItem(const TRtListItem& item) const {
    TRtListItem* copy = InitItem();
    copy->value = item.value;
    copy->flags = item.flags;
    copy->ownerTag = item.ownerTag;
    return copy;
}

TRtListItem* TRtCustomList::InitItem() const { return new TRtListItem(); }

std::string TRtCustomList::GetItemText(const TRtListItem&) const { return {}; }

void TRtCustomList::SetItemText(TRtListItem&, const std::string&) {}

int32_t TRtCustomList::Add() {
    if (ReuseCurrent && current_) return currentId_;
    TRtListItem* item = InitItem();
    item->ownerTag = OwnerFilter;
    return Link(item);
}

TRtListItem* TRtCustomList::AddItem() { return Find(Add()); }

TRtListItem* TRtCustomList::DeleteLast() {
    if (last_) Remove(last_);
    return last_;
}

int32_t TRtCustomList::Release(int32_t id) {
    TRtListItem* item = Find(id);
    if (!item) return 0;
    const int32_t count = --item->refCount;
    if (count < 0 && AutoFree) Remove(item);
    return count;
}

void TRtCustomList::Assign(const TRtCustomList& other) {
    if (other.ItemSize() != ItemSize()) throw ERtEngineModeError("TRtList was not created with correct Item");
    Clear();
    highestId_ = other.highestId_;
    for (const TRtListItem* i = other.first_; i; i = i->next) {
        TRtListItem* copy = CopyItem(*i);
        copy->id = i->id;
        copy->refCount = i->refCount;
        copy->source = i;
        copy->prev = last_;
        if (last_) last_->next = copy; else first_ = copy;
        last_ = copy;
    }
}

TRtListItem* TRtCustomList::First() {
    MakeCurrent(first_);
    return current_;
}

TRtListItem* TRtCustomList::Last() {
    MakeCurrent(last_);
    return current_;
}

TRtListItem* TRtCustomList::Next() {
    MakeCurrent(current_ ? current_->next : nullptr);
    return current_;
}

TRtListItem* TRtCustomList::Prev() {
    MakeCurrent(current_ ? current_->prev : nullptr);
    return current_;
}

TRtListItem* TRtCustomList::Current() { return current_; }

int32_t TRtCustomList::AddNamedItem(const std::string& name, uint8_t kind, int32_t value) {
    TRtListItem* item = AddItem();
    if (!item) return 0;
    SetItemText(*item, name);
    item->value = value;
    return item->id;
}

void TRtCustomList::MakeCurrent(TRtListItem* item) {
    current_ = item;
    currentId_ = item ? item->id : 0;
    atEnd_ = item == nullptr;
}

TRtListItem* TRtCustomList::Find(int32_t id) {
    TRtListItem* found = nullptr;
    if (id > 0) {
        if (cache_ && cacheId_ == id) {
            found = cache_;
        } else if (last_ && last_->id == id) {
            found = last_;
        } else if (cache_ && cache_->prev && cache_->prev->id == id) {
            found = cache_->prev;
        } else if (cache_ && cache_->next && cache_->next->id == id) {
            found = cache_->next;
        } else {
            found = FindIf([id](const TRtListItem& i) { return i.id == id; });
        }
    }
    if (found) {
        cache_ = found;
        cacheId_ = id;
    }
    atEnd_ = found == nullptr;
    return found;
}

void TRtCustomList::SetCurrent(int32_t id) { MakeCurrent(Find(id)); }

int32_t TRtCustomList::FindByName(const std::string& name) {
    TRtListItem* item = FindIf([&](const TRtListItem& i) { return SameTextAscii(GetItemText(i), name); });
    if (!item) {
        atEnd_ = true;
        return 0;
    }
    MakeCurrent(item);
    return item->id;
}

std::string TRtCustomList::GetItemName(int32_t id) {
    const TRtListItem* item = Find(id);
    return item ? GetItemText(*item) : std::string();
}

void TRtCustomList::SetItemName(int32_t id, const std::string& name) {
    if (TRtListItem* item = Find(id)) SetItemText(*item, name);
}

int32_t TRtCustomList::AddRef(int32_t id) {
    TRtListItem* item = Find(id);
    return item ? ++item->refCount : 0;
}

int32_t TRtCustomList::Link(TRtListItem* item) {
    if (item->id <= 0) item->id = highestId_ + 1;
    if (item->id > highestId_ || !first_) {
        highestId_ = std::max(highestId_, item->id);
        item->prev = last_;
        item->next = nullptr;
        if (last_) last_->next = item; else first_ = item;
        last_ = item;
    } else {
        item->prev = nullptr;
        item->next = first_;
        first_->prev = item;
        first_ = item;
    }
    ++item->refCount;
    MakeCurrent(item);
    return item->id;
}

void TRtCustomList::Unlink(TRtListItem* item) {
    if (item->prev) item->prev->next = item->next; else first_ = item->next;
    if (item->next) item->next->prev = item->prev; else last_ = item->prev;
}

void TRtCustomList::Remove(TRtListItem* item) {
    if (!item) return;
    Unlink(item);
    if (item == current_) {
        TRtListItem* other = item->next;
        while (other && !Passes(*other)) other = other->next;
        if (!other) {
            other = item->prev;
            while (other && !Passes(*other)) other = other->prev;
        }
        MakeCurrent(other);
    }
    if (item == cache_) {
        cache_ = nullptr;
        cacheId_ = -1;
    }
    item->next = item->prev = nullptr;
    FreeItem(item);
}

void TRtCustomList::Clear() {
    TRtListItem* item = first_;
    while (item) {
        TRtListItem* next = item->next;
        if (Passes(*item)) Remove(item);
        item = next;
    }
    highestId_ = 0;
    for (const TRtListItem* i = first_; i; i = i->next) highestId_ = std::max(highestId_, i->id);
    if (!first_) MakeCurrent(nullptr);
}

void TRtCustomList::RemoveAll() {
    while (first_) Remove(first_);
    highestId_ = 0;
}

int32_t TRtCustomList::AddCopy(const TRtListItem& item) {
    TRtListItem* copy = CopyItem(item);
    copy->source = &item;
    return Link(copy);
}

int32_t TRtCustomList::FindIdOfSource(const TRtListItem* item) const {
    const TRtListItem* found = FindIf([item](const TRtListItem& i) { return i.source == item; });
    return found ? found->id : 0;
}

void TRtCustomList::ClearUsedMarks() {
    for (TRtListItem* i = first_; i; i = i->next) i->flags &= ~kListItemUsed;
}

int32_t TRtCustomList::Count() const {
    int32_t n = 0;
    for (const TRtListItem* i = first_; i; i = i->next) ++n;
    return n;
}

int32_t TRtCustomList::ReleaseCharRefs(TLine& line, uint32_t from, uint32_t styleBit, uint32_t to,
                                       TAttrTable& table) {
    if (!line.HasAttrs()) return 0;
    int32_t count = 0;
    to = std::min(to, line.Length());
    for (uint32_t i = from; i < to; ++i) {
        TAttr a = table.Get(line.FormatAt(i), line.WidthAt(i));
        if (!(a.style & styleBit)) continue;
        Release(a.reference);
        a.reference = 0;
        line.SetFormatAt(i, table.Intern(a));
        ++count;
    }
    return count;
}

int32_t TRtCustomList::ReleaseParRefs(TParagraph& par, uint32_t styleBit, TAttrTable& table) {
    int32_t count = 0;
    for (TLine* line = par.firstLine; line; line = line->next) {
        count += ReleaseCharRefs(*line, 0, styleBit, line->Length(), table);
    }
    return count;
}
