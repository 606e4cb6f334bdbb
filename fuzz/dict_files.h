#pragma once
// The dictionary fuzz target's input: one byte that picks the file (modulo 11)
// and, with its top bit, says that the rest is the deciphered text (enciphered
// before it is written); without it the rest is the file as stored.
#include <cstdint>

#include "practice/data/dict_records.h"

namespace dictfiles {

enum class TKind { Plain, Wbzg, WbOne, Wbs, WbTwo, WbMulti, PYs, PYOne, PYTwo, PYMulti };

struct TFile {
  const char* Name;
  TKind Kind;
  int MinLength;  // text: shorter lines end the table; plain and wbzg: the record size
  bool Required;  // an empty table stops the start-up
};

const TFile kFiles[] = {
    {"wb1.dat", TKind::Plain, kWb1RecordSize, true},         {"wb2.dat", TKind::Plain, kWb2RecordSize, true},
    {"wbzg.dat", TKind::Wbzg, kWbzgRecordSize, true},        {"wbOne.dat", TKind::WbOne, kWbOneMinLine, false},
    {"wbs.dat", TKind::Wbs, kWbsMinLine, true},              {"wbTwo.dat", TKind::WbTwo, kWbTwoMinLine, true},
    {"wbMulti.dat", TKind::WbMulti, kWbMultiMinLine, false}, {"PYs.dat", TKind::PYs, kPYsMinLine, true},
    {"PYOne.dat", TKind::PYOne, kPYOneMinLine, false},       {"PYTwo.dat", TKind::PYTwo, kPYTwoMinLine, true},
    {"PYMulti.dat", TKind::PYMulti, kPYMultiMinLine, false},
};
constexpr int kFileCount = sizeof kFiles / sizeof kFiles[0];
constexpr std::uint8_t kTextBit = 0x80;

// The fewest records a whole plain file holds.
inline int MinRecords(const TFile& f) { return f.MinLength == kWb1RecordSize ? kWb1MinRecords : kWb2MinRecords; }

inline const TFile& FileOf(std::uint8_t selector) { return kFiles[(selector & 0x7F) % kFileCount]; }
inline bool IsText(std::uint8_t selector) { return (selector & kTextBit) != 0; }
inline std::uint8_t Selector(int file, bool text) { return static_cast<std::uint8_t>(file | (text ? kTextBit : 0)); }

}  // namespace dictfiles
