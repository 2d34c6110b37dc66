#include "foundation/WideStrings.h"

#include "foundation/Codepage1252.h"
#include "foundation/Localizer.h"
#include "foundation/Stream.h"

#include <algorithm>

// ---- TWideStrings

void TWideStrings::Error(const char* key, int index) const {
    throw EStringListError(LocalizedFormat(key, {index}));
}

int TWideStrings::IndexOf(const std::u16string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

int TWideStrings::AddObject(const std::u16string& s, intptr_t object) {
    const int index = Count();
    InsertObject(index, s, object);
    return index;
}

void TWideStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    BeginUpdate();
    const std::u16string s = Get(curIndex);
    const intptr_t object = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
    EndUpdate();
}

void TWideStrings::AddStrings(const TWideStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TWideStrings::AddAnsiStrings(const std::vector<std::string>& lines) {
    BeginUpdate();
    for (const std::string& line : lines) Add(AnsiToWide(line));
    EndUpdate();
}

std::vector<std::string> TWideStrings::ToAnsiStrings() const {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i) lines.push_back(WideToAnsi(Get(i)));
    return lines;
}

void TWideStrings::Assign(const TWideStrings& other) {
    if (&other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    storedAsUnicode_ = other.storedAsUnicode_;
    EndUpdate();
}

std::u16string TWideStrings::Text() const {
    std::u16string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += u"\r\n";
    }
    return text;
}

std::vector<std::u16string> TWideStrings::SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    const size_t nul = text.find(u'\0');
    if (nul != std::u16string_view::npos) text = text.substr(0, nul);
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\u2028' || c == u'\u2029') {
            lines.emplace_back(text.substr(start, i - start));
            ++i;
            if (c == u'\r' && i < text.size() && text[i] == u'\n') ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

void TWideStrings::SetText(std::u16string_view text) {
    BeginUpdate();
    Clear();
    for (auto& line : SplitLines(text)) Add(line);
    EndUpdate();
}

void TWideStrings::LoadFromStream(TStream& stream) {
    const int64_t remaining = stream.Remaining();
    std::u16string text;
    uint8_t bom[2] = {0, 0};
    const bool hasTwo = remaining >= 2;
    if (hasTwo) stream.ReadBuffer(bom, 2);
    const bool littleEndian = hasTwo && bom[0] == 0xFF && bom[1] == 0xFE;
    const bool bigEndian = hasTwo && bom[0] == 0xFE && bom[1] == 0xFF;
    if (littleEndian || bigEndian) {
        storedAsUnicode_ = true;
        const int64_t units = (remaining - 2) / 2;
        std::vector<uint8_t> bytes(static_cast<size_t>(units * 2));
        stream.ReadBuffer(bytes.data(), units * 2);
        if (remaining % 2 != 0) stream.Seek(1, SeekOrigin::Current);  // the odd byte is dropped
        text.resize(static_cast<size_t>(units));
        for (int64_t u = 0; u < units; ++u) {
            const uint8_t lo = bytes[static_cast<size_t>(2 * u)];
            const uint8_t hi = bytes[static_cast<size_t>(2 * u + 1)];
            text[static_cast<size_t>(u)] = littleEndian ? char16_t(lo | (hi << 8)) : char16_t(hi | (lo << 8));
        }
    } else {
        storedAsUnicode_ = false;
        if (hasTwo) stream.Seek(-2, SeekOrigin::Current);
        std::string bytes(static_cast<size_t>(remaining), '\0');
        stream.ReadBuffer(bytes.data(), remaining);
        text = AnsiToWide(bytes);
    }
    SetText(text);
}

void TWideStrings::SaveToStream(TStream& stream) const {
    const std::u16string text = Text();
    if (storedAsUnicode_) {
        std::vector<uint8_t> bytes;
        bytes.reserve(text.size() * 2 + 2);
        bytes.push_back(0xFF);
        bytes.push_back(0xFE);
        for (char16_t c : text) {
            bytes.push_back(static_cast<uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<uint8_t>(c >> 8));
        }
        stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    } else {
        const std::string ansi = WideToAnsi(text);
        stream.WriteBuffer(ansi.data(), static_cast<int64_t>(ansi.size()));
    }
}

void TWideStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, FileMode::OpenRead);
    LoadFromStream(stream);
}

void TWideStrings::SaveToFile(const std::string& fileName) const {
    TFileStream stream(fileName, FileMode::Create);
    SaveToStream(stream);
}

void TWideStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TWideStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

int TWideStrings::CompareStrings(const std::u16string& a, const std::u16string& b) const {
    if (!collatorReady_ || collatorLocale_ != locale_) {
        collator_ = QCollator(locale_);
        collator_.setCaseSensitivity(Qt::CaseInsensitive);
        collatorLocale_ = locale_;
        collatorReady_ = true;
    }
    return collator_.compare(WideToQString(a), WideToQString(b));
}

// ---- TWideStringList

void TWideStringList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count) Error("IDS_LISTINDEXERROR", index);
}

std::u16string TWideStringList::Get(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].text;
}

void TWideStringList::Put(int index, const std::u16string& s) {
    if (sorted_) Error("IDS_SORTEDLISTERROR", 0);
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

intptr_t TWideStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return items_[static_cast<size_t>(index)].object;
}

void TWideStringList::PutObject(int index, intptr_t object) {
    CheckIndex(index, Count());
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TWideStringList::SetCapacity(int capacity) {
    if (capacity < Count()) Error("IDS_LISTINDEXERROR", capacity);
    capacity_ = capacity;
    items_.reserve(static_cast<size_t>(capacity));
}

void TWideStringList::Grow() {
    const int delta = capacity_ > 64 ? capacity_ / 4 : (capacity_ > 8 ? 16 : 4);
    SetCapacity(capacity_ + delta);
}

void TWideStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    capacity_ = 0;
    items_.shrink_to_fit();
    Changed();
}

void TWideStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TWideStringList::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TWideStringList::InsertObject(int index, const std::u16string& s, intptr_t object) {
    if (sorted_) Error("IDS_SORTEDLISTERROR", 0);
    CheckIndex(index, Count() + 1);
    Changing();
    if (Count() == capacity_) Grow();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

int TWideStringList::AddObject(const std::u16string& s, intptr_t object) {
    if (!sorted_) {
        const int index = Count();
        InsertObject(index, s, object);
        return index;
    }
    int index = 0;
    if (Find(s, index)) {
        if (duplicates_ == TDuplicates::Ignore) return index;
        if (duplicates_ == TDuplicates::Error) Error("IDS_DUPLICATESTRING", 0);
    }
    Changing();
    if (Count() == capacity_) Grow();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
    return index;
}

int TWideStringList::IndexOf(const std::u16string& s) const {
    if (!sorted_) return TWideStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TWideStringList::Find(const std::u16string& s, int& index) const {
    bool found = false;
    int l = 0;
    int h = Count() - 1;
    while (l <= h) {
        const int i = (l + h) / 2;
        const int c = CompareStrings(items_[static_cast<size_t>(i)].text, s);
        if (c < 0) {
            l = i + 1;
        } else {
            h = i - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != TDuplicates::Accept) l = i;
            }
        }
    }
    index = l;
    return found;
}

void TWideStringList::QuickSort(int l, int r) {
    while (l < r) {
        int i = l;
        int j = r;
        const std::u16string pivot = items_[static_cast<size_t>((l + r) / 2)].text;
        while (i <= j) {
            while (CompareStrings(items_[static_cast<size_t>(i)].text, pivot) < 0) ++i;
            while (CompareStrings(items_[static_cast<size_t>(j)].text, pivot) > 0) --j;
            if (i <= j) {
                std::swap(items_[static_cast<size_t>(i)], items_[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller half, loop on the larger one.
        if (j - l < r - i) {
            QuickSort(l, j);
            l = i;
        } else {
            QuickSort(i, r);
            r = j;
        }
    }
}

void TWideStringList::Sort() {
    if (sorted_ || Count() < 2) return;
    Changing();
    QuickSort(0, Count() - 1);
    Changed();
}

void TWideStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    if (sorted) {
        sorted_ = false;
        Sort();
    }
    sorted_ = sorted;
}

void TWideStringList::SetUpdateState(bool updating) {
    if (updating) {
        Changing();
    } else {
        Changed();
    }
}

void TWideStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}

void TWideStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(*this);
}
