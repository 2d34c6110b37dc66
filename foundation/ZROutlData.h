#pragma once
// A folder tree as one flat list in depth-first order, as the folder outlines
// show it and the older listing figure stores it. The list can read the
// folder tree of a volume itself (paths in the root form of
// platform/shell/Volumes.h).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QtCore/QString>

class TStream;

// One folder. The order of the fields is the order they are stored in.
struct TZROutlData {
    std::string Path;   // root path, then "/" and each folder name (Windows-1252)
    std::string Note;   // copied and stored with the entry, never shown
    int32_t Level = 0;  // 0 for the folders directly on the volume
    uint8_t Visible = 0;      // a line of the layout and select outlines
    uint8_t HasChildren = 0;  // the folder has subfolders in the list
    uint8_t Expanded = 0;
    uint8_t IsLast = 0;        // last child of its parent (or last top-level entry)
    uint8_t CheckState = 2;    // 0 not chosen, 1 partly chosen, 2 chosen
    uint8_t IsLastShown = 0;   // last of its siblings among the preview's lines
    uint8_t Spare = 0;         // copied and stored, not used

    // The record of one entry: strings as 32-bit length and bytes, Level and
    // CheckState as 32-bit integers, the other flags as one byte each.
    void SaveToStream(TStream& s) const;
    void LoadFromStream(TStream& s);
};

bool operator==(const TZROutlData& a, const TZROutlData& b);

class TZROutlDataList {
public:
    // An add or insert is refused once the list holds more than this many entries.
    static constexpr int32_t kMaxEntries = 16000;
    // Folders at this depth are listed but not opened.
    static constexpr int32_t kMaxReadLevel = 8;
    // Levels a stored list may hold; a deeper one is a damaged file.
    static constexpr int32_t kMaxStoredLevel = 64;

    TZROutlDataList() = default;
    TZROutlDataList(const TZROutlDataList& other) { Assign(other); }
    TZROutlDataList& operator=(const TZROutlDataList& other) {
        Assign(other);
        return *this;
    }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }
    TZROutlData& GetItem(int32_t index) { return *items_.at(static_cast<size_t>(index)); }
    const TZROutlData& GetItem(int32_t index) const { return *items_.at(static_cast<size_t>(index)); }

    // Appends the entry; false (and the entry dropped) when the list is full.
    bool Add(std::unique_ptr<TZROutlData> entry);
    // Inserts the entry before index; false when the list is full.
    bool Insert(int32_t index, std::unique_ptr<TZROutlData> entry);
    void Clear() { items_.clear(); }
    // Clears, then copies every entry of the other list.
    void Assign(const TZROutlDataList& other);
    // The index of the nearest earlier entry with a smaller level; -1 for
    // level 0 or when there is none.
    int32_t ParentIndex(int32_t index) const;

    // The outlines' edits of one entry. Expanding shows its direct
    // subfolders; collapsing hides and collapses all its descendants.
    // Checking checks the entry and its ancestors; unchecking unchecks the
    // entry and its descendants.
    void ExpandEntry(int32_t index);
    void CollapseEntry(int32_t index);
    void CheckEntry(int32_t index);
    void UncheckEntry(int32_t index);
    // Sets IsLastShown on the shown lines (entry indices in list order): an
    // entry is the last shown of its siblings when no later shown line
    // before its parent's next sibling has its level.
    void MarkLastShown(const std::vector<int32_t>& shownLines);

    // Reads the folder tree below a root path: the top-level folders, then
    // depth-first the subfolders of every folder above kMaxReadLevel, each
    // level sorted by name; hidden folders (names beginning with ".") and
    // links are left out and the walk stays on the root's volume. OnIdle runs
    // after each folder read so that the window stays alive; a call while a
    // read is running is refused (false).
    bool ReadTree(const QString& rootPath);
    // Folders found by the last read (counted on past the cap).
    int32_t FoundCount() const { return foundCount_; }
    // True once a tree has been read.
    bool TreeRead() const { return treeRead_; }
    // True when the last read found more folders than the list can hold; the
    // last child inserted then carries IsLast.
    bool Truncated() const { return truncated_; }
    bool Reading() const { return reading_; }

    // Raised for every folder found while reading, with the count so far.
    std::function<void(TZROutlDataList&, int32_t)> OnProgress;
    // Runs between folders while reading.
    std::function<void()> OnIdle;

    // Count, then the entries' records.
    void SaveToStream(TStream& s) const;
    // Reads a list saved by SaveToStream; a count beyond the cap, a level
    // outside 0..kMaxStoredLevel or one more than one deeper than the entry
    // before raises EReadError and leaves the list unchanged.
    void LoadFromStream(TStream& s);
    // Appends one stored entry after checking its level against the list.
    void AddStoredEntry(std::unique_ptr<TZROutlData> entry);

private:
    bool IsFull() const { return Count() > kMaxEntries; }
    void CountFound();

    std::vector<std::unique_ptr<TZROutlData>> items_;
    int32_t foundCount_ = 0;
    bool treeRead_ = false;
    bool truncated_ = false;
    bool reading_ = false;
};
