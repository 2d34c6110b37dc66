#include "document/DataBaseConnector.h"

#include "document/EtikettFiler.h"
#include "foundation/Localizer.h"

void TDataBaseConnector::SaveToFiler(TEtikettFiler& filer) {
    const int64_t size = StoredData.Size();
    filer.WriteRawByte(kElementCode);
    filer.WriteTaggedInteger(kBlockVersion);
    filer.WriteTaggedInteger(static_cast<int32_t>(size));
    if (size <= 0) return;
    StoredData.SetPosition(0);
    filer.WriteTaggedStream(StoredData, size);
}

void TDataBaseConnector::LoadFromFiler(TEtikettFiler& filer) {
    filer.ReadTaggedInteger();  // the version
    const int32_t size = filer.ReadTaggedInteger();
    if (size > kMaxBlockSize) throw EFilerReadError(LocalizedFormat("IDS_CANNOTREADFILE", {filer.SourceName()}));
    if (size > 0) {
        TMemoryStream read;
        filer.ReadTaggedStream(read, size);
        StoredData.Clear();
        StoredData.LoadFromStream(read);
    }
    ApplyStoredData();
}
