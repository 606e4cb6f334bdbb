#include "toolkit/base/gif_image.h"

#include <gif_lib.h>

#include <cstring>

namespace {

// Bounds that keep damaged headers from asking for absurd amounts of memory.
constexpr std::size_t kMaxPixels = std::size_t{1} << 24;       // per frame and canvas
constexpr std::size_t kMaxTotalPixels = std::size_t{1} << 26;  // all frames together
constexpr std::size_t kMaxFrames = 1000;

struct TMemorySource {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos;
};

int ReadMemory(GifFileType* gif, GifByteType* buf, int length) {
  auto* src = static_cast<TMemorySource*>(gif->UserData);
  if (length <= 0) return 0;
  std::size_t n = src->Size - src->Pos;
  if (n > static_cast<std::size_t>(length)) n = static_cast<std::size_t>(length);
  std::memcpy(buf, src->Data + src->Pos, n);
  src->Pos += n;
  return static_cast<int>(n);
}

// Closes the decoder on every way out.
class TGifHandle {
public:
  explicit TGifHandle(GifFileType* gif) : gif_(gif) {}
  ~TGifHandle() {
    int err = 0;
    if (gif_) DGifCloseFile(gif_, &err);
  }
  TGifHandle(const TGifHandle&) = delete;
  TGifHandle& operator=(const TGifHandle&) = delete;
  GifFileType* operator->() const { return gif_; }
  GifFileType* get() const { return gif_; }

private:
  GifFileType* gif_;
};

[[noreturn]] void FailWith(int code, const std::string& where) {
  if (code == D_GIF_ERR_READ_FAILED) throw EGifError("GIF data is truncated (" + where + ")");
  const char* text = GifErrorString(code);
  throw EGifError("damaged GIF data (" + where + "): " + (text ? text : "unknown error"));
}

std::vector<TGifColor> ToPalette(const ColorMapObject* map) {
  std::vector<TGifColor> out;
  if (!map || !map->Colors || map->ColorCount <= 0) return out;
  out.resize(static_cast<std::size_t>(map->ColorCount));
  for (int i = 0; i < map->ColorCount; ++i) {
    out[static_cast<std::size_t>(i)].R = map->Colors[i].Red;
    out[static_cast<std::size_t>(i)].G = map->Colors[i].Green;
    out[static_cast<std::size_t>(i)].B = map->Colors[i].Blue;
  }
  return out;
}

// The settings a graphic control extension gives the next frame.
struct TPendingControl {
  int Delay = 0;
  TGifDisposal Disposal = TGifDisposal::Unspecified;
  int Transparent = -1;
};

void ReadExtension(GifFileType* gif, TGifPicture& pic, TPendingControl& pending, const std::string& where) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) FailWith(gif->Error, where);
  bool looping = false;
  bool first = true;
  while (block) {
    std::size_t len = block[0];
    const GifByteType* bytes = block + 1;
    if (code == GRAPHICS_EXT_FUNC_CODE && first) {
      GraphicsControlBlock gcb;
      if (DGifExtensionToGCB(len, bytes, &gcb) == GIF_ERROR)
        throw EGifError("damaged GIF data (" + where + "): bad graphic control extension");
      pending.Delay = gcb.DelayTime;
      pending.Disposal = gcb.DisposalMode >= 1 && gcb.DisposalMode <= 3 ? static_cast<TGifDisposal>(gcb.DisposalMode)
                                                                      : TGifDisposal::Unspecified;
      pending.Transparent = gcb.TransparentColor;
    } else if (code == APPLICATION_EXT_FUNC_CODE) {
      if (first) {
        looping = len == 11 && std::memcmp(bytes, "NETSCAPE2.0", 11) == 0;
      } else if (looping && len >= 3 && bytes[0] == 1) {
        pic.LoopCount = bytes[1] | (bytes[2] << 8);
      }
    }
    first = false;
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) FailWith(gif->Error, where);
  }
}

void ReadFrame(GifFileType* gif, TGifPicture& pic, TPendingControl& pending, std::size_t& totalPixels,
               const std::string& where) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) FailWith(gif->Error, where);
  const GifImageDesc& d = gif->Image;
  if (d.Width <= 0 || d.Height <= 0) throw EGifError("damaged GIF data (" + where + "): empty frame");
  std::size_t pixels = static_cast<std::size_t>(d.Width) * static_cast<std::size_t>(d.Height);
  totalPixels += pixels;
  if (pixels > kMaxPixels || totalPixels > kMaxTotalPixels)
    throw EGifError("GIF picture too large (" + where + ": " + std::to_string(d.Width) + "x" +
                    std::to_string(d.Height) + ")");
  TGifFrame f;
  f.Left = d.Left;
  f.Top = d.Top;
  f.Width = d.Width;
  f.Height = d.Height;
  f.Interlaced = d.Interlace;
  f.LocalPalette = d.ColorMap != nullptr;
  f.Palette = f.LocalPalette ? ToPalette(d.ColorMap) : pic.GlobalPalette;
  if (f.Palette.empty()) throw EGifError("damaged GIF data (" + where + "): no colour table");
  f.Delay = pending.Delay;
  f.Disposal = pending.Disposal;
  f.TransparentIndex = pending.Transparent;
  pending = TPendingControl();

  f.Pixels.resize(pixels);
  auto readRow = [&](int row) {
    if (DGifGetLine(gif, f.Pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(f.Width),
                    f.Width) == GIF_ERROR)
      FailWith(gif->Error, where);
  };
  if (f.Interlaced) {
    static const int start[] = {0, 4, 2, 1};
    static const int step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int row = start[pass]; row < f.Height; row += step[pass]) readRow(row);
  } else {
    for (int row = 0; row < f.Height; ++row) readRow(row);
  }
  pic.Frames.push_back(std::move(f));
}

}  // namespace

