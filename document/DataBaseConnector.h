#pragma once
// The database link of a document. It keeps the link's stored settings as an
// opaque block of bytes that travels with the document file (element code 24,
// written before the sheet block):
//
//   raw byte 24, tagged Integer version 100, tagged Integer size n,
//   and when n > 0 a tagged Stream of the n bytes.
//
// The link object, the record set a data source would give, is none after
// construction; opening and filtering a data source are empty operations.
// A block read from a document is written back by the next save, so that a
// document keeps its link settings however often it is saved.

#include "content/RecordSet.h"
#include "foundation/Stream.h"

#include <cstdint>
#include <memory>

class TEtikettFiler;

class TDataBaseConnector {
public:
    static constexpr uint8_t kElementCode = 24;
    static constexpr int32_t kBlockVersion = 100;
    // The largest block a document may carry; a larger size is a damaged file.
    static constexpr int32_t kMaxBlockSize = 16 << 20;

    TDataBaseConnector() = default;
    TDataBaseConnector(const TDataBaseConnector&) = delete;
    TDataBaseConnector& operator=(const TDataBaseConnector&) = delete;

    // Whether the document save writes the block: a link object or stored bytes.
    bool HasBlock() const { return Link != nullptr || !StoredData.Bytes().empty(); }
    // The element code 24, then the block.
    void SaveToFiler(TEtikettFiler& filer);
    // The block behind the element code: the version (ignored) and the size;
    // a positive size replaces the stored bytes by the ones that follow, a
    // size of 0 or less leaves them as they are. A size beyond kMaxBlockSize,
    // or beyond the bytes that remain, raises EFilerReadError.
    void LoadFromFiler(TEtikettFiler& filer);
    // Frees the link object.
    void Close() { Link.reset(); }
    // The data-source commands: nothing to do, 0.
    int32_t Open() { return 0; }
    int32_t Filter() { return 0; }

    // The stored bytes of the link.
    TMemoryStream StoredData;
    // The linked record set; none in this program so far.
    std::unique_ptr<TRecordSet> Link;

private:
    // Applies the stored settings after a load; nothing to apply yet.
    void ApplyStoredData() {}
};
