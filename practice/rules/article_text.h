#pragma once
// Article files and their text: the chooser's list of files, the open article
// cut into rows, rows of random digits, and the colours of a typed row.
#include <cstdint>
#include <string>
#include <vector>

#include "practice/rules/random_source.h"

const int kMaxArticleFiles = 300;
const std::int64_t kMaxArticleBytes = 16 * 1024 * 1024;

// GBK: a lead byte starts a two-byte character.
inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

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

// The open article and its read position. The text ends at its first NUL
// byte; a lead byte left alone at the very end is dropped, so every row cut
// moves the position on.
class TArticleText {
public:
  // False (and closed) when the file cannot be read or is larger than 16 MB.
  bool Load(const std::string& path);
  void Assign(std::string bytes);
  // No text left to cut and a page load found nothing: the article is used up.
  bool UsedUp() const { return !open_; }
  // The next row of at most maxRowLength bytes: up to and with the first CR LF,
  // else cut before a character that would be split; empty when none is left.
  std::string NextRow(int maxRowLength);
  // Frees the text (a page load found nothing).
  void Close();

private:
  std::string text_;
  std::size_t cursor_ = 0;
  bool open_ = false;
};

// A row of random numbers: numbers 0..999999998 appended while the row is
// shorter than maxRowLength - 9 bytes.
std::string RandomDigitRow(TRandomSource& random, int maxRowLength);

// A stretch of a shown row in one colour: in bytes of the row, and in the
// characters a text control counts (a two-byte character and a CR LF are one).
struct TColourRun {
  int Start = 0, Count = 0;
  bool Red = false;
  int FirstChar = 0, Chars = 0;
};

// The colours a row shows for what was typed under it: a byte is wrong when it
// differs from the row's byte; a two-byte character is red when either of its
// bytes is wrong (it is drawn as one). Only the first min(typed, row) bytes are
// compared.
class TRowColouring {
public:
  // A new row text, all in the normal colour.
  void Reset(const std::string& row);
  // Compares `typed` with the row: returns the number of wrong bytes and puts
  // into `changes` the runs whose colour differs from what is shown now.
  int Compare(const std::string& typed, std::vector<TColourRun>& changes);
  // Whether the character at byte `pos` is shown red.
  bool RedAt(int pos) const;

private:
  std::string row_;
  std::vector<int> charStart_;   // byte where each character (or CR LF) starts
  std::vector<char> red_;        // per character, as shown
};
