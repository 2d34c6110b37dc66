#include "shapes/HotTrackData.h"

#include "foundation/Exceptions.h"
#include "foundation/Rounding.h"
#include "foundation/StreamHelp.h"
#include "foundation/ZRRegIniFile.h"

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
    if (read.Count < 0 || read.Count > kHotTrackEntries) throw EReadError("Anzahl der Anfasser ungültig");
    for (THotTrackEntry& e : read.Entries) {
        uint8_t head[4];
        stream.ReadBuffer(head, 4);
        e.Mode = head[0];
        for (float* v : {&e.Value1, &e.Min1, &e.Max1, &e.Value2, &e.Min2, &e.Max2}) *v = StreamReadSingle(stream);
    }
    data = read;
}

void WriteHotTrackDataToIni(TZRRegIniFile& ini, const std::string& section, const THotTrackData& data) {
    ini.WriteInteger(section, "HotTrackDataAnzahl", data.Count);
    const auto rounded = [](float v) { return static_cast<double>(Round(static_cast<long double>(v) * 100)) / 100; };
    for (int i = 0; i < data.UsedCount(); ++i) {
        const THotTrackEntry& e = data.Entries[static_cast<size_t>(i)];
        const std::string key = "HotTrackData" + std::to_string(i);
        ini.WriteFloat(section, key + "XValue", rounded(e.Value1));
        ini.WriteFloat(section, key + "XMin", rounded(e.Min1));
        ini.WriteFloat(section, key + "XMax", rounded(e.Max1));
        ini.WriteFloat(section, key + "YValue", rounded(e.Value2));
        ini.WriteFloat(section, key + "YMin", rounded(e.Min2));
        ini.WriteFloat(section, key + "YMax", rounded(e.Max2));
    }
}
