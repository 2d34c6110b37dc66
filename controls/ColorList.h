#pragma once
// A fixed number of colour slots, each a 32-bit RGB value (red in the low
// byte) or clEmptySlot. The process-wide list of user colours,
// GetCustomColorList(), has 32 slots, keeps its used slots first (packed) and
// lives in the text file "custcolo.dat" of the data folder: one line "$%.8x"
// per used slot, lines separated by CR LF.

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <cstdint>
#include <vector>

class QIODevice;

inline constexpr int32_t clEmptySlot = -1;
inline constexpr int32_t kCustomColorSlots = 32;
inline constexpr const char* kCustomColorFileName = "custcolo.dat";

class TColorList {
public:
    explicit TColorList(int32_t slotCount);

    int32_t Count() const { return static_cast<int32_t>(slots_.size()); }
    // An index outside 0 .. Count - 1 raises EStringListError.
    int32_t Colors(int32_t index) const;
    void SetColors(int32_t index, int32_t color);
    // Every slot empty; the slot count stays.
    void Clear();
    int32_t UsedCount() const;

    // The slot that holds the colour already; else the first empty slot;
    // else the fallback slot, which is overwritten. Returns the slot used.
    int32_t AddColor(int32_t color, int32_t fallbackIndex);
    // The source's colours without gaps, then empty slots up to the source's
    // slot count.
    void AssignPacked(const TColorList& source);

    // Fills the slots in order with the colours of the lines (decimal or
    // "$" hexadecimal numbers; negative values and lines that are no number
    // are skipped) and stops when every slot is taken. A missing file leaves
    // the list empty.
    void LoadFromFile(const QString& path);
    void LoadFromDevice(QIODevice& device);
    void LoadFromText(const QByteArray& text);
    // Replaces the file as a whole or not at all; raises EFCreateError with
    // "IDS_CANNOTSAVEFILE" when it cannot be written.
    void SaveToFile(const QString& path) const;
    QByteArray SaveToText() const;

    // A line of the file as a colour: -1 when it is no number.
    static int32_t ColorFromLine(const QByteArray& line);

private:
    void CheckIndex(int32_t index) const;

    std::vector<int32_t> slots_;
};

// The shared user colours, created with 32 slots and loaded from
// "custcolo.dat" on first use. They are written back when the application
// object ends.
TColorList& GetCustomColorList();
// Writes the shared list to its file when it exists. False (with the reason
// in the trace output) when the file could not be written.
bool SaveCustomColorList();
// Forgets the shared list without saving it; the next use loads the file
// again.
void DiscardCustomColorList();
