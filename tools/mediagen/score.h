// Music scores for the synthesiser script.
//
//   tempo 100              beats per minute
//   voice NAME SOUND GAIN  starts a voice (SOUND: a sox synth type such as pluck)
//   C5 1  E5 .5  R 2  ...  notes (letter, # or b, octave) or rests, with beats
// '#' at the start of a line is a comment.
#pragma once

#include <string>
#include <vector>

namespace mediagen {

struct Note {
  double freq = 0;  // 0 for a rest
  double seconds = 0;
};

struct Voice {
  std::string name, sound;
  double gain = 1;
  std::vector<Note> notes;
  double Seconds() const;
};

struct Score {
  double tempo = 0;
  std::vector<Voice> voices;
};

// Frequency of a note name such as "A4", "C#5", "Bb3" (equal temperament, A4 = 440 Hz); 0 when not a note.
double NoteFrequency(const std::string& name);

bool ParseScore(const std::string& text, Score& out, std::string& error);

}  // namespace mediagen
