// A sheet of every skin object in every state, drawn by the skin's drawing
// routines from the program's own skin: a build artefact to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "app_support.h"
#include "screenshot.h"
#include "skin/win/data/skin_data.h"
#include "skin/win/draw/draw.h"
#include "skin_support.h"
#include "toolkit/win/message_box.h"

namespace {

bool SaveBitmapFile(TBitmap& image, const std::string& path) {
  image.SetPixelFormat(TPixelFormat::pf24bit);
  const int w = image.GetWidth(), h = image.GetHeight(), stride = image.RowBytes();
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
  std::vector<unsigned char> file(fh.bfSize);
  std::memcpy(file.data(), &fh, sizeof fh);
  std::memcpy(file.data() + sizeof fh, &ih, sizeof ih);
  for (int y = 0; y < h; ++y)
    std::memcpy(file.data() + fh.bfOffBits + static_cast<std::size_t>(stride) * (h - 1 - y), image.ScanLine(y),
                static_cast<std::size_t>(stride));
  return WriteFileBytes(path, file.data(), file.size());
}

class TSheet {
public:
  explicit TSheet(TSkinData& data) : data_(data) {
    page_.SetPixelFormat(TPixelFormat::pf24bit);
    page_.SetSize(kWidth, kHeight);
    TCanvas& c = page_.Canvas();
    c.Brush().SetColor(data.Colors[scButtonFace]);
    c.FillRect(RECT{0, 0, kWidth, kHeight});
    c.Font().SetName("宋体");
    c.Font().SetHeight(-12);
    c.Font().SetColor(data.Colors[scWindowText]);
  }

  // Every frame of an object, each drawn a little larger than it is, with its
  // margins; keyed objects are drawn as their users draw them, magenta left out.
  void Object(const char* label, TDataSkinObject* o, bool keyed = false, bool ownHeight = false) {
    const bool vertical = false;
    if (!o || !o->HasImage()) {
      Label(std::string(label) + " (none)", 18);
      return;
    }
    int n = std::max(o->FrameCount, 1);
    TFrameRect f = FrameRectOf(*o->Bitmap, 1, n, vertical);
    int w = std::min(std::max(f.Width + std::max(24, f.Width / 2), 40), 320);
    int h = ownHeight ? f.Height : std::min(std::max(f.Height + (f.Height < 30 ? 6 : 0), 18), 160);
    Row(label, n, w, h, [&](HDC dc, const RECT& r, int frame) {
      SkinDrawPart(dc, r, *o->Bitmap, o->Margins(), frame, n, keyed || o->Trans == 1, o->Tile == 1, vertical);
    });
  }
  // A strip of frames at their own size.
  void Strip(const char* label, TBitmap& strip, int frames) {
    if (strip.Empty()) return;
    frames = std::max(frames, 1);
    TFrameRect f = FrameRectOf(strip, 1, frames, false);
    Row(label, frames, f.Width, f.Height, [&](HDC dc, const RECT& r, int frame) {
      SkinDrawStateFrame(dc, r, strip, frame, frames, true);
    });
  }
  void Colours() {
    Label("Colors", 24);
    for (int i = 0; i < SkinColorCount; ++i) {
      RECT r{kLabel + i * 40, y_ - 22, kLabel + i * 40 + 32, y_ - 2};
      page_.Canvas().Brush().SetColor(data_.Colors[static_cast<std::size_t>(i)]);
      page_.Canvas().FillRect(r);
      page_.Canvas().Brush().SetColor(clBlack);
      page_.Canvas().FrameRect(r);
    }
  }
  // The page cut to what was drawn.
  bool Save(const std::string& path) {
    TBitmap out;
    out.SetPixelFormat(TPixelFormat::pf24bit);
    const int h = std::min(y_ + 8, kHeight);
    out.SetSize(kWidth, h);
    BitBlt(out.CanvasDC(), 0, 0, kWidth, h, page_.CanvasDC(), 0, 0, SRCCOPY);
    return SaveBitmapFile(out, path);
  }

private:
  static constexpr int kWidth = 1280, kHeight = 4000, kLabel = 160, kGap = 8;

