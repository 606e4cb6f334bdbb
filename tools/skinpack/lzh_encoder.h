#pragma once
// LZHUF encoder: the decoder's adaptive model, greedy matches found through hash chains.
#include <cstdint>
#include <vector>

struct TLzhEncodeStats {
  int literals = 0;
  int matches = 0;
  int longestDistance = 0;  // the farthest match back (at most 4036)
  int longestLength = 0;    // the longest match (at most 60)
};

// The code stream of data (without the decoded-size header).
std::vector<std::uint8_t> LzhEncode(const std::vector<std::uint8_t>& data, TLzhEncodeStats* stats = nullptr);
