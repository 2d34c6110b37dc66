#include "shapes/HotTrackData.h"

#include "foundation/StreamHelp.h"

void WriteHotTrackData(TStream& stream, const THotTrackData& data) {
    StreamWriteInt(stream, data.Count);
    for (const THotTrackEntry& e : data.Entries) {
        const uint8_t head[4] = {e.Mode, 0, 0, 0};
        stream.WriteBuffer(head, 4);
        for (float v : {e.Value1, e.Min1, e.Max1, e.Value2, e.Min2, e.Max2}) StreamWriteSingle(stream, v);
    }
}

void ReadHotTrackData(TStream& stream, THotTrackData& data) {
    stream.RequireAvailable(kHotTrackDataSize);
    THotTrackData read;
    read.Count = StreamReadInt(stream);
    for (THotTrackEntry& e : read.Entries) {
        uint8_t head[4];
        stream.ReadBuffer(head, 4);
        e.Mode = head[0];
        for (float* v : {&e.Value1, &e.Min1, &e.Max1, &e.Value2, &e.Min2, &e.Max2}) *v = StreamReadSingle(stream);
    }
    data = read;
}
