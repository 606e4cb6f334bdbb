// mediagen: makes the program's pictures, resource scripts, articles, help
// documents and the empty score file from the lists and texts of the build.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "font.h"
#include "gif_writer.h"
#include "help_images.h"
#include "lists.h"
#include "picture.h"
#include "rc_writer.h"
#include "rtf.h"
#include "score.h"
#include "text_convert.h"

using namespace mediagen;

namespace {

const char* kDefaultFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

int Fail(const std::string& m) {
  std::fprintf(stderr, "mediagen: %s\n", m.c_str());
  return 1;
}

// Writes through a temporary file so that a failed run leaves no half file.
bool WriteAtomic(const std::string& path, const std::string& data) {
  std::string tmp = path + ".tmp";
  std::vector<uint8_t> bytes(data.begin(), data.end());
  if (!WriteFile(tmp, bytes)) return false;
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}

struct Args {
  std::map<std::string, std::string> opts;
  std::vector<std::string> rest;
  std::string Get(const std::string& k, const std::string& def = "") const {
    auto it = opts.find(k);
    return it == opts.end() ? def : it->second;
  }
};

Args ParseArgs(int argc, char** argv) {
  Args a;
  for (int i = 2; i < argc; ++i) {
    std::string s = argv[i];
    if (s.compare(0, 2, "--") == 0 && s.find('=') != std::string::npos)
      a.opts[s.substr(2, s.find('=') - 2)] = s.substr(s.find('=') + 1);
    else if (s.compare(0, 2, "--") == 0)
      a.opts[s.substr(2)] = "1";
    else
      a.rest.push_back(s);
  }
  return a;
}

bool Load(const std::string& path, std::string& text, std::string& error) {
  if (ReadText(path, text)) return true;
  error = "cannot read " + path;
  return false;
}

bool LoadRoots(const std::string& path, RootTable& roots, std::string& error) {
  std::string text;
  if (!Load(path, text, error)) return false;
  if (!ParseRoots(text, roots, error)) { error = path + ": " + error; return false; }
  return true;
}

int Pictures(const Args& a) {
  std::string err, text;
  RootTable roots;
  std::vector<PictureEntry> list;
  if (!LoadRoots(a.Get("roots"), roots, err)) return Fail(err);
  if (!Load(a.Get("list"), text, err)) return Fail(err);
  if (!ParsePictures(text, list, err)) return Fail(a.Get("list") + ": " + err);
  Decompositions splits;
  bool haveSplits = !a.Get("decomp").empty();
  if (haveSplits && (!Load(a.Get("decomp"), text, err) || !ParseDecompositions(text, splits, err)))
    return Fail(a.Get("decomp") + ": " + err);
  std::string dir = a.Get("out");
  mkdir(dir.c_str(), 0777);
  // Workers take every n-th picture, each with fonts of its own.
  unsigned workers = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  std::vector<std::string> errors(workers);
  std::vector<size_t> bytes_of(workers, 0), no_glyph(workers, 0), named_of(workers, 0), named_drill(workers, 0);
  std::vector<std::string> undrawable;
  auto work = [&](unsigned k) {
    std::string e;
    auto smooth = Font::Open(a.Get("font", kDefaultFont), 0, e);
    auto crisp = smooth ? Font::Open(a.Get("font", kDefaultFont), 2, e) : nullptr;
    if (!crisp) { errors[k] = e; return; }
    PictureMaker maker(*smooth, *crisp, roots, haveSplits ? &splits : nullptr);
    for (size_t i = k; i < list.size(); i += workers) {
      std::vector<uint8_t> gif;
      if (!maker.Encode(list[i], gif, e)) {
        errors[k] = "picture " + std::to_string(list[i].number) + ": " + e;
        return;
      }
      if (!WriteFile(dir + "/" + std::to_string(list[i].number) + ".gif", gif)) {
        errors[k] = "cannot write into " + dir;
        return;
      }
      bytes_of[k] += gif.size();
      no_glyph[k] += !maker.CanDrawCharacter(list[i]);
      std::vector<LetterRoots> letters;
      bool named = maker.NamedRoots(list[i], letters);
      named_of[k] += named;
      named_drill[k] += named && list[i].drill;
    }
    if (k == 0) undrawable = maker.UndrawableRoots();
  };
  std::vector<std::thread> threads;
  for (unsigned k = 0; k < workers; ++k) threads.emplace_back(work, k);
  for (auto& t : threads) t.join();
  size_t bytes = 0, missing = 0, named = 0, drill_named = 0, drill = 0;
  for (const auto& e : list) drill += e.drill;
  for (unsigned k = 0; k < workers; ++k) {
    if (!errors[k].empty()) return Fail(errors[k]);
    bytes += bytes_of[k];
    missing += no_glyph[k];
    named += named_of[k];
    drill_named += named_drill[k];
  }
  std::vector<int> numbers;
  for (const auto& e : list) numbers.push_back(e.number);
  std::vector<RcEntry> first, second;
  PictureRcEntries(numbers, dir, first, second);
  std::string rc1, rc2;
  if (!RcText(first, rc1, err) || !RcText(second, rc2, err)) return Fail(err);
  if (!WriteAtomic(a.Get("rc1"), VersionBlock("wbrc1.dll", "Tapmira pictures") + rc1) ||
      !WriteAtomic(a.Get("rc2"), VersionBlock("wbrc2.dll", "Tapmira pictures") + rc2))
    return Fail("cannot write the resource scripts");
  const auto& bad = undrawable;
  std::printf("mediagen: %zu pictures (%zu in wbrc1, %zu in wbrc2), %zu bytes", list.size(),
              first.size(), second.size(), bytes);
  if (!bad.empty()) std::printf("; %zu roots without a glyph are left out", bad.size());
  if (missing) std::printf("; %zu characters have no glyph in the font", missing);
  if (haveSplits)
    std::printf("; %zu name the roots of every code letter (%zu of the %zu drill characters)", named, drill_named,
                drill);
  std::printf("\n");
  return 0;
}

int SoundRc(const Args& a) {
  std::string err, text;
  std::vector<std::string> names;
  if (!Load(a.Get("names"), text, err)) return Fail(err);
  if (!ParseSoundNames(text, names, err)) return Fail(a.Get("names") + ": " + err);
  auto entries = SoundRcEntries(names, a.Get("wavs"));
  for (const auto& e : entries) {
    struct stat st;
    if (stat(e.path.c_str(), &st) != 0 || st.st_size <= 44)
      return Fail("no sound made for " + e.name + " (" + e.path + ")");
  }
  std::string rc;
  if (!RcText(entries, rc, err)) return Fail(err);
  if (!WriteAtomic(a.Get("rc"), VersionBlock("WavRes.dll", "Tapmira sounds") + rc))
    return Fail("cannot write " + a.Get("rc"));
  return 0;
}

int Article(const Args& a) {
  if (a.rest.size() != 2) return Fail("article [--ascii] IN OUT");
  std::string err, text, gbk;
  if (!Load(a.rest[0], text, err)) return Fail(err);
  if (!ConvertArticle(text, a.Get("ascii") == "1", gbk, err)) return Fail(a.rest[0] + ": " + err);
  if (!WriteAtomic(a.rest[1], gbk)) return Fail("cannot write " + a.rest[1]);
  return 0;
}

int Rtf(const Args& a) {
  if (a.rest.size() != 2) return Fail("rtf IN OUT");
  std::string err, text, rtf;
  if (!Load(a.rest[0], text, err)) return Fail(err);
  if (!MarkupToRtf(text, rtf, err)) return Fail(a.rest[0] + ": " + err);
  if (!WriteAtomic(a.rest[1], rtf)) return Fail("cannot write " + a.rest[1]);
  return 0;
}

int Picture(const std::string& what, const Args& a) {
  if (a.rest.size() != 1) return Fail(what + " [--font=F] [--roots=R] OUT.ppm");
  std::string err;
  auto f = Font::Open(a.Get("font", kDefaultFont), 0, err);
  if (!f) return Fail(err);
  RootTable roots;
  if (what == "rootmap") {
    if (!LoadRoots(a.Get("roots"), roots, err)) return Fail(err);
    std::string missing = MissingKeys(roots);
    if (!missing.empty()) return Fail(a.Get("roots") + ": no roots for the keys " + missing);
  }
  Canvas c = what == "keyboard" ? DrawKeyboardPicture(*f)
             : what == "keypad" ? DrawKeypadPicture(*f)
                                : DrawRootMap(*f, roots);
  std::string tmp = a.rest[0] + ".tmp";
  if (!c.WritePpm(tmp) || std::rename(tmp.c_str(), a.rest[0].c_str()) != 0)
    return Fail("cannot write " + a.rest[0]);
  return 0;
}

int Notes(const Args& a) {
  if (a.rest.size() != 2) return Fail("notes SCORE OUT");
  std::string err, text;
  Score s;
  if (!Load(a.rest[0], text, err)) return Fail(err);
  if (!ParseScore(text, s, err)) return Fail(a.rest[0] + ": " + err);
  // One line per note for the synthesiser: voice, number, sound, gain, Hz, seconds.
  std::string out;
  char line[200];
  for (size_t v = 0; v < s.voices.size(); ++v)
    for (size_t i = 0; i < s.voices[v].notes.size(); ++i) {
      const Note& n = s.voices[v].notes[i];
      std::snprintf(line, sizeof line, "%zu %05zu %s %.3f %.3f %.4f\n", v, i,
                    s.voices[v].sound.c_str(), s.voices[v].gain, n.freq, n.seconds);
      out += line;
    }
  if (!WriteAtomic(a.rest[1], out)) return Fail("cannot write " + a.rest[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    return Fail("usage: mediagen pictures|soundrc|article|rtf|scorefile|keyboard|keypad|rootmap|notes ...");
  }
  std::string cmd = argv[1];
  Args a = ParseArgs(argc, argv);
  if (cmd == "pictures") return Pictures(a);
  if (cmd == "soundrc") return SoundRc(a);
  if (cmd == "article") return Article(a);
  if (cmd == "rtf") return Rtf(a);
  if (cmd == "notes") return Notes(a);
  if (cmd == "keyboard" || cmd == "keypad" || cmd == "rootmap") return Picture(cmd, a);
  if (cmd == "scorefile") {
    if (a.rest.size() != 1) return Fail("scorefile OUT");
    return WriteAtomic(a.rest[0], EmptyScoreFile()) ? 0 : Fail("cannot write " + a.rest[0]);
  }
  return Fail("unknown command " + cmd);
}
