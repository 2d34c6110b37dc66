#pragma once
// What header sections and their collection ask of the header that holds
// them: its update bracket and repainting, its height, its sticky layout,
// its scroll offset, and its events. The header control implements this;
// a collection without a header keeps and streams its sections alone.

#include "foundation/Exceptions.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>

class TMcHeaderSection;

// Misuse of the header: no section given, an index outside the sections.
ZORBIT_DECLARE_EXCEPTION(EMcError, Exception);

// What changed of a section, for OnSectionChange.
enum class TSectionChangeMode : uint8_t {
    scmText, scmStyle, scmAlign, scmFieldName, scmFieldType, scmEditable, scmPassword,
};

class TMcSectionsOwner {
public:
    virtual ~TMcSectionsOwner() = default;

    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual bool HasWindow() const = 0;
    virtual bool IsLoading() const = 0;
    virtual bool IsDestroying() const = 0;

    // Repainting, never erasing first.
    virtual void AdjustHeight() = 0;
    // From the section of that Index to the right edge; EMcError "Index out of bounds" outside the sections.
    virtual void InvalidateFrom(int32_t index) = 0;
    virtual void InvalidateHeader() = 0;
    virtual void InvalidateRect(const gdi::Rect& r) = 0;
    // The control the header stands on (its cells draw some section settings).
    virtual void InvalidateParent() = 0;

    virtual int32_t Width() const = 0;
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetHeight(int32_t height) = 0;
    virtual int32_t LeftPos() const = 0;

    // The sticky layout: sections fill the width in their proportions.
    virtual bool StickySections() const = 0;
    virtual void SetStickySections(bool sticky) = 0;
    virtual bool InStickyRelayout() const = 0;
    virtual void FitSections(TMcHeaderSection* except) = 0;
    virtual void SaveProportions() = 0;

    // Events.
    virtual void DoSectionCreate(TMcHeaderSection* section) = 0;
    virtual void DoSectionDelete(TMcHeaderSection* section) = 0;
    virtual void DoSectionMove(TMcHeaderSection* section, int32_t oldPos, int32_t newPos) = 0;
    virtual void DoVisChanged(TMcHeaderSection* section) = 0;
    virtual void DoNotifySectionChange(TMcHeaderSection* section, TSectionChangeMode change) = 0;
    virtual void DoSectionAutoSize(TMcHeaderSection* section) = 0;
};

// The header's update bracket for a scope (nothing without a header).
class TMcHeaderUpdate {
public:
    explicit TMcHeaderUpdate(TMcSectionsOwner* header) : header_(header) {
        if (header_) header_->BeginUpdate();
    }
    ~TMcHeaderUpdate() {
        if (header_) header_->EndUpdate();
    }
    TMcHeaderUpdate(const TMcHeaderUpdate&) = delete;
    TMcHeaderUpdate& operator=(const TMcHeaderUpdate&) = delete;

private:
    TMcSectionsOwner* header_;
};
