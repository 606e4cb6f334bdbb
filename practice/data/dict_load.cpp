#include "practice/data/dict_load.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include "practice/data/dict_cipher.h"
#include "practice/data/dict_parse.h"

namespace {
const char kCannotRead[] = "无法打开或读取文件";
const char kCannotWriteTemp[] = "无法写入临时文件";
const char kCannotReadTemp[] = "无法读取临时文件";
const char kEmpty[] = "文件中没有可用的记录";
const char kDamaged[] = "文件已损坏";

// A whole text dictionary deciphers to lines ending in CR LF plus the zero
// bytes that fill its last block; a damaged file or another key gives anything else.
bool IsWholeText(const TBytes& plain) {
  std::size_t end = plain.size(), zeros = 0;
  while (end > 0 && plain[end - 1] == 0 && zeros < 8) --end, ++zeros;
  if (plain.empty()) return true;
  return zeros < 8 && end >= 2 && plain[end - 2] == '\r' && plain[end - 1] == '\n';
}

// Hands each line (CR LF removed) to f until the end, the first line shorter
// than minLength, or f returning false. Returns the number of lines handed over.
template <class F>
int ForEachLine(const TBytes& text, int minLength, F&& f) {
  int lines = 0;
  std::size_t pos = 0;
  const char* chars = reinterpret_cast<const char*>(text.data());
  while (pos < text.size()) {
    const void* newline = std::memchr(chars + pos, '\n', text.size() - pos);
    std::size_t end = newline ? std::size_t(static_cast<const char*>(newline) - chars) : text.size();
    std::size_t next = end < text.size() ? end + 1 : end;
    if (end > pos && text[end - 1] == '\r' && end < text.size()) --end;
    std::string_view line(chars + pos, end - pos);
    pos = next;
    if (int(line.size()) < minLength) break;
    if (!f(line)) break;
    ++lines;
  }
  return lines;
}

// Where the deciphered texts are written: beside the dictionaries, or, once
// that folder refuses a file, the spare folder (none when empty).
class TTempFolders {
public:
  TTempFolders(const std::string& folder, const std::string& spare) : folders_{folder, spare} {}
  // Makes `temp` the file `name` holding `text` in the first folder that takes it.
  bool Write(const std::string& name, const TBytes& text, std::optional<TTempFile>& temp) {
    for (; next_ < 2; ++next_) {
      if (folders_[next_].empty()) continue;
      temp.emplace(folders_[next_] + name);  // a refused file is gone before the next is tried
      if (temp->Write(text)) return true;
    }
    temp.reset();
    return false;
  }

private:
  std::string folders_[2];
  int next_ = 0;
};

// Deciphers `name` into its temporary file, reads that back into `text` and
// hands its lines to f (ForEachLine); the file goes when this returns or throws.
template <class F>
int ReadLinesThroughTempFile(const std::string& folder, const std::string& name, int minLength,
                             TTempFolders& temps, TBytes& text, F&& f) {
  if (!DecipherFile(folder + name, text)) throw EDictionaryError(name, kCannotRead);
  if (!IsWholeText(text)) throw EDictionaryError(name, kDamaged);
  const std::string tempName = TempDictionaryName(name);
  std::optional<TTempFile> temp;
  if (!temps.Write(tempName, text, temp)) throw EDictionaryError(tempName, kCannotWriteTemp);
  if (!temp->ReadBack(text)) throw EDictionaryError(tempName, kCannotReadTemp);
  return ForEachLine(text, minLength, f);
}

// Records are parsed straight into their place in the table; `text` is the
// buffer every file goes through in turn.
template <class Table, class Record>
void LoadTable(const std::string& folder, const std::string& name, int minLength, Table& table,
               void (*parse)(std::string_view, Record&), bool required, TTempFolders& temps, TBytes& text) {
  table.Clear();
  table.Reserve();
  ReadLinesThroughTempFile(folder, name, minLength, temps, text, [&](std::string_view line) {
    Record* r = table.Append();
    if (r) parse(line, *r);
    return r != nullptr;
  });
  if (required && table.Count() == 0) throw EDictionaryError(name, kEmpty);
}
}  // namespace

bool LoadBinaryDictionary(const std::string& path, int recordSize, TBinaryBuffer& buf) {
  TBytes bytes;
  if (!ReadFileBytes(path, bytes)) return false;
  buf.Count = int(bytes.size() / std::size_t(recordSize));
  bytes.push_back(0);
  buf.Data = std::move(bytes);
  return true;
}

void LoadWbzgDictionary(const std::string& folder, TBinaryBuffer& buf) {
  const std::string name = "wbzg.dat";
  TBytes plain;
  if (!DecipherFile(folder + name, plain)) throw EDictionaryError(name, kCannotRead);
  int count = int(plain.size() / kWbzgRecordSize) - 1;
  plain.push_back(0);
  buf.Data = std::move(plain);
  buf.Count = count < 0 ? 0 : count;
}

