#include "picture.h"

namespace mediagen {

namespace {
const Rgba kPanel = Opaque(255, 255, 255);
const Rgba kPanelEdge = Opaque(150, 160, 175);
const Rgba kInk = Opaque(20, 20, 20);
const Rgba kCap = Opaque(232, 240, 250);
const Rgba kCapEdge = Opaque(120, 145, 185);
const Rgba kLetter = Opaque(30, 70, 160);
const Rgba kCapLit = Opaque(255, 222, 120);
const Rgba kCapLitEdge = Opaque(215, 110, 20);
const Rgba kLetterLit = Opaque(200, 30, 20);
const int kRootPx = 12;
const int kLetterPx = 13;
}  // namespace

PictureLayout LayoutPicture(size_t n) {
  PictureLayout l;
  l.character = {0, 0, kPictureHeight, kPictureHeight};
  const int left = kPictureHeight + 3, pitch = (kPictureWidth - left) / 4;
  for (size_t i = 0; i < n && i < 4; ++i)
    l.keys.push_back({left + int(i) * pitch, 0, pitch - 1, kPictureHeight});
  return l;
}

bool Drawable(Font& f, const std::string& utf8) {
  std::u32string cps;
  if (!DecodeUtf8(utf8, cps) || cps.empty()) return false;
  for (char32_t cp : cps)
    if (!f.HasGlyph(cp)) return false;
  return true;
}

void DrawKeyCap(Canvas& c, const Rect& r, char key, const std::vector<std::string>& roots,
                bool lit, Font& letter_font, Font& root_font) {
  c.FillRoundRect(r, 4, lit ? kCapLitEdge : kCapEdge);
  c.FillRoundRect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, 3, lit ? kCapLit : kCap);
  std::string letter(1, char(key - 'a' + 'A'));
  int x = r.x + 3, y = r.y + 1;  // three rows of 12 px
  x += letter_font.Draw(c, x, y, letter, kLetterPx, lit ? kLetterLit : kLetter) + 2;
  const int line = kRootPx, right = r.x + r.w - 2, bottom = r.y + r.h - 1;
  for (const auto& root : roots) {
    if (!Drawable(root_font, root)) continue;
    int w = root_font.Measure(root, kRootPx);
    if (x + w > right) {
      x = r.x + 3;
      y += line;
    }
    if (y + kRootPx > bottom) break;
    root_font.Draw(c, x, y, root, kRootPx, kInk);
    x += w + 1;
  }
}

void DrawRootsCap(Canvas& c, const Rect& r, char key, const LetterRoots& named, bool lit, Font& letter_font,
                  Font& root_font, Font& label_font) {
  c.FillRoundRect(r, 4, lit ? kCapLitEdge : kCapEdge);
  c.FillRoundRect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, 3, lit ? kCapLit : kCap);
  std::string letter(1, char(key - 'a' + 'A'));
  letter_font.Draw(c, r.x + 3, r.y + 1, letter, kLetterPx, lit ? kLetterLit : kLetter);
  Rect body{r.x + 2, r.y + 12, r.w - 4, r.h - 13};
  if (named.identification) {
    label_font.DrawCentered(c, body, u8"识别码", kRootPx, kInk);
    return;
  }
  std::string text;
  for (const auto& root : named.roots) text += root;
  int px = named.roots.size() <= 1 ? 24 : 16;
  while (px > 12 && root_font.Measure(text, px) > body.w) --px;
  root_font.DrawCentered(c, {body.x, body.y - 1, body.w, body.h}, text, px, kInk);
}

bool PictureMaker::NamedRoots(const PictureEntry& e, std::vector<LetterRoots>& letters) {
  if (!splits_ || !RootsOfCode(e.character, e.code, *splits_, roots_, letters)) return false;
  for (const auto& l : letters)
    for (const auto& r : l.roots)
      if (!Drawable(smooth_, r)) return false;
  return letters.size() == e.code.size();
}

const Canvas& PictureMaker::KeyCap(char key, bool lit, int w, int h) {
  auto k = std::make_tuple(key, lit, w, h);
  auto it = caps_.find(k);
  if (it != caps_.end()) return it->second;
  Canvas cap(w, h);
  static const std::vector<std::string> none;
  auto r = roots_.find(key);
  DrawKeyCap(cap, {0, 0, w, h}, key, r == roots_.end() ? none : r->second, lit, smooth_, crisp_);
  return caps_.emplace(k, std::move(cap)).first->second;
}

std::vector<Canvas> PictureMaker::Frames(const PictureEntry& e) {
  PictureLayout l = LayoutPicture(e.code.size());
  Canvas base(kPictureWidth, kPictureHeight);
  base.FillRoundRect(l.character, 5, kPanelEdge);
  base.FillRoundRect({1, 1, l.character.w - 2, l.character.h - 2}, 4, kPanel);
  smooth_.DrawCentered(base, l.character, e.character, 34, kInk);
  std::vector<LetterRoots> named;
  bool known = NamedRoots(e, named);
  auto cap = [&](Canvas& c, size_t i, bool lit) {
    if (!known) return c.Paste(KeyCap(e.code[i], lit, l.keys[i].w, l.keys[i].h), l.keys[i].x, l.keys[i].y);
    DrawRootsCap(c, l.keys[i], e.code[i], named[i], lit, smooth_, smooth_, smooth_);
  };
  for (size_t i = 0; i < l.keys.size(); ++i) cap(base, i, false);
  std::vector<Canvas> frames;
  for (size_t f = 0; f < l.keys.size(); ++f) {
    Canvas c = base;
    cap(c, f, true);
    frames.push_back(std::move(c));
  }
  return frames;
}

bool PictureMaker::Encode(const PictureEntry& e, std::vector<uint8_t>& gif, std::string& error) {
  std::vector<Canvas> frames = Frames(e);
  std::vector<const Canvas*> ptrs;
  for (const auto& f : frames) ptrs.push_back(&f);
  GifImage img;
  if (!IndexFrames(ptrs, img, error)) return false;
  for (size_t i = 0; i < img.frames.size(); ++i)
    img.frames[i].delay_cs = i + 1 == img.frames.size() ? kLastFrameDelay : kFrameDelay;
  img.loop_count = 0;
  return EncodeGif(img, gif, error);
}

bool PictureMaker::CanDrawCharacter(const PictureEntry& e) { return Drawable(smooth_, e.character); }

std::vector<std::string> PictureMaker::UndrawableRoots() {
  std::vector<std::string> bad;
  for (const auto& kv : roots_)
    for (const auto& r : kv.second)
      if (!Drawable(crisp_, r)) bad.push_back(r);
  return bad;
}

}  // namespace mediagen
