#pragma once
// Text files of GBK bytes read and written line by line.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TFileStream;

// Reads lines as Readln does: a line ends at CR LF, a lone CR or a lone LF, and
// the last line may have no end. Bytes are passed on untouched.
class TTextFileReader {
public:
  // Raises EFOpenError naming the file when it cannot be opened.
  explicit TTextFileReader(const std::string& fileName);
  ~TTextFileReader();
  TTextFileReader(const TTextFileReader&) = delete;
  TTextFileReader& operator=(const TTextFileReader&) = delete;

  // True when nothing is left to read.
  bool Eof();
  // The next line without its end; at the end of the file an empty line.
  std::string Readln();

private:
  bool Fill();  // false at the end of the file
  std::unique_ptr<TFileStream> file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0, end_ = 0;
};

// Creates (or truncates) a file and writes lines ended by CR LF. Close reports
// a failed write; the destructor closes quietly.
class TTextFileWriter {
public:
  // Raises EFCreateError naming the file when it cannot be created.
  explicit TTextFileWriter(const std::string& fileName);
  ~TTextFileWriter();
  TTextFileWriter(const TTextFileWriter&) = delete;
  TTextFileWriter& operator=(const TTextFileWriter&) = delete;

  void Write(const std::string& text);
  void Writeln(const std::string& line);
  // Writes what is buffered and closes; raises EWriteError when the disk took less.
  void Close();

private:
  void Flush();
  std::unique_ptr<TFileStream> file_;
  std::string buffer_;
};
