#include "toolkit/base/streams.h"

#include <algorithm>
#include <cstring>

#include "toolkit/base/file_io.h"

// --- TStream --------------------------------------------------------------------

std::int64_t TStream::Size() {
  std::int64_t here = Seek(0, TSeekOrigin::soCurrent);
  std::int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(here, TSeekOrigin::soBeginning);
  return end;
}

void TStream::SetSize(std::int64_t) { throw EStreamError("stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EStreamError("negative copy count");
  std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::int64_t>(count > 0 ? count : 1, 65536)));
  std::int64_t left = count;
  while (left > 0) {
    std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

// --- TCustomMemoryStream --------------------------------------------------------

namespace {
std::int64_t NewPosition(std::int64_t base, std::int64_t offset) {
  std::int64_t p = base + offset;
  if (p < 0) throw EStreamError("seek before the start of the stream");
  return p;
}
}  // namespace

void TCustomMemoryStream::SetPointer(const std::uint8_t* memory, std::int64_t size) {
  memory_ = memory;
  size_ = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, memory_ + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Write(const void*, std::int64_t) {
  throw EStreamError("this stream cannot be written");
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case TSeekOrigin::soBeginning: position_ = NewPosition(0, offset); break;
    case TSeekOrigin::soCurrent: position_ = NewPosition(position_, offset); break;
    case TSeekOrigin::soEnd: position_ = NewPosition(size_, offset); break;
  }
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const {
  if (size_ > 0) stream.WriteBuffer(memory_, size_);
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const {
  if (!WriteFileBytes(fileName, memory_, static_cast<std::size_t>(size_)))
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
}

// --- TMemoryStream --------------------------------------------------------------

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  std::size_t end = static_cast<std::size_t>(position_ + count);
  if (end > data_.size()) {
    if (end > data_.capacity()) data_.reserve(std::max(end, data_.capacity() + data_.capacity() / 2));
    data_.resize(end);
  }
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  Sync();
  return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError("negative stream size");
  data_.resize(static_cast<std::size_t>(size));
  position_ = std::min(position_, size);
  Sync();
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
  Sync();
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
  if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  data_.swap(bytes);
  position_ = 0;
  Sync();
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TBytes bytes;
  if (!ReadFileBytes(fileName, bytes)) throw EFOpenError("Cannot open file \"" + fileName + "\"");
  data_.swap(bytes);
  position_ = 0;
  Sync();
}

// --- TFileStream ----------------------------------------------------------------

namespace {

// Moves count bytes in pieces of at most 1 GiB through move(done, want), which
// gives how many it moved (0 or less ends it); gives the total moved.
template <class Move>
std::int64_t InPieces(std::int64_t count, Move move) {
  std::int64_t total = 0;
  while (count > 0) {
    const std::int64_t moved = move(total, std::min<std::int64_t>(count, 1 << 30));
    if (moved <= 0) break;
    total += moved;
    count -= moved;
  }
  return total;
}

[[noreturn]] void ThrowCannotOpen(const std::string& fileName, TFileMode mode) {
  if (mode == TFileMode::fmCreate) throw EFCreateError("Cannot create file \"" + fileName + "\"");
  throw EFOpenError("Cannot open file \"" + fileName + "\"");
}

}  // namespace

#ifdef _WIN32
#include <windows.h>

#include "toolkit/base/gbk_wide.h"

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
  DWORD access = GENERIC_READ, share = FILE_SHARE_READ, disposition = OPEN_EXISTING;
  switch (mode) {
    case TFileMode::fmCreate: access = GENERIC_READ | GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case TFileMode::fmOpenRead: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case TFileMode::fmOpenWrite: access = GENERIC_WRITE; break;
    case TFileMode::fmOpenReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  HANDLE h = CreateFileW(GbkToWide(fileName).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowCannotOpen(fileName, mode);
  handle_ = h;
}

TFileStream::~TFileStream() { CloseHandle(static_cast<HANDLE>(handle_)); }

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  auto* p = static_cast<std::uint8_t*>(buffer);
  return InPieces(count, [&](std::int64_t done, std::int64_t want) -> std::int64_t {
    DWORD got = 0;
    return ReadFile(static_cast<HANDLE>(handle_), p + done, static_cast<DWORD>(want), &got, nullptr) ? got : 0;
  });
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  return InPieces(count, [&](std::int64_t done, std::int64_t want) -> std::int64_t {
    DWORD put = 0;
    return WriteFile(static_cast<HANDLE>(handle_), p + done, static_cast<DWORD>(want), &put, nullptr) ? put : 0;
  });
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  DWORD how = origin == TSeekOrigin::soBeginning ? FILE_BEGIN : origin == TSeekOrigin::soCurrent ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), distance, &result, how))
    throw EStreamError("seek failed in \"" + fileName_ + "\"");
  return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
  std::int64_t here = Seek(0, TSeekOrigin::soCurrent);
  Seek(size, TSeekOrigin::soBeginning);
  bool ok = SetEndOfFile(static_cast<HANDLE>(handle_)) != 0;
  Seek(std::min(here, size), TSeekOrigin::soBeginning);
  if (!ok) throw EStreamError("cannot change the size of \"" + fileName_ + "\"");
}

#else
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
  int flags = O_RDONLY;
  switch (mode) {
    case TFileMode::fmCreate: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case TFileMode::fmOpenRead: flags = O_RDONLY; break;
    case TFileMode::fmOpenWrite: flags = O_WRONLY; break;
    case TFileMode::fmOpenReadWrite: flags = O_RDWR; break;
  }
  fd_ = ::open(fileName.c_str(), flags | O_CLOEXEC, 0644);
  if (fd_ < 0) ThrowCannotOpen(fileName, mode);
}

TFileStream::~TFileStream() { ::close(fd_); }

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  auto* p = static_cast<std::uint8_t*>(buffer);
  return InPieces(count, [&](std::int64_t done, std::int64_t want) -> std::int64_t {
    ssize_t got;
    do got = ::read(fd_, p + done, static_cast<std::size_t>(want));
    while (got < 0 && errno == EINTR);
    return got;
  });
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  return InPieces(count, [&](std::int64_t done, std::int64_t want) -> std::int64_t {
    ssize_t put;
    do put = ::write(fd_, p + done, static_cast<std::size_t>(want));
    while (put < 0 && errno == EINTR);
    return put;
  });
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  int how = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(fd_, static_cast<off_t>(offset), how);
  if (r < 0) throw EStreamError("seek failed in \"" + fileName_ + "\"");
  return static_cast<std::int64_t>(r);
}

void TFileStream::SetSize(std::int64_t size) {
  std::int64_t here = Seek(0, TSeekOrigin::soCurrent);
  if (size < 0 || ::ftruncate(fd_, static_cast<off_t>(size)) != 0)
    throw EStreamError("cannot change the size of \"" + fileName_ + "\"");
  Seek(std::min(here, size), TSeekOrigin::soBeginning);
}
#endif
