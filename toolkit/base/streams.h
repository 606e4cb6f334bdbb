#pragma once
// Byte streams: the abstract TStream, memory streams and file streams by GBK path.
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/exception.h"
#include "toolkit/base/object.h"

class EStreamError : public Exception {
public:
  using Exception::Exception;
};
// A short read of ReadBuffer, a short write of WriteBuffer.
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// A file that cannot be opened; the message names it.
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
// A file that cannot be created (caught by handlers of EFOpenError too).
class EFCreateError : public EFOpenError {
public:
  using EFOpenError::EFOpenError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  // Move up to count bytes; return how many were moved.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // The new position; raises EStreamError for a position before the start.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size);

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies count bytes from source's position; count 0 copies the whole source
  // from its start. Returns the bytes copied; a short source raises EReadError.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over a block of memory it does not grow; writing raises EStreamError.
// A derived class supplies the memory with SetPointer.
class TCustomMemoryStream : public TStream {
public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return size_; }

  // The first byte of the data (may be null when the size is 0).
  const std::uint8_t* Memory() const { return memory_; }
  void SaveToStream(TStream& stream) const;
  // Raises EFCreateError when the file cannot be created or written in full.
  void SaveToFile(const std::string& fileName) const;

protected:
  void SetPointer(const std::uint8_t* memory, std::int64_t size);
  std::int64_t position_ = 0;

private:
  const std::uint8_t* memory_ = nullptr;
  std::int64_t size_ = 0;
};

// A growable stream in memory; writing past the end extends it.
class TMemoryStream : public TCustomMemoryStream {
public:
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  void SetSize(std::int64_t size) override;  // new bytes are zero; a position past the end moves to it
  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }

  void Clear();
  // Replaces the content; the position goes to 0.
  void LoadFromStream(TStream& stream);
  // Raises EFOpenError (content unchanged) when the file cannot be read.
  void LoadFromFile(const std::string& fileName);

private:
  void Sync() { SetPointer(data_.data(), static_cast<std::int64_t>(data_.size())); }
  std::vector<std::uint8_t> data_;
};

enum class TFileMode {
  fmCreate,         // create or truncate, read and write
  fmOpenRead,       // existing file, read only
  fmOpenWrite,      // existing file, write only
  fmOpenReadWrite,  // existing file, read and write
};

// A file opened by GBK path (converted with code page 936 on Windows).
class TFileStream : public TStream {
public:
  // Raises EFOpenError (EFCreateError for fmCreate) naming the file.
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;
  const std::string& FileName() const { return fileName_; }

private:
  std::string fileName_;
  void* handle_ = nullptr;  // HANDLE on Windows
  int fd_ = -1;             // descriptor elsewhere
};
