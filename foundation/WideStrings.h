#pragma once
// Lists of UTF-16 lines. TWideStringList reads text streams with byte-order
// mark detection (FF FE little-endian, FE FF big-endian, otherwise 8-bit
// Windows-1252) and splits them into lines at CR, LF, CR LF, VT, FF, U+2028
// and U+2029; a NUL ends the text. SaveToStream writes every line followed by
// CR LF, as UTF-16 LE with FF FE when the list was loaded from a Unicode
// stream, otherwise as Windows-1252.
//
// Comparisons (IndexOf, Find, Sort, duplicates) ignore case, in the list's
// locale.

#include "foundation/Exceptions.h"

#include <QtCore/QCollator>
#include <QtCore/QLocale>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;

ZORBIT_DECLARE_EXCEPTION(EStringListError, Exception);

enum class TDuplicates { Ignore, Accept, Error };

class TWideStrings {
public:
    virtual ~TWideStrings() = default;

    virtual int Count() const = 0;
    virtual std::u16string Get(int index) const = 0;
    virtual void Put(int index, const std::u16string& s) = 0;
    virtual intptr_t GetObject(int index) const = 0;
    virtual void PutObject(int index, intptr_t object) = 0;
    virtual int Capacity() const = 0;
    virtual void SetCapacity(int capacity) = 0;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Exchange(int index1, int index2) = 0;
    virtual void InsertObject(int index, const std::u16string& s, intptr_t object) = 0;
    virtual int IndexOf(const std::u16string& s) const;
    virtual int AddObject(const std::u16string& s, intptr_t object);
    virtual void SetLocale(const QLocale& locale) { locale_ = locale; }

    int Add(const std::u16string& s) { return AddObject(s, 0); }
    void Insert(int index, const std::u16string& s) { InsertObject(index, s, 0); }
    void Move(int curIndex, int newIndex);
    void AddStrings(const TWideStrings& other);
    // 8-bit (Windows-1252) lines in and out.
    void AddAnsiStrings(const std::vector<std::string>& lines);
    std::vector<std::string> ToAnsiStrings() const;
    void Assign(const TWideStrings& other);

    // All lines, each followed by CR LF.
    std::u16string Text() const;
    // Replaces the lines by those of text (split as when loading).
    void SetText(std::u16string_view text);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    bool StoredAsUnicode() const { return storedAsUnicode_; }
    void SetStoredAsUnicode(bool value) { storedAsUnicode_ = value; }
    const QLocale& Locale() const { return locale_; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Case-insensitive comparison in the list's locale (<0, 0, >0).
    int CompareStrings(const std::u16string& a, const std::u16string& b) const;

    // Splits a text into lines by the rules above.
    static std::vector<std::u16string> SplitLines(std::u16string_view text);

protected:
    virtual void SetUpdateState(bool updating) {}
    [[noreturn]] void Error(const char* key, int index) const;

private:
    bool storedAsUnicode_ = false;
    int updateCount_ = 0;
    QLocale locale_;
    mutable QCollator collator_;
    mutable QLocale collatorLocale_{QLocale::C};
    mutable bool collatorReady_ = false;
};

class TWideStringList : public TWideStrings {
public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::u16string Get(int index) const override;
    void Put(int index, const std::u16string& s) override;
    intptr_t GetObject(int index) const override;
    void PutObject(int index, intptr_t object) override;
    int Capacity() const override { return capacity_; }
    void SetCapacity(int capacity) override;
    void Clear() override;
    void Delete(int index) override;
    void Exchange(int index1, int index2) override;
    void InsertObject(int index, const std::u16string& s, intptr_t object) override;
    int IndexOf(const std::u16string& s) const override;
    int AddObject(const std::u16string& s, intptr_t object) override;

    // Bisection search in a sorted list: true and the index when found,
    // otherwise false and the index where s belongs.
    bool Find(const std::u16string& s, int& index) const;
    void Sort();
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }

    std::function<void(TWideStringList&)> OnChanging;
    std::function<void(TWideStringList&)> OnChange;

protected:
    void SetUpdateState(bool updating) override;
    void Changing();
    void Changed();

private:
    struct Item {
        std::u16string text;
        intptr_t object = 0;
    };
    void CheckIndex(int index, int count) const;
    void Grow();
    void QuickSort(int l, int r);

    std::vector<Item> items_;
    int capacity_ = 0;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::Ignore;
};
