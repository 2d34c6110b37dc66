#pragma once
// Metafiles built by hand for the player tests: a placeable WMF and an EMF,
// record by record.

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace metatest {

struct Bytes {
    std::vector<uint8_t> v;
    Bytes& U8(uint32_t x) { v.push_back(uint8_t(x)); return *this; }
    Bytes& U16(uint32_t x) { v.push_back(uint8_t(x)), v.push_back(uint8_t(x >> 8)); return *this; }
    Bytes& I16(int32_t x) { return U16(uint32_t(uint16_t(int16_t(x)))); }
    Bytes& U32(uint32_t x) { U16(x & 0xFFFF), U16(x >> 16); return *this; }
    Bytes& I32(int32_t x) { return U32(uint32_t(x)); }
    Bytes& F32(float f) {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        return U32(bits);
    }
    Bytes& Add(const std::vector<uint8_t>& bytes) { v.insert(v.end(), bytes.begin(), bytes.end()); return *this; }
    Bytes& Text(const std::string& s) { v.insert(v.end(), s.begin(), s.end()); return *this; }
    Bytes& Pad(size_t multiple) { while (v.size() % multiple) v.push_back(0); return *this; }
};

// A placeable WMF: the records are 16-bit words after the function number.
class Wmf {
public:
    // A record of 16-bit parameters.
    Wmf& Rec(uint16_t function, std::initializer_list<int32_t> params) {
        Bytes p;
        for (int32_t x : params) p.I16(x);
        return Raw(function, p.v);
    }
    Wmf& Raw(uint16_t function, std::vector<uint8_t> params) {
        if (params.size() % 2) params.push_back(0);
        records_.U32(uint32_t(3 + params.size() / 2)).U16(function).Add(params);
        return *this;
    }
    // The file: placeable header with its checksum, standard header, records, end.
    std::vector<uint8_t> File(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t objects = 4) const {
        Bytes out;
        out.U32(0x9AC6CDD7).U16(0).I16(left).I16(top).I16(right).I16(bottom).U16(1440).U32(0);
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(out.v[i] | out.v[i + 1] << 8);
        out.U16(sum);
        out.U16(1).U16(9).U16(0x0300).U32(uint32_t((18 + records_.v.size() + 6) / 2)).U16(objects).U32(0).U16(0);
        out.Add(records_.v);
        out.U32(3).U16(0);  // end of file
        return out.v;
    }

private:
    Bytes records_;
};

// An EMF whose frame is (0, 0)-(w, h) pixels of a 1000 x 1000 pixel, 100 x 100 mm reference device.
class Emf {
public:
    Emf& Rec(uint32_t type, const Bytes& params) {
        Bytes p = params;
        p.Pad(4);
        records_.U32(type).U32(uint32_t(8 + p.v.size())).Add(p.v);
        ++count_;
        return *this;
    }
    Emf& Rec(uint32_t type, std::initializer_list<int32_t> params) {
        Bytes p;
        for (int32_t x : params) p.I32(x);
        return Rec(type, p);
    }
    std::vector<uint8_t> File(int32_t w, int32_t h, uint16_t handles = 8, int32_t sizeAdjust = 0) const {
        Bytes records = records_;
        records.U32(14).U32(20).U32(0).U32(16).U32(20);  // EOF
        Bytes out;
        out.U32(1).U32(108).I32(0).I32(0).I32(w - 1).I32(h - 1);
        out.I32(0).I32(0).I32(w * 10).I32(h * 10);  // frame in hundredths of a millimetre: 10 per pixel
        out.U32(0x464D4520).U32(0x10000).U32(uint32_t(108 + records.v.size() + sizeAdjust)).U32(count_ + 2);
        out.U16(handles).U16(0).U32(0).U32(0).U32(0);
        out.I32(1000).I32(1000).I32(100).I32(100).U32(0).U32(0).U32(0).I32(100000).I32(100000);
        out.Add(records.v);
        return out.v;
    }

private:
    Bytes records_;
    uint32_t count_ = 0;
};

// An EMF of 1000 x 1000 pixels whose every level saves the state, selects a
// clip region of rectangles scattered over spread x spread units with the
// combine mode (1 AND .. 5 COPY) and fills the whole picture: the region
// work of saved states.
inline std::vector<uint8_t> ClipLevelsEmf(int32_t levels, int32_t rectsPerLevel, uint32_t mode, int32_t spread = 1000) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int32_t> at(0, spread), size(1, 50);
    Emf emf;
    for (int32_t level = 0; level < levels; ++level) {
        Bytes clip;
        clip.U32(32 + 16 * uint32_t(rectsPerLevel)).U32(mode);
        clip.U32(32).U32(1).U32(uint32_t(rectsPerLevel)).U32(16 * uint32_t(rectsPerLevel)).I32(0).I32(0).I32(1000).I32(1000);
        for (int32_t i = 0; i < rectsPerLevel; ++i) {
            const int32_t x = at(random), y = at(random);
            clip.I32(x).I32(y).I32(x + size(random)).I32(y + size(random));
        }
        emf.Rec(33, Bytes{}).Rec(75, clip).Rec(43, {0, 0, 1000, 1000});
    }
    return emf.File(1000, 1000);
}

}  // namespace metatest
