#pragma once
// The player of placeable Windows metafiles: the 22-byte placeable header
// (key 0x9AC6CDD7, bounding box, checksum) in front of the standard 18-byte
// header and the records. Records are played onto a canvas through the
// mapping of TCustomZRMetaFile, so that the picture lands scaled and turned
// in the target rectangle; shapes become polygons and Bezier paths that turn
// with it, text turns through the font's escapement. Bitmaps, clipping and
// pixel records (as the program's own metafile writer makes them) are played
// too, turned with the picture at every angle.

#include "pictures/ZRMetaFile.h"

#include <cstdint>
#include <vector>

class TMetaRecord;

class TZRWMF : public TCustomZRMetaFile {
public:
    static constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

    struct TPlaceableHeader {
        uint32_t key = 0;
        uint16_t handle = 0;
        int16_t left = 0, top = 0, right = 0, bottom = 0;
        uint16_t unitsPerInch = 0;
        uint32_t reserved = 0;
        uint16_t checksum = 0;
    };

    int32_t GetHeight() const override;
    int32_t GetWidth() const override;
    // Raises Exception "falsches WMF Format" for data that is no placeable
    // metafile (the player is empty then).
    void LoadFromStream(TStream& stream, int64_t size) override;
    void SaveToStream(TStream& stream) const override;
    void CopyToClipboard() override;
    // Raises: only enhanced metafiles can be assigned.
    void SetMetaFileHandle(const gdi::Metafile& metafile) override;
    void Draw(gdi::Canvas& canvas, int32_t cx, int32_t cy, int32_t w, int32_t h, float angle) override;
    bool IsEmpty() const override { return data_.empty(); }

    const TPlaceableHeader& Header() const { return header_; }
    const std::vector<uint8_t>& Data() const { return data_; }

private:
    void PlayRecord(const TMetaRecord& record, uint16_t function);
    bool PlayState(const TMetaRecord& r, uint16_t function, size_t params);
    bool PlayObject(const TMetaRecord& r, uint16_t function, size_t params);
    bool PlayDrawing(const TMetaRecord& r, uint16_t function, size_t params);
    bool PlayBitmapOrClip(const TMetaRecord& r, uint16_t function, size_t params);
    void PatBltRecord(const gdi::Rect& logical, uint32_t rop);
    void PlayPoints(const TMetaRecord& r, uint16_t function, size_t params);
    void PlayPolyPolygon(const TMetaRecord& r, size_t params);
    void PlayExtTextOut(const TMetaRecord& r, size_t params);
    void CreateFont(const TMetaRecord& r, size_t params);
    void CreateRegion(const TMetaRecord& r);
    void StretchDibRecord(const TMetaRecord& r, uint32_t rop, int32_t srcH, int32_t srcW, int32_t ySrc, int32_t xSrc,
                          int32_t destH, int32_t destW, int32_t yDest, int32_t xDest, size_t dibOffset);

    TPlaceableHeader header_;
    std::vector<uint8_t> data_;
};
