#pragma once
// The untagged snapshot values of figures: little-endian bytes on any
// stream, used by every TFigure::SaveToStream and LoadFromStream. Doubles
// travel as their 8 bytes, so every bit pattern loads.

#include "foundation/StreamHelp.h"

inline void WriteStreamByte(TStream& s, uint8_t v) { StreamWriteByte(s, v); }
inline uint8_t ReadStreamByte(TStream& s) { return StreamReadByte(s); }
inline void WriteStreamInt(TStream& s, int32_t v) { StreamWriteInt(s, v); }
inline int32_t ReadStreamInt(TStream& s) { return StreamReadInt(s); }
inline void WriteStreamDouble(TStream& s, double v) { StreamWriteValue(s, v); }
inline double ReadStreamDouble(TStream& s) { return StreamReadValue<double>(s); }
// The same bytes; the WordArt figure uses this pair.
inline void WriteStreamDouble2(TStream& s, double v) { StreamWriteValue(s, v); }
inline double ReadStreamDoublePlain(TStream& s) { return StreamReadValue<double>(s); }
// 32-bit signed length, then the bytes; a length of 0 or less is "".
inline void WriteStreamString(TStream& s, const std::string& v) { StreamWriteString(s, v); }
inline std::string ReadStreamString(TStream& s) { return StreamReadString(s); }
