#include "lzh_encoder.h"

#include "skin/portable/lzh_model.h"

using namespace lzh;

namespace {
// Bits most significant first; the last byte is padded with zeros.
class TBitWriter {
public:
  explicit TBitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(unsigned bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      byte_ = static_cast<std::uint8_t>((byte_ << 1) | ((bits >> i) & 1));
      if (++filled_ == 8) {
        out_.push_back(byte_);
        byte_ = 0;
        filled_ = 0;
      }
    }
  }
  void Flush() {
    if (filled_ > 0) out_.push_back(static_cast<std::uint8_t>(byte_ << (8 - filled_)));
    filled_ = 0;
    byte_ = 0;
  }

private:
  std::vector<std::uint8_t>& out_;
  std::uint8_t byte_ = 0;
  int filled_ = 0;
};

void EncodeChar(TLZHModel& model, TBitWriter& bits, int symbol) {
  // The path from the leaf up gives the bits in reverse order.
  std::uint8_t path[T];
  int depth = 0;
  for (int node = model.LeafNode(symbol); node != R; node = model.Parent(node)) path[depth++] = node & 1;
  while (depth > 0) bits.Put(path[--depth], 1);
  model.Update(symbol);
}

void EncodePosition(TBitWriter& bits, int position) {
  int upper = position >> 6;
  bits.Put(static_cast<unsigned>(PositionCodeOf(upper)) >> (8 - PositionLengthOf(upper)), PositionLengthOf(upper));
  bits.Put(position & 0x3F, 6);
}

// Candidate matches: the earlier positions with the same three bytes, newest first.
class TMatchFinder {
public:
  explicit TMatchFinder(const std::vector<std::uint8_t>& text) : text_(text), prev_(text.size(), -1), head_(1 << 16, -1) {}
  void Insert(int pos) {
    if (pos + 3 > static_cast<int>(text_.size())) return;
    unsigned h = Hash(pos);
    prev_[pos] = head_[h];
    head_[h] = pos;
  }
  // Longest match for pos within maxDistance, at most maxLength bytes.
  void Find(int pos, int maxDistance, int maxLength, int& bestLength, int& bestDistance) const {
    bestLength = 0;
    bestDistance = 0;
    if (pos + 3 > static_cast<int>(text_.size())) return;
    int chain = 512;
    for (int s = head_[Hash(pos)]; s >= 0 && pos - s <= maxDistance && chain-- > 0; s = prev_[s]) {
      int l = 0;
      while (l < maxLength && text_[s + l] == text_[pos + l]) ++l;
      if (l > bestLength) {
        bestLength = l;
        bestDistance = pos - s;
        if (l == maxLength) break;
      }
    }
  }

private:
  unsigned Hash(int pos) const {
    return (text_[pos] << 8 ^ text_[pos + 1] << 4 ^ text_[pos + 2] * 0x9E37u) & 0xFFFF;
  }
  const std::vector<std::uint8_t>& text_;
  std::vector<int> prev_;
  std::vector<int> head_;
};
}  // namespace

std::vector<std::uint8_t> LzhEncode(const std::vector<std::uint8_t>& data, TLzhEncodeStats* stats) {
  // The decoder's ring starts as FIRST_POSITION spaces; matches may reach into them.
  std::vector<std::uint8_t> text(FIRST_POSITION, START_FILL);
  text.insert(text.end(), data.begin(), data.end());
  const int end = static_cast<int>(text.size());

  std::vector<std::uint8_t> out;
  TBitWriter bits(out);
  TLZHModel model;
  TMatchFinder finder(text);
  TLzhEncodeStats counted;
  for (int pos = 0; pos < FIRST_POSITION; ++pos) finder.Insert(pos);

  for (int pos = FIRST_POSITION; pos < end;) {
    int length = 0, distance = 0;
    finder.Find(pos, FIRST_POSITION, std::min(F, end - pos), length, distance);
    if (length > THRESHOLD) {
      EncodeChar(model, bits, 255 - THRESHOLD + length);
      EncodePosition(bits, distance - 1);
      ++counted.matches;
      counted.longestDistance = std::max(counted.longestDistance, distance);
      counted.longestLength = std::max(counted.longestLength, length);
    } else {
      length = 1;
      EncodeChar(model, bits, text[pos]);
      ++counted.literals;
    }
    for (int k = 0; k < length; ++k) finder.Insert(pos + k);
    pos += length;
  }
  bits.Flush();
  if (stats) *stats = counted;
  return out;
}
