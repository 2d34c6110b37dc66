#pragma once
// The object references of a text: one TTextObj per embedded object, field,
// bookmark, hyperlink or reference in the text. A reference owns its object;
// two references may hold the same object, which is freed with the last.

#include "richtext/model/RtObjectBase.h"
#include "richtext/model/RtTypedList.h"

class TLine;

// Kinds of a reference.
constexpr uint8_t tokInFlow = 0;
constexpr uint8_t tokParRelative = 1;
constexpr uint8_t tokPageRelative = 2;
constexpr uint8_t tokTextCode = 3;
// Sub-kinds of a text code the model knows.
constexpr int32_t tosBookmark = 1;
constexpr int32_t tosPageRef = 3;

struct TTextObj {
    uint8_t kind = tokInFlow;
    int32_t subKind = 0;
    TRtObjectBase* object = nullptr;
    std::string extra;  // for a page reference the number format
    std::string name;
    int32_t width = 0;  // twips
    int32_t height = 0;
    uint8_t flags = 0;
    uint8_t wrap = 0;
    int32_t x = 0;  // twips
    int32_t y = 0;
    TRtLayoutRect laidOutRect;  // layout units, set by the layout
    uint8_t laidOut = 0;        // the rectangle is valid
    uint8_t present = 1;        // cleared when the character is deleted
    TLine* line = nullptr;      // the line holding the object's character
};
using PTTextObj = TTextObj*;

struct TRtObjReferenceItem : TRtListItem {
    TTextObj obj;
};

class TRtObjReferenceList : public TRtTypedList<TRtObjReferenceItem> {
public:
    explicit TRtObjReferenceList(TRtRTFText* text) : text_(text) {}
    ~TRtObjReferenceList() override;

    // Set while undo recording releases references: placement marks stay.
    bool KeepPlacement = false;

    void FreeItem(TRtListItem* item) override;
    // Copies the record with its strings, never the object.
    TRtListItem* CopyItem(const TRtListItem& item) const override;
    std::string GetItemText(const TRtListItem& item) const override {
        return static_cast<const TRtObjReferenceItem&>(item).obj.name;
    }
    void SetItemText(TRtListItem& item, const std::string& text) override {
        static_cast<TRtObjReferenceItem&>(item).obj.name = text;
    }
    int32_t Release(int32_t id) override;

    TTextObj* GetItem(int32_t id);
    // A new reference holding the object (owned from now on).
    TTextObj* AddObject(TRtObjectBase* object);
    int32_t FindOrAddNamed(const std::string& name, int32_t subKind);
    TTextObj* FindNamedCode(const std::string& name, int32_t subKind);
    bool CollectByKind(std::vector<int32_t>& ids, uint8_t kind);
    // With no list given the ids go into Scratch (emptied first).
    bool CollectNamedRefs(const std::string& name, int32_t subKind, std::vector<int32_t>* ids);
    TTextObj* GetObjectRef(const TRtObjectBase* object);
    TTextObj* FindByObjName(const std::string& name);
    int32_t FindObjectId(const TTextObj* reference);
    int32_t FindObjectId(const TRtObjectBase* object);
    int32_t FindAtPoint(int32_t x, int32_t y);
    // Resets the placement marks of every reference.
    void ResetPlacement();

private:
    TRtRTFText* text_;
    int32_t hitCacheId_ = 0;

    TRtObjReferenceItem* ItemOf(const TTextObj* reference);
    TRtObjReferenceItem* OtherHolder(const TRtObjReferenceItem& item, const TRtObjectBase* object);
};
