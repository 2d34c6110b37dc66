#include "treectl/support/McMD5.h"

#include "foundation/Stream.h"

#include <bit>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};
constexpr int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                            5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                            4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                            6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

// The message word of each of the 64 steps.
constexpr int kWord[64] = {0, 1, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                           1, 6, 11, 0,  5,  10, 15, 4,  9,  14, 3,  8,  13, 2,  7,  12,
                           5, 8, 11, 14, 1,  4,  7,  10, 13, 0,  3,  6,  9,  12, 15, 2,
                           0, 7, 14, 5,  12, 3,  10, 1,  8,  15, 6,  13, 4,  11, 2,  9};

uint32_t Word(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

}  // namespace

void TMcMD5::Start() {
    state_ = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
    total_ = 0;
}

void TMcMD5::Transform(const uint8_t* block) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = Word(block + 4 * i);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    // The four rounds, each with its own mixing function.
    auto step = [&](int i, uint32_t f) {
        const uint32_t rotated = std::rotl(a + f + kSine[i] + x[kWord[i]], kShift[i]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    };
    for (int i = 0; i < 16; ++i) step(i, (b & c) | (~b & d));
    for (int i = 16; i < 32; ++i) step(i, (d & b) | (~d & c));
    for (int i = 32; i < 48; ++i) step(i, b ^ c ^ d);
    for (int i = 48; i < 64; ++i) step(i, c ^ (b | ~d));
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void TMcMD5::Update(const uint8_t* data, size_t size) {
    size_t filled = static_cast<size_t>(total_ % 64);
    total_ += size;
    while (size > 0) {
        const size_t take = std::min(size, 64 - filled);
        std::memcpy(buffer_.data() + filled, data, take);
        filled += take;
        data += take;
        size -= take;
        if (filled == 64) {
            Transform(buffer_.data());
            buffer_.fill(0);  // a block is cleared once it has been used
            filled = 0;
        }
    }
}

TMcDigest TMcMD5::Finish() {
    const uint64_t bits = total_ * 8;
    // 0x80, zeros up to 56 bytes into a block, then the bit count.
    uint8_t padding[72] = {0x80};
    const size_t used = static_cast<size_t>(total_ % 64);
    const size_t zeros = used < 56 ? 56 - used : 120 - used;
    for (int i = 0; i < 8; ++i) padding[zeros + static_cast<size_t>(i)] = static_cast<uint8_t>(bits >> (8 * i));
    Update(padding, zeros + 8);
    return StateDigest();
}

TMcDigest TMcMD5::StateDigest() const {
    TMcDigest digest;
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 4; ++k) digest[static_cast<size_t>(4 * i + k)] = static_cast<uint8_t>(state_[i] >> (8 * k));
    }
    return digest;
}

void TMcMD5::Run() {
    Start();
    switch (Kind) {
    case InputKind::File: {
        TFileStream file(FileName, FileMode::OpenRead);
        std::vector<uint8_t> piece(4096);
        while (true) {
            const int64_t got = file.Read(piece.data(), static_cast<int64_t>(piece.size()));
            if (got <= 0) break;
            Update(piece.data(), static_cast<size_t>(got));
        }
        break;
    }
    case InputKind::Memory:
        if (Block && Length > 0) Update(static_cast<const uint8_t*>(Block), static_cast<size_t>(Length));
        break;
    case InputKind::String:
        Update(reinterpret_cast<const uint8_t*>(Text.data()), Text.size());
        break;
    }
    const TMcDigest digest = Finish();
    if (Digest) *Digest = digest;
}

TMcDigest TMcMD5::Of(std::string_view bytes) {
    TMcMD5 md5;
    md5.Start();
    if (bytes.size() < 56) {
        // A short key and its padding make one block: no buffering.
        std::array<uint8_t, 64> block{};
        std::memcpy(block.data(), bytes.data(), bytes.size());
        block[bytes.size()] = 0x80;
        const uint64_t bits = uint64_t{bytes.size()} * 8;
        for (int i = 0; i < 8; ++i) block[56 + static_cast<size_t>(i)] = static_cast<uint8_t>(bits >> (8 * i));
        md5.Transform(block.data());
        return md5.StateDigest();
    }
    md5.Update(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return md5.Finish();
}
