#include "toolkit/win/font.h"

#include <cwchar>

#include "toolkit/base/gbk_wide.h"

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo info = TClassBuilder<TFont>("TFont", &TPersistent::StaticClass())
                                     .Prop("Name", &TFont::GetName, &TFont::SetName)
                                     .Prop("Height", &TFont::GetHeight, &TFont::SetHeight)
                                     .Prop("Size", &TFont::GetSize, &TFont::SetSize)
                                     .Set("Style", &TFont::GetStyle, &TFont::SetStyle,
                                          {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
                                     .Prop("Color", &TFont::GetColor, &TFont::SetColor)
                                     .Prop("Charset", &TFont::GetCharset, &TFont::SetCharset)
                                     .Build();
  return info;
}

TFont::TFont() : name_("宋体") {}

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

void TFont::Changed() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& v) { if (v != name_) { name_ = v; Changed(); } }
void TFont::SetHeight(int v) { if (v != height_) { height_ = v; Changed(); } }
int TFont::GetSize() const { return -MulDiv(height_, 72, 96); }
void TFont::SetSize(int v) { SetHeight(-MulDiv(v, 96, 72)); }
void TFont::SetStyle(TFontStyles v) { if (v != style_) { style_ = v; Changed(); } }
void TFont::SetColor(TColor v) { if (v != color_) { color_ = v; Changed(); } }
void TFont::SetCharset(int v) { if (v != charset_) { charset_ = v; Changed(); } }

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) != 0;
    lf.lfUnderline = (style_ & fsUnderline) != 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) != 0;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    std::wstring face = GbkToWide(name_);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectW(&lf);
  }
  return handle_;
}

void TFont::AssignLogFont(const LOGFONTW& lf) {
  name_ = WideToGbk(std::wstring(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE)));
  height_ = lf.lfHeight;
  style_ = (lf.lfWeight >= FW_BOLD ? fsBold : 0) | (lf.lfItalic ? fsItalic : 0) | (lf.lfUnderline ? fsUnderline : 0) |
           (lf.lfStrikeOut ? fsStrikeOut : 0);
  charset_ = lf.lfCharSet;
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  const auto* f = dynamic_cast<const TFont*>(&source);
  if (!f) return TPersistent::Assign(source);
  name_ = f->name_;
  height_ = f->height_;
  style_ = f->style_;
  color_ = f->color_;
  charset_ = f->charset_;
  Changed();
}
