#include "toolkit/base/text_file.h"

#include "toolkit/base/streams.h"

namespace {
constexpr std::size_t kChunk = 64 * 1024;
}

// --- TTextFileReader ----------------------------------------------------------------

TTextFileReader::TTextFileReader(const std::string& fileName)
    : file_(new TFileStream(fileName, TFileMode::fmOpenRead)), buffer_(kChunk) {}

TTextFileReader::~TTextFileReader() = default;

bool TTextFileReader::Fill() {
  if (pos_ < end_) return true;
  pos_ = 0;
  end_ = static_cast<std::size_t>(file_->Read(buffer_.data(), static_cast<std::int64_t>(buffer_.size())));
  return end_ > 0;
}

bool TTextFileReader::Eof() { return !Fill(); }

std::string TTextFileReader::Readln() {
  std::string line;
  while (Fill()) {
    std::size_t start = pos_;
    while (pos_ < end_ && buffer_[pos_] != '\r' && buffer_[pos_] != '\n') ++pos_;
    line.append(buffer_.data() + start, pos_ - start);
    if (pos_ == end_) continue;  // the line goes on in the next chunk
    char ending = buffer_[pos_++];
    // A CR may be followed by its LF, possibly at the start of the next chunk.
    if (ending == '\r' && Fill() && buffer_[pos_] == '\n') ++pos_;
    break;
  }
  return line;
}

// --- TTextFileWriter ----------------------------------------------------------------

TTextFileWriter::TTextFileWriter(const std::string& fileName)
    : file_(new TFileStream(fileName, TFileMode::fmCreate)) {}

TTextFileWriter::~TTextFileWriter() {
  try {
    Close();
  } catch (...) {
    // Close() is where a caller learns of failures; a destructor must not throw.
  }
}

void TTextFileWriter::Flush() {
  if (buffer_.empty() || !file_) return;
  std::string pending;
  pending.swap(buffer_);
  file_->WriteBuffer(pending.data(), static_cast<std::int64_t>(pending.size()));
}

void TTextFileWriter::Write(const std::string& text) {
  if (!file_) throw EWriteError("text file is closed");
  buffer_ += text;
  if (buffer_.size() >= kChunk) Flush();
}

void TTextFileWriter::Writeln(const std::string& line) {
  Write(line);
  Write("\r\n");
}

void TTextFileWriter::Close() {
  if (!file_) return;
  try {
    Flush();
  } catch (...) {
    file_.reset();
    throw;
  }
  file_.reset();
}