int LoadTextDictionary(const std::string& folder, const std::string& name, int minLength,
                       const TLineHandler& handler, const std::string& spareFolder) {
  TBytes text;
  std::string line;
  TTempFolders temps(folder, spareFolder);
  return ReadLinesThroughTempFile(folder, name, minLength, temps, text,
                                  [&](std::string_view view) { return handler(line.assign(view)); });
}

void BuildPinyinGroups(const TPYsTable& pys, svlcharsetpy2 groups[kPinyinGroupCount + 1]) {
  for (int g = 0; g <= kPinyinGroupCount; ++g) groups[g] = svlcharsetpy2();
  auto fill = [&](int g, int s, int record) {
    if (record > pys.Count()) return;
    const svlcharsetPYs& r = pys[record];
    groups[g].HintSpellings[s] = r.HintSpelling;
    groups[g].Pinyins[s] = r.Pinyin;
    groups[g].SoundNames[s] = r.SoundName;
  };
  for (int g = 1; g <= 17; ++g) {
    fill(g, 1, 2 * g - 1);
    fill(g, 2, 2 * g);
  }
  for (int s = 1; s <= 3; ++s) {
    fill(18, s, 34 + s);
    fill(19, s, 37 + s);
  }
}

int PinyinGroupOfRecord(int recordNo) {
  if (recordNo < 1 || recordNo > 40) return 0;
  if (recordNo <= 34) return (recordNo + 1) / 2;
  return recordNo <= 37 ? 18 : 19;
}

void TDictionaries::FreeBuffers() {
  Wb1Buffer.Free();
  Wb2Buffer.Free();
  WbzgBuffer.Free();
}

namespace {
void ClearAll(TDictionaries& d) {
  d.FreeBuffers();
  d.WbOneTable.Clear();
  d.WbsTable.Clear();
  d.WbTwoTable.Clear();
  d.WbMultiTable.Clear();
  d.PYsTable.Clear();
  d.PYOneTable.Clear();
  d.PYTwoTable.Clear();
  d.PYMultiTable.Clear();
  for (auto& g : d.PinyinGroups) g = svlcharsetpy2();
  d.Loaded = false;
}

void LoadEnciphered(const std::string& folder, const std::string& spareFolder, TDictionaries& d) {
  LoadWbzgDictionary(folder, d.WbzgBuffer);
  if (d.WbzgBuffer.Count <= 0) throw EDictionaryError("wbzg.dat", kEmpty);
  TTempFolders temps(folder, spareFolder);
  TBytes text;
  LoadTable(folder, "wbOne.dat", kWbOneMinLine, d.WbOneTable, ParseWbOneLine, false, temps, text);
  LoadTable(folder, "wbs.dat", kWbsMinLine, d.WbsTable, ParseWbsLine, true, temps, text);
  LoadTable(folder, "wbTwo.dat", kWbTwoMinLine, d.WbTwoTable, ParseWbTwoLine, true, temps, text);
  LoadTable(folder, "wbMulti.dat", kWbMultiMinLine, d.WbMultiTable, ParseWbMultiLine, false, temps, text);
  LoadTable(folder, "PYs.dat", kPYsMinLine, d.PYsTable, ParsePYsLine, true, temps, text);
  BuildPinyinGroups(d.PYsTable, d.PinyinGroups);
  LoadTable(folder, "PYOne.dat", kPYOneMinLine, d.PYOneTable, ParsePYOneLine, false, temps, text);
  LoadTable(folder, "PYTwo.dat", kPYTwoMinLine, d.PYTwoTable, ParsePYTwoLine, true, temps, text);
  LoadTable(folder, "PYMulti.dat", kPYMultiMinLine, d.PYMultiTable, ParsePYMultiLine, false, temps, text);
}
}  // namespace

TDictLoadResult LoadDictionaries(const std::string& folder, TDictionaries& out, const std::string& spareFolder) {
  ClearAll(out);
  TDictLoadResult result;
  // Built aside and moved in only when complete, so a failure leaves nothing half-loaded.
  auto d = std::make_unique<TDictionaries>();
  const char* shortCodes[2] = {"wb1.dat", "wb2.dat"};
  TBinaryBuffer* buffers[2] = {&d->Wb1Buffer, &d->Wb2Buffer};
  const int sizes[2] = {kWb1RecordSize, kWb2RecordSize};
  for (int i = 0; i < 2; ++i) {
    if (!LoadBinaryDictionary(folder + shortCodes[i], sizes[i], *buffers[i])) {
      result.Status = TDictLoadStatus::ShortCodesNotOpened;
      result.FileName = shortCodes[i];
      result.Reason = kCannotRead;
      return result;
    }
  }
  try {
    for (int i = 0; i < 2; ++i)
      if (buffers[i]->Count <= 0) throw EDictionaryError(shortCodes[i], kEmpty);
    LoadEnciphered(folder, spareFolder, *d);
  } catch (const EDictionaryError& e) {
    result.Status = TDictLoadStatus::Failed;
    result.FileName = e.FileName;
    result.Reason = e.Reason;
    return result;
  } catch (const std::exception& e) {
    result.Status = TDictLoadStatus::Failed;
    result.FileName = "";
    result.Reason = e.what();
    return result;
  }
  d->Loaded = true;
  out = std::move(*d);
  return result;
}
