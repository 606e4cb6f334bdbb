// An article's text cut into rows, and rows of random digits, for any bytes
// and any row room: the rows rebuild the text, never split a double-byte
// character or a line end, and fill their room (a row is cut only where the
// next character would not fit).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "practice/rules/article_text.h"

namespace {

// Widths 0..15 px from the code, two-byte characters wider.
int Width(unsigned code, unsigned salt) {
  const unsigned h = (code * 2654435761u) ^ salt;
  return static_cast<int>((h >> 27) & 15u) + (code > 0xFF ? 8 : 0);
}

// The text as assigned: up to its first NUL, less a lead byte at its end.
// `starts` gets every character start (and the end).
std::string Expected(const std::string& bytes, std::vector<bool>& starts) {
  std::string text = bytes.substr(0, bytes.find('\0'));
  starts.assign(text.size() + 1, false);
  std::size_t i = 0;
  while (i < text.size()) {
    starts[i] = true;
    if (i + 1 == text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[i]))) {
      text.resize(i);
      break;
    }
    i += GbkCharLength(text, i);
  }
  starts.resize(text.size() + 1);
  starts[text.size()] = true;
  return text;
}

unsigned CodeAt(const std::string& s, std::size_t i) {
  const unsigned char b = static_cast<unsigned char>(s[i]);
  return GbkCharLength(s, i) == 2 ? b * 256u + static_cast<unsigned char>(s[i + 1]) : b;
}

int RowWidth(const TRowRoom& room, const std::string& row, std::size_t end) {
  int w = 0;
  for (std::size_t i = 0; i < end; i += CodeAt(row, i) > 0xFF ? 2 : 1) w += room.Width(CodeAt(row, i));
  return w;
}

class TBytesRandom : public TRandomSource {
public:
  explicit TBytesRandom(unsigned seed) : state_(seed | 1u) {}
  int Random(int range) override {
    state_ = state_ * 1103515245u + 12345u;
    return range > 0 ? static_cast<int>((state_ >> 1) % static_cast<unsigned>(range)) : 0;
  }

private:
  unsigned state_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  TRowRoom room;
  room.MaxBytes = data[0] % 201;
  room.Pixels = data[1] < 32 ? 0 : data[1] * 8;
  const unsigned salt = data[2] * 0x01010101u;
  room.SetMeasure([salt](unsigned code) { return Width(code, salt); });
  const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

  std::vector<bool> starts;
  const std::string text = Expected(bytes, starts);
  TArticleText article;
  article.Assign(bytes);
  std::string rebuilt;
  for (std::string row = article.NextRow(room); !row.empty(); row = article.NextRow(room)) {
    const std::size_t at = rebuilt.size();
    rebuilt += row;
    if (rebuilt.size() > text.size() || rebuilt.compare(at, row.size(), text, at, row.size()) != 0) std::abort();
    if (!starts[rebuilt.size()]) std::abort();  // a character split
    const std::size_t crlf = row.find("\r\n");
    if (crlf != std::string::npos && crlf != row.size() - 2) std::abort();  // a line end inside a row
    // A row of more than one character fits its room.
    const std::size_t typable = static_cast<std::size_t>(TypableLength(row));
    const std::size_t first = typable == 0 ? 0 : (CodeAt(row, 0) > 0xFF ? 2 : 1);
    if (typable > first) {
      if (static_cast<int>(typable) > room.MaxBytes) std::abort();
      if (room.Pixels > 0 && RowWidth(room, row, typable) > room.Pixels) std::abort();
    }
    // Cut only where the next character does not fit, and never before a line end.
    if (crlf == std::string::npos && rebuilt.size() < text.size()) {
      if (text.compare(rebuilt.size(), 2, "\r\n") == 0) std::abort();
      const bool pair = CodeAt(text, rebuilt.size()) > 0xFF;
      const std::string next = text.substr(rebuilt.size(), pair ? 2 : 1);
      const bool bytesFit = static_cast<int>(row.size() + next.size()) <= room.MaxBytes;
      const bool widthFits = room.Pixels <= 0 ||
                             RowWidth(room, row, row.size()) + room.Width(CodeAt(next, 0)) <= room.Pixels;
      if (bytesFit && widthFits) std::abort();
    }
  }
  if (rebuilt != text || !article.AllCut() || !article.NextRow(room).empty()) std::abort();

  // Digit rows: digits only, never empty, and within the room past one digit.
  TBytesRandom random(salt ^ static_cast<unsigned>(size));
  const std::string digits = RandomDigitRow(random, room);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) std::abort();
  if (digits.size() > 1 && static_cast<int>(digits.size()) > room.MaxBytes) std::abort();
  if (digits.size() > 1 && room.Pixels > 0 && RowWidth(room, digits, digits.size()) > room.Pixels) std::abort();
  return 0;
}
