#pragma once
// A font description with its GDI handle made on demand.
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/base/component.h"
#include "toolkit/win/color.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

class TFont : public TPersistent {
  TK_CLASS(TFont)
public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v);
  int GetHeight() const { return height_; }  // negative: character height in pixels
  void SetHeight(int v);
  int GetSize() const;                       // points at 96 dpi
  void SetSize(int v);
  TFontStyles GetStyle() const { return style_; }
  void SetStyle(TFontStyles v);
  TColor GetColor() const { return color_; }
  void SetColor(TColor v);
  int GetCharset() const { return charset_; }
  void SetCharset(int v);

  HFONT Handle() const;
  void Assign(const TPersistent& source) override;
  // Takes name, height, style and character set of a system font description.
  void AssignLogFont(const LOGFONTW& lf);

  std::function<void(TObject*)> OnChange;

private:
  void Changed();
  std::string name_;
  int height_ = -12;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  int charset_ = DEFAULT_CHARSET;
  mutable HFONT handle_ = nullptr;
};
