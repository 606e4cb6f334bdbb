#pragma once
// Whole-file access by GBK path. On Windows the path is converted from code
// page 936 explicitly, so it reads right whatever the system's code page.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Each returns false (and leaves the output untouched) when the file cannot be
// opened, read or written in full.
bool ReadFileBytes(const std::string& path, TBytes& out);
// As ReadFileBytes, but into the memory `buffer` already holds, so that a
// buffer used for file after file is allocated once; after a failure its
// content is unspecified.
bool ReadFileInto(const std::string& path, TBytes& buffer);
bool WriteFileBytes(const std::string& path, const void* data, std::size_t size);
bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);
// The file exists and may be opened for writing (it is opened and closed, unchanged).
bool FileAcceptsWrites(const std::string& path);
// Appends `line` and CR LF, first ending an unfinished last line; creates the file.
bool AppendFileLine(const std::string& path, const std::string& line);
// Copies a file chunk by chunk; a failed copy removes what was written.
bool CopyFileBytes(const std::string& source, const std::string& target);
// Replaces `target` with `source` in one step (the old target survives a failure).
bool MoveFileOver(const std::string& source, const std::string& target);

// A temporary file that exists while the object lives: written once, read
// back through the same open file, removed when the object goes.
class TTempFile {
public:
  explicit TTempFile(std::string path) : path_(std::move(path)) {}
  ~TTempFile();
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  bool Write(const TBytes& bytes);  // creates the file
  bool ReadBack(TBytes& out);       // the whole file

private:
  std::string path_;
  void* file_ = nullptr;
};
