#pragma once
// Byte streams: the one way the program reads and writes bytes, in memory or
// in files. Every reader of outside bytes goes through ReadBuffer and
// RequireAvailable, which refuse to read past the end with EReadError, so a
// damaged or hostile input can never make the program allocate or copy more
// than the bytes that are actually there.

#include <cstdint>
#include <string>
#include <vector>

// The message of a read past the end of a stream.
inline constexpr const char* kStreamReadError = "Stream read error";
// Raises EReadError with that message: the input is damaged or cut short.
[[noreturn]] void ThrowStreamReadError();

enum class SeekOrigin { Begin, Current, End };

class TStream {
public:
    virtual ~TStream() = default;
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Reads up to count bytes; returns how many arrived (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes count bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; returns the new position.
    virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(int64_t position) { Seek(position, SeekOrigin::Begin); }
    // Bytes between the position and the end.
    int64_t Remaining();

    // Reads exactly count bytes or raises EReadError (nothing is read then).
    void ReadBuffer(void* buffer, int64_t count);
    // Writes exactly count bytes or raises EWriteError.
    void WriteBuffer(const void* buffer, int64_t count);
    // Raises EReadError unless 0 <= count <= Remaining(). Call it before
    // allocating anything sized by a count read from the stream.
    void RequireAvailable(int64_t count);
    // Copies count bytes from source (all of it from position 0 when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    uint8_t* Memory() { return data_.data(); }
    const uint8_t* Memory() const { return data_.data(); }
    const std::vector<uint8_t>& Bytes() const { return data_; }
    void LoadFromStream(TStream& source);  // the whole source, from position 0
    void SaveToStream(TStream& target);    // the whole content
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

enum class FileMode {
    OpenRead,       // existing file, read only
    OpenReadWrite,  // existing file, read and write
    Create,         // created or truncated, read and write
};

// A file on disk (paths are UTF-8). Opening failures raise EFOpenError or
// EFCreateError with the file name in the message.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, FileMode mode);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    void SetSize(int64_t size) override;
    // Pushes the written bytes to the disk; raises EWriteError when the disk
    // does not take them.
    void Flush();

    const std::string& FileName() const { return fileName_; }
    // The system's error number of the last write, flush or resize that
    // failed; 0 while none has.
    int LastError() const { return lastError_; }

private:
    std::string fileName_;
    int fd_ = -1;
    int lastError_ = 0;
};
