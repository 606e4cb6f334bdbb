#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tools/mediagen/score.h"

using namespace mediagen;

TEST(MediaMusic, NoteFrequencies) {
  struct Case { const char* name; double hz; };
  const Case cases[] = {{"A4", 440.0},   {"A3", 220.0},   {"C4", 261.626}, {"C5", 523.251},
                        {"A#4", 466.164}, {"Bb4", 466.164}, {"B3", 246.942}, {"Cb4", 246.942},
                        {"E2", 82.407},  {"H4", 0},       {"C", 0},        {"C#", 0},
                        {"C9", 0},       {"c4", 0},       {"C44", 0}};
  for (const auto& c : cases) EXPECT_NEAR(NoteFrequency(c.name), c.hz, 0.01) << c.name;
}

TEST(MediaMusic, VoicesNotesAndLengthsFromTheTempo) {
  Score s;
  std::string err;
  ASSERT_TRUE(ParseScore("# tune\ntempo 120\nvoice top pluck 0.8\nA4 1 R .5\nC5 2\n"
                         "voice low sine 0.4\nA2 3.5\n",
                         s, err))
      << err;
  ASSERT_EQ(s.voices.size(), 2u);
  ASSERT_EQ(s.voices[0].notes.size(), 3u);
  EXPECT_DOUBLE_EQ(s.voices[0].notes[0].seconds, 0.5);
  EXPECT_EQ(s.voices[0].notes[1].freq, 0);
  EXPECT_DOUBLE_EQ(s.voices[0].Seconds(), 1.75);
  EXPECT_DOUBLE_EQ(s.voices[1].Seconds(), 1.75);
  EXPECT_EQ(s.voices[1].sound, "sine");
  EXPECT_DOUBLE_EQ(s.voices[1].gain, 0.4);
}

TEST(MediaMusic, RefusesBrokenScores) {
  struct Case { const char* text; const char* says; };
  const Case cases[] = {
      {"voice a pluck 1\nA4 1\n", "tempo"},
      {"tempo 100\nA4 1\n", "before the first voice"},
      {"tempo 100\nvoice a pluck 1\nA4\n", "no length"},
      {"tempo 100\nvoice a pluck 1\nA4 1 B4\n", "line 3: note B4 has no length"},
      {"tempo 100\nvoice a pluck 1\nA4 x\n", "bad length"},
      {"tempo 100\nvoice a pluck 1\nQ4 1\n", "not a note"},
      {"tempo 100\nvoice a pluck 2\nA4 1\n", "gain"},
      {"tempo 100\nvoice a pl;uck 1\nA4 1\n", "words"},
      {"tempo 100\nvoice a pluck 1\n", "no notes"},
      {"tempo 0\n", "tempo"},
  };
  for (const auto& c : cases) {
    Score s;
    std::string err;
    EXPECT_FALSE(ParseScore(c.text, s, err)) << c.text;
    EXPECT_NE(err.find(c.says), std::string::npos) << c.text << " -> " << err;
  }
}
