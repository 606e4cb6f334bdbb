#include "score.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace mediagen {

double Voice::Seconds() const {
  double s = 0;
  for (const auto& n : notes) s += n.seconds;
  return s;
}

double NoteFrequency(const std::string& name) {
  static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return 0;
  int semi = kSemitone[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') { ++semi; ++i; }
  else if (name[i] == 'b') { --semi; ++i; }
  if (i + 1 != name.size() || name[i] < '0' || name[i] > '8') return 0;
  int octave = name[i] - '0';
  int midi = (octave + 1) * 12 + semi;
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

bool ParseScore(const std::string& text, Score& out, std::string& error) {
  out = Score();
  std::istringstream in(text);
  std::string line;
  int ln = 0;
  auto fail = [&](const std::string& m) {
    error = "line " + std::to_string(ln) + ": " + m;
    return false;
  };
  while (std::getline(in, line)) {
    ++ln;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string w;
    words >> w;
    if (w.empty()) continue;
    if (w == "tempo") {
      if (!(words >> out.tempo) || out.tempo <= 0 || out.tempo > 400) return fail("bad tempo");
      continue;
    }
    if (w == "voice") {
      Voice v;
      if (!(words >> v.name >> v.sound >> v.gain) || v.gain <= 0 || v.gain > 1)
        return fail("expected voice NAME SOUND GAIN (gain 0..1)");
      for (char c : v.name + v.sound)
        if (!std::isalnum((unsigned char)c)) return fail("voice names and sounds are words");
      out.voices.push_back(v);
      continue;
    }
    if (out.tempo <= 0) return fail("tempo must come first");
    if (out.voices.empty()) return fail("notes before the first voice");
    for (;;) {
      std::string beats;
      if (!(words >> beats)) return fail("note " + w + " has no length");
      char* end = nullptr;
      double b = std::strtod(beats.c_str(), &end);
      if (*end || b <= 0 || b > 32) return fail("bad length " + beats);
      Note n;
      n.seconds = b * 60.0 / out.tempo;
      if (w != "R") {
        n.freq = NoteFrequency(w);
        if (n.freq == 0) return fail("not a note: " + w);
      }
      out.voices.back().notes.push_back(n);
      if (!(words >> w)) break;
    }
  }
  if (out.voices.empty()) { ++ln; return fail("no voices"); }
  for (const auto& v : out.voices)
    if (v.notes.empty()) return fail("voice " + v.name + " has no notes");
  return true;
}

}  // namespace mediagen
