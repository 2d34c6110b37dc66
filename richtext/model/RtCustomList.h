#pragma once
// TRtCustomList: a doubly linked list of small records addressed by id, with
// reference counts, an owner tag, a current item and a one-item look-up
// cache. Characters and paragraphs of a text refer to the records of its
// lists (object references, tables, footnotes, insert points) by id.

#include <cstdint>
#include <string>
#include <vector>

class TAttrTable;
class TLine;
struct TParagraph;

constexpr uint8_t kListItemUsed = 0x01;

struct TRtListItem {
    virtual ~TRtListItem() = default;
    TRtListItem* next = nullptr;
    TRtListItem* prev = nullptr;
    int32_t id = 0;                       // above 0 once linked
    const TRtListItem* source = nullptr;  // the item this one was copied from (compared, never read)
    int32_t refCount = 0;
    int32_t value = 0;
    uint8_t flags = 0;
    int32_t ownerTag = 0;
};

class TRtCustomList {
public:
    TRtCustomList() = default;
    virtual ~TRtCustomList();
    TRtCustomList(const TRtCustomList&) = delete;
    TRtCustomList& operator=(const TRtCustomList&) = delete;

    // ---- virtual operations
    virtual void FreeItem(TRtListItem* item);
    virtual TRtListItem* CopyItem(const TRtListItem& item) const;
    virtual TRtListItem* InitItem() const;
    virtual std::string GetItemText(const TRtListItem& item) const;
    virtual void SetItemText(TRtListItem& item, const std::string& text);
    virtual int32_t Add();
    virtual TRtListItem* AddItem();
    virtual TRtListItem* DeleteLast();
    virtual int32_t Release(int32_t id);
    virtual void Assign(const TRtCustomList& other);
    virtual TRtListItem* First();
    virtual TRtListItem* Prev();
    virtual TRtListItem* Next();
    virtual TRtListItem* Last();
    virtual TRtListItem* Current();
    // The size of an item, which Assign compares.
    virtual size_t ItemSize() const { return sizeof(TRtListItem); }
    // Footnotes: text, kind byte and value.
    virtual int32_t AddNamedItem(const std::string& name, uint8_t kind, int32_t value);

    TRtListItem* Find(int32_t id);
    void SetCurrent(int32_t id);
    TRtListItem* GetCurrentData() { return current_; }
    TRtListItem* GetItemData(int32_t id) { return Find(id); }
    // Case-insensitive; the item found becomes current. 0 when missing.
    int32_t FindByName(const std::string& name);
    std::string GetItemName(int32_t id);
    void SetItemName(int32_t id, const std::string& name);
    int32_t AddRef(int32_t id);
    int32_t Link(TRtListItem* item);
    void Remove(TRtListItem* item);
    void Clear();
    int32_t AddCopy(const TRtListItem& item);
    int32_t FindIdOfSource(const TRtListItem* item) const;
    void ClearUsedMarks();
    // Releases the ids held by characters from..to-1 of a line whose
    // attribute has the style bit, and clears their reference fields.
    int32_t ReleaseCharRefs(TLine& line, uint32_t from, uint32_t styleBit, uint32_t to, TAttrTable& table);
    int32_t ReleaseParRefs(TParagraph& par, uint32_t styleBit, TAttrTable& table);

    int32_t Count() const;
    int32_t HighestId() const { return highestId_; }
    bool AtEnd() const { return atEnd_; }
    int32_t CurrentId() const { return currentId_; }
    TRtListItem* FirstItem() const { return first_; }
    int32_t OwnerFilter = 0;
    bool ReuseCurrent = false;
    bool AutoFree = false;
    std::vector<int32_t> Scratch;

protected:
    // Every item, for subclasses that search by their own data; nothing is cached.
    template <typename F>
    TRtListItem* FindIf(F&& match) const {
        for (TRtListItem* i = first_; i; i = i->next) {
            if (match(*i)) return i;
        }
        return nullptr;
    }
    void MakeCurrent(TRtListItem* item);
    // Removes every item through FreeItem; subclasses with their own
    // FreeItem call it from their destructors.
    void RemoveAll();

private:
    TRtListItem* first_ = nullptr;
    TRtListItem* last_ = nullptr;
    int32_t highestId_ = 0;
    bool atEnd_ = true;
    int32_t currentId_ = 0;
    TRtListItem* current_ = nullptr;
    int32_t cacheId_ = -1;
    TRtListItem* cache_ = nullptr;

    bool Passes(const TRtListItem& item) const { return OwnerFilter == 0 || item.ownerTag == OwnerFilter; }
    void Unlink(TRtListItem* item);
};
