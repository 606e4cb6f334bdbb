#pragma once
// Text helpers of the skin engine: the program's GBK text at the wide API.
#include <windows.h>

#include <string>

class TWinControl;

// GBK (code page 936) to wide text.
std::wstring AnsiToWide(const std::string& text);
// The first count characters of text (all of it when count is -1); never past
// the text's terminating NUL. A null text gives an empty result.
void WideCopy(const wchar_t* text, int count, std::wstring& out);
// DrawTextW of the whole text; the drawing call's result.
int SkinDrawText(HDC dc, const std::wstring& text, RECT& rect, UINT format);
// The toolkit control of a window, or null.
TWinControl* FindControlOfWindow(HWND window);
