#pragma once
// The player of enhanced metafiles (also of the metafiles the program makes
// itself). Records are played onto a canvas through the mapping of
// TCustomZRMetaFile: shapes become polygons and Bezier paths that turn with
// the picture, text turns through the font's escapement, bitmaps are drawn
// unturned (stretched DIBs also at quarter turns), clip rectangles and
// regions apply only while the picture is not turned (a clip path and the
// clip's offset turn with it). The metafile never draws outside its frame
// nor outside the clip region the canvas had when the drawing began.

#include "pictures/ZRMetaFile.h"

#include <array>
#include <cstdint>
#include <vector>

class TMetaRecord;

class TZREMF : public TCustomZRMetaFile {
public:
    static constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
    static constexpr size_t kHeaderCopySize = 100;

    TZREMF();
    ~TZREMF() override;

    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    // Takes the header's total size from the data, which must lie between
    // 100 and the bytes given; raises Exception "falsches EMF Format" otherwise.
    void LoadFromStream(TStream& stream, int64_t size) override;
    void SaveToStream(TStream& stream) const override;
    void CopyToClipboard() override;
    // An enhanced metafile of the clipboard; raises "kein MetaFile in der Zwischenablage".
    void PasteFromClipboard() override;
    void SetMetaFileHandle(const gdi::Metafile& metafile) override;
    void Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) override;
    bool IsEmpty() const override { return data_.empty(); }

    const std::vector<uint8_t>& Data() const { return data_; }

private:
    using TMatrixSet = std::array<TMatrix3, 9>;

    void LoadBytes(std::vector<uint8_t> bytes);
    void ComputeBox();
    void PlayRecord(const TMetaRecord& r, uint32_t type);
    bool PlayState(const TMetaRecord& r, uint32_t type);
    bool PlayObject(const TMetaRecord& r, uint32_t type);
    bool PlayPath(const TMetaRecord& r, uint32_t type);
    bool PlayDrawing(const TMetaRecord& r, uint32_t type);
    bool PlayPoints(const TMetaRecord& r, uint32_t type);
    bool PlayRegionOrClip(const TMetaRecord& r, uint32_t type);
    bool PlayBitmap(const TMetaRecord& r, uint32_t type);
    void PlayText(const TMetaRecord& r, bool wide);
    void ModifyWorldTransform(const TMatrix3& x, uint32_t mode);
    TMatrixSet SaveMatrices() const;
    void RestoreMatrices(const TMatrixSet& set);

    std::vector<TMatrixSet> SavedStates;
    std::vector<uint8_t> data_;
    std::vector<uint8_t> headerCopy_;
};
