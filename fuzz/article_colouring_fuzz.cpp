// The article rows' colours as the window shows them, driven through the
// practice session by random keys, corrections, releases that type nothing,
// pauses, row-room changes and page turns. The shown rows are kept as the window keeps them (a
// new page drawn first, then the colour changes); after every call each row
// must show exactly the colours its typed text gives, so no colour of an old
// page survives a page change, and no change may run outside its row.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "practice/rules/practice_session.h"

namespace {

class TDataRandom : public TRandomSource {
public:
  explicit TDataRandom(FuzzedDataProvider& data) : data_(data) {}
  int Random(int range) override { return range > 0 ? data_.ConsumeIntegralInRange<int>(0, range - 1) : 0; }

private:
  FuzzedDataProvider& data_;
};

// Character starts of a row as a text control counts them (a two-byte
// character and a CR LF are one).
std::vector<int> CharacterStarts(const std::string& row) {
  std::vector<int> starts;
  for (std::size_t i = 0; i < row.size();) {
    starts.push_back(static_cast<int>(i));
    i += row[i] == '\r' && i + 1 < row.size() && row[i + 1] == '\n' ? 2 : GbkCharLength(row, i);
  }
  starts.push_back(static_cast<int>(row.size()));
  return starts;
}

// One shown row and the input row under it, as the window holds them.
struct TShownRow {
  std::string Text, Typed;
  std::vector<int> Starts;
  std::vector<char> Red;  // per character
  void Show(const std::string& text) {
    Text = text;
    Typed.clear();
    Starts = CharacterStarts(text);
    Red.assign(Starts.size() - 1, 0);
  }
  // The colours the typed text gives: a character is red when a typed byte
  // of it (before the row's CR LF) differs.
  bool Right() const {
    const std::size_t compared = std::min(Typed.size(), static_cast<std::size_t>(TypableLength(Text)));
    for (std::size_t c = 0; c + 1 < Starts.size(); ++c) {
      bool red = false;
      for (std::size_t i = static_cast<std::size_t>(Starts[c]); i < static_cast<std::size_t>(Starts[c + 1]) && i < compared; ++i)
        red = red || Typed[i] != Text[i];
      if (red != (Red[c] != 0)) return false;
    }
    return true;
  }
};

class TRowsModel {
public:
  TShownRow Rows[kArticleRows + 1];

  // What the window does with an article call's effects, in its order; then
  // the rows that may have changed (the one typed in, the one recoloured, all
  // on a new page) must show what their typed text gives.
  void Apply(const TPracticeSession& session, const TFeedback& fb, int typedRow = 0) {
    const TArticleEffects& e = fb.Article;
    if (e.ShowPage)
      for (int k = 1; k <= kArticleRows; ++k) Rows[k].Show(session.Page().Rows[k]);
    if (e.ColourRow < 0 || e.ColourRow > kArticleRows) std::abort();
    if (!e.ColourRow && !e.ColourChanges.empty()) std::abort();
    if (e.ColourRow) {
      TShownRow& row = Rows[e.ColourRow];
      for (const TColourRun& run : e.ColourChanges) {
        const int chars = static_cast<int>(row.Red.size());
        if (run.FirstChar < 0 || run.Chars <= 0 || run.FirstChar + run.Chars > chars) std::abort();
        if (run.Start != row.Starts[run.FirstChar] || run.Start + run.Count != row.Starts[run.FirstChar + run.Chars])
          std::abort();
        for (int c = run.FirstChar; c < run.FirstChar + run.Chars; ++c) row.Red[c] = run.Red;
      }
    }
    for (int k = 1; k <= kArticleRows; ++k)
      if ((e.ShowPage || k == typedRow || k == e.ColourRow) && !Rows[k].Right()) std::abort();
  }
};

std::string ArticlePath() {
  static const std::string path = "/tmp/article_colouring_fuzz." + std::to_string(::getpid()) + ".txt";
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const int types[] = {19, 20, 21, 22};
  const int type = types[data.ConsumeIntegralInRange<int>(0, 3)];
  const std::string text = data.ConsumeRandomLengthString(4096);
  if (FILE* f = std::fopen(ArticlePath().c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  } else {
    return 0;
  }

  static const TDictionaries dicts;
  TDataRandom random(data);
  TPracticeSession session(dicts, random, 888);
  // A switch of the layout changes the room; the font stays.
  auto newRoom = [&data, &session] {
    session.RowRoom.MaxBytes = data.ConsumeIntegralInRange<int>(1, 200);
    session.RowRoom.Pixels = data.ConsumeIntegralInRange<int>(0, 2000);
  };
  const unsigned salt = data.ConsumeIntegral<unsigned>();
  session.RowRoom.SetMeasure([salt](unsigned code) { return static_cast<int>(((code * 2654435761u) ^ salt) >> 28); });
  newRoom();
  TArticleList list;
  list.Items = {"1.a"};
  list.Paths = {ArticlePath()};
  session.SetArticleList(list);

  TRowsModel model;
  TFeedback fb = session.Button1Click({type, 4, type == 20 ? -1 : 0, "1.a"});
  model.Apply(session, fb);
  while (fb.Action != TWindowAction::End && session.Screen().Phase != TRunPhase::Idle && data.remaining_bytes() > 0) {
    const int row = session.Screen().Article.ActiveRow;
    const bool running = session.Screen().Phase == TRunPhase::Running;
    TShownRow& input = model.Rows[row];
    // The input row holds at most the row's typable bytes.
    const std::size_t room = static_cast<std::size_t>(TypableLength(input.Text));
    switch (data.ConsumeIntegralInRange<int>(0, 9)) {
      case 0: case 1: case 2:  // the next byte, right
        if (running && input.Typed.size() < room) input.Typed += input.Text[input.Typed.size()];
        break;
      case 3:  // any byte
        if (running && input.Typed.size() < room) input.Typed += static_cast<char>(data.ConsumeIntegral<unsigned char>());
        break;
      case 4:  // the rest of the row, right or with one wrong last byte
        if (running) {
          input.Typed = input.Text.substr(0, room);
          if (!input.Typed.empty() && data.ConsumeBool()) input.Typed.back() ^= 1;
        }
        break;
      case 5: {  // Backspace
        unsigned short key = kVkBack;
        session.ArticleKeyDown(row, key, 0);
        if (running && !input.Typed.empty()) input.Typed.pop_back();
        break;
      }
      case 6:  // a release that types nothing (Enter, an arrow)
        break;
      case 7:  // Shift+Esc: pause or continue
        fb = session.Button1Click({});
        model.Apply(session, fb);
        continue;
      case 8:  // a switch of the layout: rows that no longer fit are cut again
        newRoom();
        fb = session.RowRoomChanged();
        model.Apply(session, fb);
        continue;
      case 9:  // the clock
        fb = session.Timer1Timer();
        model.Apply(session, fb);
        continue;
    }
    fb = session.ArticleKeyUp(row, input.Typed);
    model.Apply(session, fb, row);
    const TArticleCounters& a = session.ArticleCounters();
    if (a.ArticleErrors > a.ArticleTyped || a.RowErrors > a.RowTyped) std::abort();
  }
  if (session.Screen().Phase != TRunPhase::Idle) session.Button2Click();
  return 0;
}
