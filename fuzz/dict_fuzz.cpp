// The eleven dictionary files from any bytes, loaded as start-up loads them.
// The first byte picks the file and the form of the rest (dict_files.h); the
// other ten files hold one good record each (a plain file as few as it may hold).
#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "dict_files.h"
#include "dict_oracle.h"
#include "fuzz_check.h"
#include "practice/data/dict_cipher.h"
#include "practice/data/dict_load.h"

namespace {
using namespace dictfiles;

std::string gFolder;

void Write(const std::string& name, const TBytes& bytes) {
  static const std::uint8_t none = 0;
  Check(WriteFileBytes(gFolder + name, bytes.empty() ? &none : bytes.data(), bytes.size()));
}

// One good record of each file (of a plain file, as few as it may hold), as stored.
TBytes GoodFile(const TFile& f) {
  if (f.Kind == TKind::Plain) return TBytes(static_cast<std::size_t>(f.MinLength * MinRecords(f)), 'a');
  const std::string text = f.Kind == TKind::Wbzg ? std::string(10, 'a') : std::string(90, 'a') + "\r\n";
  return EncipherBytes(TBytes(text.begin(), text.end()));
}

void RemoveFolder() {
  for (const TFile& f : kFiles) std::remove((gFolder + f.Name).c_str());
  rmdir(gFolder.c_str());
}

// The folder holds the eleven files and nothing else: no temporary file is left.
void CheckFolder() {
  std::set<std::string> names;
  if (DIR* d = opendir(gFolder.c_str())) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') names.insert(e->d_name);
    closedir(d);
  }
  Check(names.size() == static_cast<std::size_t>(kFileCount));
}

bool Empty(const TDictionaries& d) {
  return !d.Loaded && d.Wb1Buffer.Data.empty() && d.Wb2Buffer.Data.empty() && d.WbzgBuffer.Data.empty() &&
         d.WbOneTable.Count() == 0 && d.WbsTable.Count() == 0 && d.WbTwoTable.Count() == 0 &&
         d.WbMultiTable.Count() == 0 && d.PYsTable.Count() == 0 && d.PYOneTable.Count() == 0 &&
         d.PYTwoTable.Count() == 0 && d.PYMultiTable.Count() == 0 && d.PinyinGroups[1].Pinyins[1].empty();
}

// The table holds one record per line the format lets in, each cut as the format says.
template <class Table, class Parse>
void CheckTable(const Table& table, const TBytes& plain, int minLength, Parse parse) {
  const std::vector<std::string> lines = oracle::TableLines(plain, minLength, Table::Capacity);
  Check(table.Count() == static_cast<int>(lines.size()));
  for (int r = 1; r <= table.Count(); ++r) Check(oracle::Of(table[r]) == parse(lines[static_cast<std::size_t>(r - 1)]));
}

// Groups 1..17 take PYs records in pairs, 18 and 19 three each; missing records leave empty slots.
void CheckGroups(const TDictionaries& d) {
  for (int record = 1; record <= 40; ++record) {
    const int g = record <= 34 ? (record + 1) / 2 : (record <= 37 ? 18 : 19);
    const int slot = record <= 34 ? 2 - record % 2 : (record - 35) % 3 + 1;
    const std::string expected = record <= d.PYsTable.Count() ? d.PYsTable[record].SoundName : "";
    Check(d.PinyinGroups[g].SoundNames[slot] == expected);
  }
}

// Whether the whole load should succeed with this file, and its table when it does.
bool Expected(const TFile& f, const TBytes& stored, const TBytes& plain) {
  switch (f.Kind) {
    case TKind::Plain: {
      const std::size_t size = static_cast<std::size_t>(f.MinLength);
      return stored.size() % size == 0 && stored.size() / size >= static_cast<std::size_t>(MinRecords(f));
    }
    case TKind::Wbzg: return plain.size() / kWbzgRecordSize > 1;
    default: break;
  }
  if (!oracle::WholeText(plain)) return false;
  return !f.Required || !oracle::TableLines(plain, f.MinLength, 1).empty();
}

void CheckLoaded(const TFile& f, const TDictionaries& d, const TBytes& stored, const TBytes& plain) {
  auto withZero = [](TBytes b) {
    b.push_back(0);
    return b;
  };
  switch (f.Kind) {
    case TKind::Plain: {
      const TBinaryBuffer& b = f.MinLength == kWb1RecordSize ? d.Wb1Buffer : d.Wb2Buffer;
      Check(b.Data == withZero(stored) && b.Count == static_cast<int>(stored.size()) / f.MinLength);
      break;
    }
    case TKind::Wbzg:
      Check(d.WbzgBuffer.Data == withZero(plain) && d.WbzgBuffer.Count == static_cast<int>(plain.size()) / 5 - 1);
      break;
    case TKind::WbOne: CheckTable(d.WbOneTable, plain, f.MinLength, oracle::WbOne); break;
    case TKind::Wbs: CheckTable(d.WbsTable, plain, f.MinLength, oracle::Wbs); break;
    case TKind::WbTwo: CheckTable(d.WbTwoTable, plain, f.MinLength, oracle::WbPhrase); break;
    case TKind::WbMulti: CheckTable(d.WbMultiTable, plain, f.MinLength, oracle::WbPhrase); break;
    case TKind::PYs: CheckTable(d.PYsTable, plain, f.MinLength, oracle::PYs); break;
    case TKind::PYOne: CheckTable(d.PYOneTable, plain, f.MinLength, oracle::PYs); break;
    case TKind::PYTwo: CheckTable(d.PYTwoTable, plain, f.MinLength, oracle::PYTwo); break;
    case TKind::PYMulti: CheckTable(d.PYMultiTable, plain, f.MinLength, oracle::PYMulti); break;
  }
  CheckGroups(d);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory when the system has it: every run writes and deletes files.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::string pattern = std::string(base) + "/tapmira-dict-fuzz.XXXXXX";
    if (mkdtemp(&pattern[0])) {
      gFolder = pattern + "/";
      break;
    }
  }
  Check(!gFolder.empty());
  for (const TFile& f : kFiles) Write(f.Name, GoodFile(f));
  std::atexit(RemoveFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const TFile& f = FileOf(data[0]);
  const bool fromText = IsText(data[0]) && f.Kind != TKind::Plain;
  const TBytes content(data + 1, data + size);
  const TBytes stored = fromText ? EncipherBytes(content) : content;
  // What the loader's decipher gives back: the text padded to whole blocks.
  TBytes plain = stored;
  if (fromText) plain = content, plain.resize((content.size() + 7) / 8 * 8, 0);
  else if (f.Kind != TKind::Plain) plain = DecipherBytes(stored);
  Write(f.Name, stored);

  TDictionaries d;
  const TDictLoadResult result = LoadDictionaries(gFolder, d);
  CheckFolder();
  const bool ok = result.Status == TDictLoadStatus::Ok;
  Check(ok == Expected(f, stored, plain));
  if (ok) {
    Check(d.Loaded);
    CheckLoaded(f, d, stored, plain);
  } else {
    // Nothing half-loaded, and the message names the file.
    Check(Empty(d) && result.Status == TDictLoadStatus::Failed && result.FileName == f.Name && !result.Reason.empty());
  }
  Write(f.Name, GoodFile(f));
  return 0;
}
