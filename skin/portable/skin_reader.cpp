#include "skin/portable/skin_reader.h"

#include <algorithm>

#include "skin/portable/lzh.h"
#include "toolkit/base/classes.h"
#include "toolkit/base/sysutils.h"

namespace {
class ESkinDamaged : public Exception {
public:
  using Exception::Exception;
};

std::int32_t Int32At(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// One name per line; lines end in CR, LF or CR LF; an empty last line is no entry.
std::vector<std::string> SplitNames(const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  return lines.ToVector();
}

constexpr std::int64_t kHeaderSize = 16;
}  // namespace

int TSkinReader::ExtraBlockLength(int version) {
  switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
  }
}

void TSkinReader::Decompress(TMemoryStream& source, TMemoryStream& destination) {
  source.SetPosition(0);
  destination.Clear();
  std::uint8_t header[4];
  if (source.Read(header, 4) != 4) throw ESkinDamaged("the container is shorter than its header");
  const std::int32_t size = Int32At(header);
  // Room for the result at once, but never more than the code stream can
  // produce (at most one match of F bytes per bit), whatever the size claims.
  const std::int64_t reachable = (source.Size() - 4 + 2) * 8 * 60;
  if (size > 0) {
    destination.SetSize(std::min<std::int64_t>({size, reachable, TLZH::MaxDecodedSize}));
    destination.SetPosition(0);
  }
  TLZH lzh;
  lzh.Decode(
      size,
      [&destination](void* buffer, int count, int& moved) {
        moved = static_cast<int>(destination.Write(buffer, count));
      },
      [&source](void* buffer, int count, int& moved) {
        moved = static_cast<int>(source.Read(buffer, count));
      });
  destination.SetPosition(0);
}

bool TSkinReader::Load(TMemoryStream& source) {
  std::string failure;
  try {
    auto decoded = std::make_unique<TMemoryStream>();
    Decompress(source, *decoded);
    const std::uint8_t* bytes = decoded->Memory();
    const std::int64_t total = decoded->Size();
    if (total < kHeaderSize) throw ESkinDamaged("the entry table is missing");
    const int version = Int32At(bytes);
    const int extra = ExtraBlockLength(version);
    if (extra < 0) {
      if (OnReport) OnReport(OldVersionMessage);
      return false;
    }
    const std::int32_t namesLength = Int32At(bytes + 4);
    std::int64_t at = kHeaderSize + extra;
    if (namesLength < 0 || at + namesLength > total) throw ESkinDamaged("the names do not fit the data");
    std::vector<std::string> names =
        SplitNames(LowerCase(std::string(reinterpret_cast<const char*>(bytes + at), static_cast<std::size_t>(namesLength))));
    at += namesLength;
    if (names.size() > static_cast<std::size_t>(MaxEntries)) throw ESkinDamaged("it names more than 1001 entries");
    const std::int64_t n = static_cast<std::int64_t>(names.size());
    if (at + 4 * n > total) throw ESkinDamaged("the entry sizes do not fit the data");
    std::vector<std::int32_t> sizes;
    std::vector<std::int64_t> offsets;
    std::int64_t sum = 0;
    for (std::int64_t i = 0; i < n; ++i) {
      std::int32_t s = Int32At(bytes + at + 4 * i);
      if (s < 0) throw ESkinDamaged("an entry has a negative size");
      offsets.push_back(at + 4 * n + sum);
      sizes.push_back(s);
      sum += s;
    }
    at += 4 * n;
    if (sum > total - at) throw ESkinDamaged("the entries are larger than the data");

    // Everything checked: the new table replaces the old one.
    decoded_ = std::move(decoded);
    version_ = version;
    namesLength_ = namesLength;
    names_ = std::move(names);
    sizes_ = std::move(sizes);
    offsets_ = std::move(offsets);
    return true;
  } catch (const ElzhException& e) {
    failure = e.Message();
  } catch (const ESkinDamaged& e) {
    failure = e.Message();
  } catch (const EStreamError& e) {
    failure = e.Message();
  }
  if (OnReport) OnReport("The skin is damaged: " + failure);
  return false;
}

void TSkinReader::CopyEntry(std::size_t index, TMemoryStream& out) const {
  if (sizes_[index] > 0) out.WriteBuffer(decoded_->Memory() + offsets_[index], sizes_[index]);
  out.SetPosition(0);
}

bool TSkinReader::GetEntry(const std::string& name, TMemoryStream& out) const {
  out.Clear();
  const std::string wanted = LowerCase(name);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == wanted) {
      CopyEntry(i, out);
      return true;
    }
  }
  return false;
}

bool TSkinReader::FindEntry(const std::string& fragment, TMemoryStream& out, std::string& name) const {
  out.Clear();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i].find(fragment) != std::string::npos) {
      CopyEntry(i, out);
      name = names_[i];
      return true;
    }
  }
  return false;
}
