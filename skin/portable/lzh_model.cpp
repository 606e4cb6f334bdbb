#include "skin/portable/lzh_model.h"

#include <algorithm>

namespace lzh {
namespace {
// The position code: how many upper-bit values have a code of each length
// 3..8, assigned in order; a code of length l covers 256 >> l first bytes.
constexpr int kValuesOfLength[] = {1, 3, 8, 12, 24, 16};

struct TPositionTables {
  std::uint8_t upper[256];
  std::uint8_t length[256];
  std::uint8_t codeOf[64];
  std::uint8_t lengthOf[64];
  constexpr TPositionTables() : upper(), length(), codeOf(), lengthOf() {
    int first = 0, value = 0;
    for (int l = 3; l <= 8; ++l) {
      for (int k = 0; k < kValuesOfLength[l - 3]; ++k, ++value) {
        codeOf[value] = static_cast<std::uint8_t>(first);
        lengthOf[value] = static_cast<std::uint8_t>(l);
        for (int b = 0; b < (256 >> l); ++b, ++first) {
          upper[first] = static_cast<std::uint8_t>(value);
          length[first] = static_cast<std::uint8_t>(l);
        }
      }
    }
  }
};
constexpr TPositionTables kPosition;
static_assert(kPosition.upper[255] == 63 && kPosition.length[255] == 8, "position code covers 256 bytes");
static_assert(kPosition.upper[0x20] == 1 && kPosition.length[0x20] == 4, "position code layout");
}  // namespace

std::uint8_t PositionUpper(int firstByte) { return kPosition.upper[firstByte & 0xFF]; }
int PositionCodeLength(int firstByte) { return kPosition.length[firstByte & 0xFF]; }
int PositionLengthOf(int upper) { return kPosition.lengthOf[upper & 63]; }
int PositionCodeOf(int upper) { return kPosition.codeOf[upper & 63]; }
}  // namespace lzh

using namespace lzh;

void TLZHModel::Start() {
  for (int i = 0; i < N_CHAR; ++i) {
    freq_[i] = 1;
    son_[i] = static_cast<std::int16_t>(i + T);
    prnt_[i + T] = static_cast<std::int16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
    son_[j] = static_cast<std::int16_t>(i);
    prnt_[i] = prnt_[i + 1] = static_cast<std::int16_t>(j);
  }
  freq_[T] = 0xFFFF;
  prnt_[R] = 0;
}

void TLZHModel::Reconstruct() {
  // Leaves first, with halved frequencies.
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (son_[i] >= T) {
      freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
      son_[j] = son_[i];
      ++j;
    }
  }
  // Join pairs into inner nodes, each inserted where the order of frequencies wants it.
  for (int i = 0, n = N_CHAR; n < T; i += 2, ++n) {
    unsigned f = static_cast<unsigned>(freq_[i]) + freq_[i + 1];
    int k = n - 1;
    while (f < freq_[k]) --k;
    ++k;
    std::copy_backward(freq_.begin() + k, freq_.begin() + n, freq_.begin() + n + 1);
    std::copy_backward(son_.begin() + k, son_.begin() + n, son_.begin() + n + 1);
    freq_[k] = static_cast<std::uint16_t>(f);
    son_[k] = static_cast<std::int16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    int k = son_[i];
    if (k >= T)
      prnt_[k] = static_cast<std::int16_t>(i);
    else
      prnt_[k] = prnt_[k + 1] = static_cast<std::int16_t>(i);
  }
}

void TLZHModel::Update(int symbol) {
  if (freq_[R] == MAX_FREQ) Reconstruct();
  int c = prnt_[symbol + T];
  do {
    unsigned k = ++freq_[c];
    int l = c + 1;
    if (k > freq_[l]) {
      // Swap c with the last node of lower frequency (freq_[T] stops the scan).
      while (k > freq_[++l]) {
      }
      --l;
      freq_[c] = freq_[l];
      freq_[l] = static_cast<std::uint16_t>(k);

      int i = son_[c];
      prnt_[i] = static_cast<std::int16_t>(l);
      if (i < T) prnt_[i + 1] = static_cast<std::int16_t>(l);
      int j = son_[l];
      son_[l] = static_cast<std::int16_t>(i);
      prnt_[j] = static_cast<std::int16_t>(c);
      if (j < T) prnt_[j + 1] = static_cast<std::int16_t>(c);
      son_[c] = static_cast<std::int16_t>(j);
      c = l;
    }
  } while ((c = prnt_[c]) != 0);
}
