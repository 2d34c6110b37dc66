#include "foundation/Stream.h"

#include "foundation/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char* const kWriteError = "Stream write error";
}  // namespace

int64_t TStream::Size() {
    const int64_t position = Position();
    const int64_t end = Seek(0, SeekOrigin::End);
    Seek(position, SeekOrigin::Begin);
    return end;
}

int64_t TStream::Remaining() {
    return std::max<int64_t>(0, Size() - Position());
}

void ThrowStreamReadError() { throw EReadError(kStreamReadError); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count == 0) return;
    RequireAvailable(count);
    if (Read(buffer, count) != count) ThrowStreamReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count == 0) return;
    if (count < 0 || Write(buffer, count) != count) throw EWriteError(kWriteError);
}

void TStream::RequireAvailable(int64_t count) {
    if (count < 0 || count > Remaining()) ThrowStreamReadError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    source.RequireAvailable(count);
    std::vector<uint8_t> chunk(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || position_ >= Size()) return 0;
    const int64_t n = std::min(count, Size() - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = position_ + count;
    if (end > Size()) data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    int64_t base = 0;
    if (origin == SeekOrigin::Current) base = position_;
    if (origin == SeekOrigin::End) base = Size();
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    position_ = std::min(position_, Size());
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t size = source.Size();
    data_.resize(static_cast<size_t>(size));
    source.ReadBuffer(data_.data(), size);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) {
    target.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, FileMode::OpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, FileMode::Create);
    SaveToStream(file);
}

// ---- TFileStream

TFileStream::TFileStream(const std::string& fileName, FileMode mode) : fileName_(fileName) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case FileMode::OpenRead: flags |= O_RDONLY; break;
    case FileMode::OpenReadWrite: flags |= O_RDWR; break;
    case FileMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    }
    fd_ = ::open(fileName.c_str(), flags, 0644);
    if (fd_ < 0) {
        const int error = errno;
        const std::string reason = std::strerror(error);
        if (mode == FileMode::Create)
            throw EFCreateError("Cannot create file \"" + fileName + "\": " + reason, error);
        throw EFOpenError("Cannot open file \"" + fileName + "\": " + reason, error);
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t done = 0;
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(fd_, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) lastError_ = errno;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
    int whence = SEEK_SET;
    if (origin == SeekOrigin::Current) whence = SEEK_CUR;
    if (origin == SeekOrigin::End) whence = SEEK_END;
    const off_t result = ::lseek(fd_, static_cast<off_t>(offset), whence);
    return result < 0 ? ::lseek(fd_, 0, SEEK_CUR) : result;
}

void TFileStream::SetSize(int64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) throw EWriteError(kWriteError, lastError_ = errno);
    if (Position() > size) SetPosition(size);
}

void TFileStream::Flush() {
    // Devices and pipes cannot be synced and need not be.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) throw EWriteError(kWriteError, lastError_ = errno);
}
