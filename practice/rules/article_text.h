#pragma once
// Article files and their text: the chooser's list of files, the open article
// cut into rows, rows of random digits, and the colours of a typed row.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "practice/rules/random_source.h"

const int kMaxArticleFiles = 300;
const std::int64_t kMaxArticleBytes = 16 * 1024 * 1024;

// GBK: a lead byte and a trail byte make a two-byte character.
inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
inline bool IsGbkTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }
// Bytes of the character at s[i]: 2 for a lead byte with its trail,
// else 1 (a lead byte before anything else stands alone).
inline std::size_t GbkCharLength(const std::string& s, std::size_t i) {
  return i + 1 < s.size() && IsGbkLeadByte(static_cast<unsigned char>(s[i])) &&
                 IsGbkTrailByte(static_cast<unsigned char>(s[i + 1]))
             ? 2
             : 1;
}

// The article chooser's list: item k (0-based) stands for Paths[k].
struct TArticleList {
  std::string Prompt;               // the chooser's text before a choice
  std::vector<std::string> Items;   // "n.name" (name without its extension)
  std::vector<std::string> Paths;   // folder + name
};

// Kind 1 lists programFolder + "English\", 3 and 4 programFolder + "Chinese\"
// (at most the first 300 files, in the order the system returns them); any
// other kind gives an empty list without a prompt.
TArticleList ListArticleFiles(const std::string& programFolder, int kind);

// What a shown row holds: at most MaxBytes bytes, and characters whose widths
// add up to at most Pixels (0: no width limit). A character's width comes from
// the measure (code: the byte, or lead * 256 + trail), asked once per code.
class TRowRoom {
public:
  int MaxBytes = 86;
  int Pixels = 0;
  void SetMeasure(std::function<int(unsigned code)> measure);
  int Width(unsigned code) const;

private:
  std::function<int(unsigned)> measure_;
  mutable std::vector<std::vector<int>> widths_;  // by lead byte (or 0), then by byte; -1 not asked yet
};

enum class TArticleLoad { Loaded, Unreadable, TooLarge, NotText };

// The open article and its read position. The text ends at its first NUL
// byte; a lead byte left alone at the very end is dropped, so every row cut
// moves the position on.
class TArticleText {
public:
  // Reads the file in its own encoding (article_encoding.h) as GBK. Anything
  // but Loaded leaves the article closed (over 16 MB: TooLarge; a control
  // character in it: NotText).
  TArticleLoad Load(const std::string& path);
  // Characters of the loaded file that GBK lacks, each shown as kGbkStandIn.
  std::size_t Replaced() const { return replaced_; }
  void Assign(std::string bytes);
  // Every byte of the text is in a row cut so far.
  bool AllCut() const { return !open_ || cursor_ >= text_.size(); }
  // The next row that fits the room: up to the first CR LF (which joins its
  // row even when the row is full), else cut before the first character that
  // does not fit; never inside a character, and at least one character long.
  // Empty when nothing is left.
  std::string NextRow(const TRowRoom& room);
  // Moves the read position back by `bytes`: rows cut but not typed are cut again.
  void Rewind(std::size_t bytes);
  // Frees the text (a page load found nothing).
  void Close();

private:
  std::string text_;
  std::size_t cursor_ = 0;
  bool open_ = false;
  std::size_t replaced_ = 0;
};

// The bytes a row has for typing: without the CR LF that ends a line.
int TypableLength(const std::string& row);
// Whether `row` is cut as it is in `room` (a row cut for a wider room is not).
bool RowFitsRoom(const std::string& row, const TRowRoom& room);

// A row of random numbers: numbers 0..999999998 appended while the row is
// shorter than its width less 9 bytes, the width being the room's bytes or the
// count of the widest digit that fits, if fewer; never empty.
std::string RandomDigitRow(TRandomSource& random, const TRowRoom& room);

// A stretch of a shown row in one colour: in bytes of the row, and in the
// characters a text control counts (a two-byte character and a CR LF are one).
// A blank (space, tab, ideographic space) has no ink to turn red: a wrong one
// is drawn on red.
struct TColourRun {
  int Start = 0, Count = 0;
  bool Red = false;
  int FirstChar = 0, Chars = 0;
  bool Blank = false;  // every character of the run is a blank
};

// What a typed row counts: the bytes typed and the wrong ones, and the row's
// characters reached by them (a character counts from its first typed byte)
// and the wrong ones, as they are drawn.
struct TRowTally {
  int Bytes = 0, WrongBytes = 0;
  int Chars = 0, WrongChars = 0;
};

// The colours a row shows for what was typed under it: a byte is wrong when it
// differs from the row's byte; a two-byte character is red when either of its
// bytes is wrong (it is drawn as one). Only the typable bytes typed so far are
// compared (a line's CR LF never).
class TRowColouring {
public:
  // A new row text, all in the normal colour.
  void Reset(const std::string& row);
  // Compares `typed` with the row: returns what it counts and puts into
  // `changes` the runs whose colour differs from what is shown now.
  TRowTally Compare(const std::string& typed, std::vector<TColourRun>& changes);
  // Where the first character that `typedBytes` typed bytes do not reach
  // starts (the typable length when they reach all).
  std::size_t NextToType(std::size_t typedBytes) const;

private:
  std::string row_;
  std::size_t typable_ = 0;
  std::vector<int> charStart_;   // byte where each character (or CR LF) starts
  std::vector<char> blank_;      // per character: a blank
  std::vector<char> red_;        // per character, as shown
};
