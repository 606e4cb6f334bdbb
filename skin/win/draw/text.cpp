#include "skin/win/draw/text.h"

#include "toolkit/base/gbk_wide.h"
#include "toolkit/win/controls.h"

std::wstring AnsiToWide(const std::string& text) { return GbkToWide(text); }

void WideCopy(const wchar_t* text, int count, std::wstring& out) {
  out.clear();
  if (!text || count == 0 || count < -1) return;
  std::size_t limit = 0;
  while ((count == -1 || limit < static_cast<std::size_t>(count)) && text[limit]) ++limit;
  out.assign(text, limit);
}

int SkinDrawText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
  return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

TWinControl* FindControlOfWindow(HWND window) { return window ? TWinControl::FindControl(window) : nullptr; }
