#include "design/PvTabelle.h"

#include "design/PreviewContentStreams.h"
#include "document/EtikettFiler.h"

void TpvTrackTabelle::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    Font.Read(filer);
    SkipTrackTable(*filer.Stream);
}

void TpvRTFTabelle::Read(TEtikettFiler& filer, int depth) {
    TpvRechteck::Read(filer, depth);
    SkipRichTextTable(*filer.Stream);
}
