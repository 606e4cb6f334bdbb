#include "skin/portable/lzh.h"

#include <array>
#include <string>

#include "skin/portable/lzh_model.h"

using namespace lzh;

namespace {
// Bits of the code stream, most significant first, through the read callback.
// Past the end of the source the stream reads as zeros; a well-formed stream
// never needs more than two such bytes (the buffer holds at most 16 bits).
class TBitReader {
public:
  explicit TBitReader(const TLZH::TTransfer& read) : read_(read) {}

  int GetBit() {
    Fill();
    int bit = (buffer_ >> 15) & 1;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 1);
    --count_;
    return bit;
  }
  int GetByte() {
    Fill();
    int byte = buffer_ >> 8;
    buffer_ = static_cast<std::uint16_t>(buffer_ << 8);
    count_ -= 8;
    return byte;
  }
  // More bytes were supplied as zeros than any complete stream needs.
  bool Overrun() const { return missing_ > 2; }

private:
  void Fill() {
    while (count_ < 9) {
      std::uint8_t byte = 0;
      int moved = 0;
      read_(&byte, 1, moved);
      if (moved != 1) {
        byte = 0;
        ++missing_;
      }
      buffer_ = static_cast<std::uint16_t>(buffer_ | (byte << (8 - count_)));
      count_ += 8;
    }
  }
  const TLZH::TTransfer& read_;
  std::uint16_t buffer_ = 0;
  int count_ = 0;
  int missing_ = 0;
};

int DecodeChar(TLZHModel& model, TBitReader& bits) {
  int c = model.RootChild();
  while (c < T) c = model.Child(c, bits.GetBit());
  c -= T;
  model.Update(c);
  return c;
}

int DecodePosition(TBitReader& bits) {
  int i = bits.GetByte();
  int upper = PositionUpper(i) << 6;
  for (int j = PositionCodeLength(i) - 2; j > 0; --j) i = (i << 1) + bits.GetBit();
  return upper | (i & 0x3F);
}
}  // namespace

void TLZH::Decode(std::int64_t size, const TTransfer& write, const TTransfer& read) {
  if (size < 0 || size > MaxDecodedSize)
    throw ElzhException("LZH : Decoded size " + std::to_string(size) + " is out of range");
  TLZHModel model;
  TBitReader bits(read);
  // The ring has room for a match's look-ahead; indices are masked, the tail stays zero.
  std::array<std::uint8_t, N + F - 1> ring{};
  for (int i = 0; i < FIRST_POSITION; ++i) ring[i] = START_FILL;
  int r = FIRST_POSITION;

  // Decoded bytes go out in batches; a symbol adds at most F of them.
  std::array<std::uint8_t, 4096> out{};
  int pending = 0;
  auto flush = [&] {
    int moved = 0;
    if (pending > 0) write(out.data(), pending, moved);
    if (moved != pending) throw ElzhException("LZH : Cannot write the decoded data");
    pending = 0;
  };
  std::int64_t produced = 0;
  while (produced < size) {
    int c = DecodeChar(model, bits);
    if (c < 256) {
      out[pending++] = static_cast<std::uint8_t>(c);
      ring[r] = static_cast<std::uint8_t>(c);
      r = (r + 1) & (N - 1);
      ++produced;
    } else {
      int i = (r - DecodePosition(bits) - 1) & (N - 1);
      int length = c - 255 + THRESHOLD;
      // A match never runs past the decoded size.
      if (length > size - produced) length = static_cast<int>(size - produced);
      for (int k = 0; k < length; ++k) {
        std::uint8_t b = ring[(i + k) & (N - 1)];
        out[pending++] = b;
        ring[r] = b;
        r = (r + 1) & (N - 1);
      }
      produced += length;
    }
    if (bits.Overrun()) throw ElzhException("LZH : The code stream ends before the decoded size");
    if (pending > static_cast<int>(out.size()) - F) flush();
  }
  flush();
}
