#pragma once
// The adaptive Huffman model of LZHUF, shared by the decoder and the encoder
// so both sides update the tree the same way after every symbol.
#include <array>
#include <cstdint>

namespace lzh {
constexpr int N = 4096;                         // ring buffer size
constexpr int F = 60;                           // longest match
constexpr int THRESHOLD = 2;                    // matches are longer than this
constexpr int N_CHAR = 256 - THRESHOLD + F;     // 256 literals and 58 match lengths
constexpr int T = N_CHAR * 2 - 1;               // tree nodes
constexpr int R = T - 1;                        // root
constexpr unsigned MAX_FREQ = 0x8000;           // rebuild the tree when the root reaches it
constexpr int FIRST_POSITION = N - F;           // the write position at the start (4036)
constexpr std::uint8_t START_FILL = 0x20;       // the ring before it starts is spaces

// Code of the upper six bits of a match position: the first 8 bits read give
// the upper bits (PositionUpper) and the code length (PositionCodeLength).
std::uint8_t PositionUpper(int firstByte);
int PositionCodeLength(int firstByte);
// The inverse, for the encoder: code length and code (left-aligned in 8 bits)
// of the upper six bits of a position.
int PositionLengthOf(int upper);
int PositionCodeOf(int upper);
}  // namespace lzh

class TLZHModel {
public:
  TLZHModel() { Start(); }
  // Every leaf has frequency 1; inner nodes take pairs of nodes in order.
  void Start();
  // Counts one more occurrence of symbol (0..N_CHAR-1) and keeps the nodes
  // ordered by frequency; halves the frequencies first when the root is full.
  void Update(int symbol);

  // Decoding walks from the root: the child selected by bit, a node index
  // (< T) or a leaf (>= T, symbol + T).
  int Child(int node, int bit) const { return son_[node + bit]; }
  int RootChild() const { return son_[lzh::R]; }
  // Encoding walks from the leaf up: the node holding a symbol, a node's
  // parent; the node's bit is its index & 1.
  int LeafNode(int symbol) const { return prnt_[symbol + lzh::T]; }
  int Parent(int node) const { return prnt_[node]; }

private:
  void Reconstruct();
  std::array<std::uint16_t, lzh::T + 1> freq_{};
  std::array<std::int16_t, lzh::T + lzh::N_CHAR> prnt_{};
  std::array<std::int16_t, lzh::T> son_{};
};
