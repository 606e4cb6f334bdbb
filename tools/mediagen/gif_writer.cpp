#include "gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace mediagen {

bool IndexFrames(const std::vector<const Canvas*>& canvases, GifImage& out, std::string& error) {
  if (canvases.empty()) { error = "no frames"; return false; }
  int w = canvases[0]->width(), h = canvases[0]->height();
  for (const Canvas* c : canvases)
    if (c->width() != w || c->height() != h) { error = "frames differ in size"; return false; }
  bool any_transparent = false;
  for (const Canvas* c : canvases)
    for (Rgba p : c->pixels()) any_transparent |= (p >> 24) == 0;
  // Drop low colour bits until the distinct colours fit.
  std::vector<Rgba> colors;
  uint32_t mask = 0xFFFFFF;
  size_t room = any_transparent ? 255 : 256;
  for (int bits = 0; bits <= 7; ++bits) {
    uint8_t m = uint8_t(0xFF << bits);
    mask = (uint32_t(m) << 16) | (uint32_t(m) << 8) | m;
    colors.clear();
    bool fits = true, have_last = false;
    Rgba last = 0;
    for (const Canvas* c : canvases) {
      for (Rgba p : c->pixels()) {
        if ((p >> 24) == 0) continue;
        Rgba k = p & mask;
        if (have_last && k == last) continue;
        last = k;
        have_last = true;
        if (std::find(colors.begin(), colors.end(), k) != colors.end()) continue;
        colors.push_back(k);
        if (colors.size() > room) { fits = false; break; }
      }
      if (!fits) break;
    }
    if (fits) break;
  }
  std::sort(colors.begin(), colors.end());  // the same pictures give the same files
  out.width = w;
  out.height = h;
  out.palette.clear();
  out.transparent = -1;
  if (any_transparent) {
    out.palette.push_back(kTransparent);
    out.transparent = 0;
  }
  const int first = int(out.palette.size());
  for (Rgba c : colors) out.palette.push_back(c | 0xFF000000u);
  out.frames.resize(canvases.size());
  for (size_t f = 0; f < canvases.size(); ++f) {
    auto& idx = out.frames[f].indices;
    idx.resize(size_t(w) * h);
    const auto& px = canvases[f]->pixels();
    Rgba last = 0;
    uint8_t last_index = 0;
    bool have_last = false;
    for (size_t i = 0; i < px.size(); ++i) {
      if ((px[i] >> 24) == 0) { idx[i] = 0; continue; }
      Rgba c = px[i] & mask;
      if (!have_last || c != last) {
        last = c;
        last_index = uint8_t(first + (std::lower_bound(colors.begin(), colors.end(), c) - colors.begin()));
        have_last = true;
      }
      idx[i] = last_index;
    }
  }
  return true;
}

namespace {
int AppendBytes(GifFileType* gif, const GifByteType* data, int len) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + len);
  return len;
}
}  // namespace

bool EncodeGif(const GifImage& img, std::vector<uint8_t>& bytes, std::string& error) {
  if (img.width <= 0 || img.height <= 0 || img.frames.empty()) { error = "empty image"; return false; }
  if (img.palette.empty() || img.palette.size() > 256) { error = "bad palette size"; return false; }
  for (const auto& f : img.frames) {
    if (f.indices.size() != size_t(img.width) * img.height) { error = "frame size mismatch"; return false; }
    for (uint8_t i : f.indices)
      if (i >= img.palette.size()) { error = "pixel index outside the palette"; return false; }
  }
  int bits = 1;
  while ((1 << bits) < int(img.palette.size())) ++bits;
  ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) { error = "out of memory"; return false; }
  for (int i = 0; i < (1 << bits); ++i) {
    Rgba c = i < int(img.palette.size()) ? img.palette[i] : 0;
    map->Colors[i] = {GifByteType(c >> 16), GifByteType(c >> 8), GifByteType(c)};
  }
  bytes.clear();
  int err = 0;
  GifFileType* gif = EGifOpen(&bytes, AppendBytes, &err);
  if (!gif) { GifFreeMapObject(map); error = GifErrorString(err); return false; }
  bool ok = true;
  auto fail = [&](const char* what) {
    if (ok) error = std::string(what) + ": " + (GifErrorString(gif->Error) ? GifErrorString(gif->Error) : "?");
    ok = false;
  };
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, img.width, img.height, bits, 0, map) == GIF_ERROR) fail("screen");
  if (ok && img.loop_count >= 0 && img.frames.size() > 1) {
    unsigned char app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    unsigned char sub[] = {1, uint8_t(img.loop_count & 0xFF), uint8_t(img.loop_count >> 8)};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof app, app) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof sub, sub) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif) == GIF_ERROR)
      fail("loop extension");
  }
  for (size_t f = 0; ok && f < img.frames.size(); ++f) {
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_BACKGROUND;
    gcb.UserInputFlag = false;
    gcb.DelayTime = img.frames[f].delay_cs;
    gcb.TransparentColor = img.transparent;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_ERROR) { fail("frame control"); break; }
    if (EGifPutImageDesc(gif, 0, 0, img.width, img.height, false, nullptr) == GIF_ERROR) { fail("frame"); break; }
    std::vector<GifPixelType> line(img.width);
    for (int y = 0; ok && y < img.height; ++y) {
      std::memcpy(line.data(), img.frames[f].indices.data() + size_t(y) * img.width, img.width);
      if (EGifPutLine(gif, line.data(), img.width) == GIF_ERROR) fail("pixels");
    }
  }
  if (EGifCloseFile(gif, &err) == GIF_ERROR && ok) {
    error = GifErrorString(err);
    ok = false;
  }
  GifFreeMapObject(map);
  return ok;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace mediagen
