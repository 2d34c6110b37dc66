#pragma once
// The MD5 digest of a file, a memory block or a string (RFC 1321): the four
// state words A, B, C and D, each little-endian, in that order. Inputs of
// any length are digested piece by piece.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using TMcDigest = std::array<uint8_t, 16>;

class TMcMD5 {
public:
    enum class InputKind : uint8_t { File = 0, Memory = 1, String = 2 };

    InputKind Kind = InputKind::String;
    std::string FileName;
    const void* Block = nullptr;
    int64_t Length = 0;  // of the memory block
    std::string Text;
    TMcDigest* Digest = nullptr;  // the caller's 16 bytes

    // Fills *Digest from the input of the kind chosen; a file that cannot be
    // read raises EFOpenError or EReadError.
    void Run();

    // The digest of bytes without an object.
    static TMcDigest Of(std::string_view bytes);

private:
    void Start();
    void Update(const uint8_t* data, size_t size);
    TMcDigest Finish();
    TMcDigest StateDigest() const;  // of the state as it is
    void Transform(const uint8_t* block);

    std::array<uint32_t, 4> state_{};
    std::array<uint8_t, 64> buffer_{};
    uint64_t total_ = 0;  // bytes so far
};