  template <class Draw>
  void Row(const std::string& label, int frames, int w, int h, Draw draw) {
    int perRow = std::max(1, (kWidth - kLabel) / (w + kGap));
    int rows = (frames + perRow - 1) / perRow;
    TextOut(8, y_ + 2, label);
    for (int i = 0; i < frames; ++i) {
      int x = kLabel + (i % perRow) * (w + kGap), top = y_ + (i / perRow) * (h + 18);
      TextOut(x, top, std::to_string(i + 1));
      draw(page_.CanvasDC(), RECT{x, top + 14, x + w, top + 14 + h}, i + 1);
    }
    y_ += rows * (h + 18) + kGap;
  }
  void Label(const std::string& text, int height) {
    TextOut(8, y_ + 2, text);
    y_ += height + kGap;
  }
  void TextOut(int x, int y, const std::string& text) {
    SetBkMode(page_.CanvasDC(), TRANSPARENT);
    page_.Canvas().TextOut(x, y, text);
  }

  TSkinData& data_;
  TBitmap page_;
  int y_ = 8;
};

}  // namespace

TEST(SkinSheet, EveryObjectInEveryState) {
  FreshApplication();
  TMessageBoxRecorder boxes(IDOK);
  TSkinData data(nullptr);
  data.ReadSkinStream(EmbeddedSkinStream());
  ASSERT_FALSE(data.NoSkin);
  TSheet sheet(data);
  using Objects = std::initializer_list<std::pair<const char*, TDataSkinObject*>>;
  auto plain = [&](Objects objects) {
    for (const auto& [label, o] : objects) sheet.Object(label, o);
  };
  // An object and, after it, the second strip it carries (its glyphs or border).
  auto withStrip = [&](const char* label, TDataSkinBorder* o, const char* stripLabel) {
    sheet.Object(label, o);
    if (o) sheet.Strip(stripLabel, *o->Bitmap2, o->FrameCount);
  };
  static const char* const sides[4] = {"Borders Left", "Borders Right", "Borders Top", "Borders Bottom"};
  for (int i = 0; i < 4; ++i) sheet.Object(sides[i], data.Borders[i].get(), false, i == 3);
  plain({{"Title", data.Title.get()}, {"MenuBar", data.MenuBar.get()}});
  for (auto& b : data.CaptionButtons) sheet.Object(b->Name.empty() ? "MDI button" : b->Name.c_str(), b.get(), true, true);
  sheet.Object("Buttons", data.Buttons.get());
  sheet.Strip("Buttons check", *data.Buttons->Bitmap2, data.Buttons->CheckFrameCount);
  sheet.Strip("Buttons radio", *data.Buttons->Bitmap3, data.Buttons->RadioFrameCount);
  plain({{"MenuItem", data.MenuItem.get()}, {"MenuBackground", data.MenuBackground.get()},
         {"GroupBox", data.GroupBox.get()}, {"GroupBoxEdge", data.GroupBoxEdge.get()}});
  withStrip("Tabs", data.Tabs.get(), "Tabs border");
  plain({{"TabPane", data.TabPane.get()}, {"Headerbar", data.Headerbar.get()}, {"Progress", data.Progress.get()},
         {"ProgressChunk", data.ProgressChunk.get()}, {"StatusBarEdges", data.StatusBarEdges.get()},
         {"ToolBars", data.ToolBars.get()}, {"Toolbar (made)", data.Toolbar.get()}});
  sheet.Object("SunkEdge (composed)", data.SunkEdge.get(), true, true);
  sheet.Object("ComboButton (composed)", data.ComboButton.get(), true, true);
  plain({{"ComboxArrow (made)", data.ComboxArrow.get()}, {"ExtraImages", data.ExtraImages.get()},
         {"Scrollbar", data.Scrollbar.get()}, {"HorzScroll", data.HorzScroll.get()},
         {"VertScroll", data.VertScroll.get()}, {"HorzScrollThumb", data.HorzScrollThumb.get()},
         {"VertScrollThumb", data.VertScrollThumb.get()}});
  withStrip("UpDownHorz", data.UpDownHorz.get(), "UpDownHorz glyphs");
  withStrip("UpDownVert", data.UpDownVert.get(), "UpDownVert glyphs");
  plain({{"Track", data.Track.get()}, {"TrackVert", data.TrackVert.get()},
         {"Thumb horz", data.TrackbarThumbHorz.get()}, {"Thumb vert", data.TrackbarThumbVert.get()},
         {"Thumb left", data.TrackbarThumbLeft.get()}, {"Thumb right", data.TrackbarThumbRight.get()},
         {"Thumb up", data.TrackbarThumbUp.get()}, {"Thumb down", data.TrackbarThumbDown.get()}});
  sheet.Colours();
  EXPECT_TRUE(sheet.Save(ArtefactFolder() + "skin_sheet.bmp"));
  EXPECT_TRUE(boxes.Calls.empty());
}
