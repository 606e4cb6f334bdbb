#pragma once
// Saves what a window or a part of the screen shows as a 24-bit BMP file
// (test artefacts).
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "toolkit/base/file_io.h"

// What the screen shows in `r` (screen coordinates).
inline bool SaveScreenShot(const RECT& r, const std::string& path) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
  std::vector<unsigned char> file(fh.bfSize);
  std::memcpy(file.data(), &fh, sizeof fh);
  std::memcpy(file.data() + sizeof fh, &bi.bmiHeader, sizeof bi.bmiHeader);
  std::memcpy(file.data() + fh.bfOffBits, bits, static_cast<std::size_t>(stride * h));
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return WriteFileBytes(path, file.data(), file.size());
}

inline bool SaveWindowShot(HWND wnd, const std::string& path) {
  RECT r;
  GetWindowRect(wnd, &r);
  return SaveScreenShot(r, path);
}

// The folder for test artefacts in the build tree, as Wine sees it.
inline std::string ArtefactFolder() {
  std::string unix = TAPMIRA_ARTEFACT_DIR;
  std::string path = "Z:";
  for (char c : unix) path += c == '/' ? '\\' : c;
  if (path.back() != '\\') path += '\\';
  CreateDirectoryW(std::wstring(path.begin(), path.end()).c_str(), nullptr);
  return path;
}
