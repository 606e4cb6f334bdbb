#pragma once
// Loading the dictionary files beside the program into their tables.
#include <functional>
#include <string>
#include "practice/data/dict_records.h"
#include "toolkit/base/exception.h"
#include "toolkit/base/file_io.h"

// A dictionary that cannot be loaded: the file's name and what went wrong (GBK).
class EDictionaryError : public Exception {
public:
  EDictionaryError(const std::string& fileName, const std::string& reason)
      : Exception(fileName + ": " + reason), FileName(fileName), Reason(reason) {}
  std::string FileName;
  std::string Reason;
};

// A whole binary file plus one zero byte, and its number of records.
struct TBinaryBuffer {
  TBytes Data;
  int Count = 0;
  // Record k (0-based) of `size` bytes.
  const char* Record(int k, int size) const {
    return reinterpret_cast<const char*>(Data.data()) + std::size_t(k) * std::size_t(size);
  }
  void Free() {
    Data.clear();
    Data.shrink_to_fit();
    Count = 0;
  }
};

// Reads a plain binary file into `buf` with Count = size div recordSize;
// false when it cannot be opened or read.
bool LoadBinaryDictionary(const std::string& path, int recordSize, TBinaryBuffer& buf);

// Deciphers "wbzg.dat": Count = deciphered size div 5 - 1. Throws EDictionaryError.
void LoadWbzgDictionary(const std::string& folder, TBinaryBuffer& buf);

// Called with each line (CR LF removed) of at least the minimum length; returns
// false when its table is full, which stops the reading.
using TLineHandler = std::function<bool(const std::string& line)>;

// Deciphers `name` from `folder` into its "...Temp.dat" file there (in
// `spareFolder` where `folder` refuses it; an empty spare folder is none),
// reads that back line by line until the end or the first line shorter than
// minLength, and deletes it on every path. Returns the number of lines handed
// over. Throws EDictionaryError when a file cannot be read or written, or when
// its text does not end in CR LF and the cipher's zero padding (damaged, or
// not enciphered with the dictionary key).
int LoadTextDictionary(const std::string& folder, const std::string& name, int minLength,
                       const TLineHandler& handler, const std::string& spareFolder = "");

// Fills groups 1..19 from PYs records 1-34 (in pairs), 35-37 and 38-40.
void BuildPinyinGroups(const TPYsTable& pys, svlcharsetpy2 groups[kPinyinGroupCount + 1]);

// The group whose readings PYs record `recordNo` belongs to, 0 when none.
int PinyinGroupOfRecord(int recordNo);

// Every dictionary table of the program, loaded once at start-up.
struct TDictionaries {
  TBinaryBuffer Wb1Buffer, Wb2Buffer, WbzgBuffer;
  TWbOneTable WbOneTable;
  TWbsTable WbsTable;
  TWbTwoTable WbTwoTable;
  TWbMultiTable WbMultiTable;
  TPYsTable PYsTable;
  TPYOneTable PYOneTable;
  TPYTwoTable PYTwoTable;
  TPYMultiTable PYMultiTable;
  svlcharsetpy2 PinyinGroups[kPinyinGroupCount + 1];  // 1..19
  bool Loaded = false;

  // Frees the three byte buffers (shut-down).
  void FreeBuffers();
};

enum class TDictLoadStatus {
  Ok,
  ShortCodesNotOpened,  // "wb1.dat" or "wb2.dat" could not be opened
  Failed                // another file could not be loaded, or a required table is empty
};

struct TDictLoadResult {
  TDictLoadStatus Status = TDictLoadStatus::Ok;
  std::string FileName;
  std::string Reason;
  // "file: reason", for the failure message.
  std::string Message() const { return FileName + ": " + Reason; }
};

// Loads all eleven files from the program folder (ending in a path separator)
// in start-up order. The temporary files go beside them, or into
// `spareFolder` (ending in a separator) once the program folder refuses one.
// On any failure `out` is left empty with Loaded false; a failed "wb1.dat"
// stops before "wb2.dat" is tried.
TDictLoadResult LoadDictionaries(const std::string& folder, TDictionaries& out, const std::string& spareFolder = "");