TGifPicture DecodeGif(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  if (!bytes || size < 6 || std::memcmp(bytes, "GIF", 3) != 0) throw EGifError("not a GIF picture");
  TGifPicture pic;
  pic.Version.assign(reinterpret_cast<const char*>(bytes) + 3, 3);
  if (pic.Version != "87a" && pic.Version != "89a") throw EGifError("unsupported GIF version " + pic.Version);

  TMemorySource src{bytes, size, 0};
  int err = 0;
  TGifHandle gif(DGifOpen(&src, ReadMemory, &err));
  if (!gif.get()) FailWith(err, "header");
  pic.Width = gif->SWidth;
  pic.Height = gif->SHeight;
  if (pic.Width <= 0 || pic.Height <= 0) throw EGifError("damaged GIF data (header): empty picture size");
  if (static_cast<std::size_t>(pic.Width) * static_cast<std::size_t>(pic.Height) > kMaxPixels)
    throw EGifError("GIF picture too large (" + std::to_string(pic.Width) + "x" + std::to_string(pic.Height) + ")");
  pic.GlobalPalette = ToPalette(gif->SColorMap);

  TPendingControl pending;
  std::size_t totalPixels = 0;
  for (;;) {
    std::string where = "after frame " + std::to_string(pic.Frames.size());
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) FailWith(gif->Error, where);
    if (type == TERMINATE_RECORD_TYPE) break;
    if (type == EXTENSION_RECORD_TYPE) {
      ReadExtension(gif.get(), pic, pending, where);
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      if (pic.Frames.size() >= kMaxFrames) throw EGifError("GIF picture has too many frames");
      ReadFrame(gif.get(), pic, pending, totalPixels, "frame " + std::to_string(pic.Frames.size() + 1));
    } else {
      throw EGifError("damaged GIF data (" + where + "): unknown block");
    }
  }
  if (pic.Frames.empty()) throw EGifError("GIF data holds no picture");
  return pic;
}

// --- Composition --------------------------------------------------------------

TGifComposer::TGifComposer(const TGifPicture& picture) : picture_(picture) { Reset(); }

void TGifComposer::Reset() {
  canvas_.assign(static_cast<std::size_t>(picture_.Width) * static_cast<std::size_t>(picture_.Height), 0);
  saved_.clear();
  shown_ = -1;
}

const TGifCanvas& TGifComposer::Frame(int index) {
  if (index < 0 || index >= static_cast<int>(picture_.Frames.size()))
    throw EGifError("GIF frame " + std::to_string(index) + " does not exist");
  if (index < shown_) Reset();
  while (shown_ < index) {
    if (shown_ >= 0) Dispose(picture_.Frames[static_cast<std::size_t>(shown_)]);
    const TGifFrame& next = picture_.Frames[static_cast<std::size_t>(shown_ + 1)];
    if (next.Disposal == TGifDisposal::RestorePrevious) saved_ = canvas_;
    Draw(next);
    ++shown_;
  }
  return canvas_;
}

void TGifComposer::Draw(const TGifFrame& f) {
  const int w = picture_.Width, h = picture_.Height;
  for (int y = 0; y < f.Height; ++y) {
    int sy = f.Top + y;
    if (sy < 0 || sy >= h) continue;
    const std::uint8_t* row = f.Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(f.Width);
    std::uint32_t* out = canvas_.data() + static_cast<std::size_t>(sy) * static_cast<std::size_t>(w);
    for (int x = 0; x < f.Width; ++x) {
      int sx = f.Left + x;
      if (sx < 0 || sx >= w) continue;
      int index = row[x];
      if (index == f.TransparentIndex) continue;
      // An index beyond the palette shows black.
      TGifColor c = static_cast<std::size_t>(index) < f.Palette.size() ? f.Palette[static_cast<std::size_t>(index)]
                                                                      : TGifColor{};
      out[sx] = 0xFF000000u | (std::uint32_t{c.R} << 16) | (std::uint32_t{c.G} << 8) | c.B;
    }
  }
}

void TGifComposer::Dispose(const TGifFrame& f) {
  if (f.Disposal == TGifDisposal::RestorePrevious) {
    if (!saved_.empty()) canvas_ = saved_;
    return;
  }
  if (f.Disposal != TGifDisposal::RestoreBackground) return;
  const int w = picture_.Width, h = picture_.Height;
  for (int y = f.Top < 0 ? 0 : f.Top; y < f.Top + f.Height && y < h; ++y)
    for (int x = f.Left < 0 ? 0 : f.Left; x < f.Left + f.Width && x < w; ++x)
      canvas_[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = 0;
}

TGifCanvas ComposeGifFrame(const TGifPicture& picture, int index) {
  TGifComposer composer(picture);
  return composer.Frame(index);
}
