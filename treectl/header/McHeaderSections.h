#pragma once
// The sections of one header in display order, owned. Each section's Index
// is its identity (the tree maps columns to item data by it) and the
// Indexes form 0 .. Count-1; moving a section changes its position, never
// its Index. The collection streams itself as the binary "Data" of the
// header's Sections and does the arithmetic of the sticky layout.

#include "treectl/header/McHeaderSection.h"
#include "treectl/support/McList.h"

#include <cstdint>

class TStream;

class TMcHeaderSections {
public:
    static constexpr int32_t kStreamVersion = -10;

    explicit TMcHeaderSections(TMcSectionsOwner* header = nullptr) : header_(header) {}
    virtual ~TMcHeaderSections();
    TMcHeaderSections(const TMcHeaderSections&) = delete;
    TMcHeaderSections& operator=(const TMcHeaderSections&) = delete;

    TMcSectionsOwner* Header() const { return header_; }
    int32_t Count() const { return sections_.Count(); }

    // The section of that Index; nil when none has it.
    TMcHeaderSection* Item(int32_t index) const { return FindSectionByIndex(index); }
    virtual TMcHeaderSection* FindSectionByIndex(int32_t index) const;
    virtual TMcHeaderSection* FindSectionById(int32_t id) const;
    // The section at a display position (EMcListError outside).
    virtual TMcHeaderSection* ItemByPos(int32_t position) const { return sections_[position]; }
    int32_t PositionOf(const TMcHeaderSection* section) const { return sections_.IndexOf(section); }

    TMcHeaderSection* AddSection() { return InsertSection(Count()); }
    TMcHeaderSection* InsertSection(int32_t position);
    void DeleteSection(TMcHeaderSection* section);
    void MoveSection(TMcHeaderSection* section, int32_t newPos);
    // Frees every section, without events and without repainting.
    void Clear();
    void Assign(const TMcHeaderSections& source);
    // Turns the display order round (no OnSectionMove).
    void ReverseOrder();

    // The last section in display order when it reads as visible, else the
    // visible one before it; nil when none reads as visible (or there are none).
    TMcHeaderSection* LastVisibleSection() const;
    TMcHeaderSection* PrevVisibleSection(const TMcHeaderSection* section) const;

    // ---- geometry
    // Right of the last section that reads as visible; 0 when none does.
    int32_t SectionsWidth() const;
    // The header width less the sections that read as visible and are not resizable.
    int32_t ResizableWidth(int32_t headerWidth) const;
    // Each resizable visible section's share of the resizable width.
    void SaveProportions(int32_t headerWidth);
    // Every section's share, from scratch (0 for fixed and hidden sections).
    void InitProportions(int32_t headerWidth);
    // Makes the visible sections fill clientWidth - 1, giving and taking
    // width from the resizable ones first (except the one just changed).
    void FitSections(TMcHeaderSection* except, int32_t clientWidth);

    // ---- stream: version -10 written; versions -10, -9, -8, -6, -5, -4 read.
    // An unknown marker gives an empty collection. A damaged stream raises
    // EReadError and leaves the sections as they were.
    virtual void SaveToStream(TStream& stream) const;
    virtual void LoadFromStream(TStream& stream);

protected:
    virtual TMcHeaderSection* CreateSection();

private:
    friend class TMcHeaderSection;
    int32_t FreeIndex() const;
    int32_t FreeSectionId(const TMcHeaderSection* section) const;
    void Renumber();

    TMcSectionsOwner* header_;
    TMcListOf<TMcHeaderSection> sections_;
};
