#include "toolkit/win/text_positions.h"

#include <windows.h>

#include <algorithm>

std::vector<int> GbkOffsets(const std::wstring& text, bool paragraphCrLf) {
  std::vector<int> offsets(text.size() + 1, 0);
  int bytes = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    offsets[i] = bytes;
    wchar_t c = text[i];
    if (c < 0x80) {
      bytes += (paragraphCrLf && c == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n')) ? 2 : 1;
    } else {
      char buf[8];
      int n = WideCharToMultiByte(936, 0, &c, 1, buf, sizeof buf, nullptr, nullptr);
      bytes += n > 0 ? n : 1;
    }
  }
  offsets[text.size()] = bytes;
  return offsets;
}

int CharAtByte(const std::vector<int>& offsets, int byte, bool roundUp) {
  int last = static_cast<int>(offsets.size()) - 1;
  if (byte <= 0) return 0;
  if (byte >= offsets[static_cast<std::size_t>(last)]) return last;
  auto it = roundUp ? std::lower_bound(offsets.begin(), offsets.end(), byte)
                    : std::upper_bound(offsets.begin(), offsets.end(), byte) - 1;
  return static_cast<int>(it - offsets.begin());
}

int BytesAtChar(const std::vector<int>& offsets, int pos) {
  int last = static_cast<int>(offsets.size()) - 1;
  return offsets[static_cast<std::size_t>(std::clamp(pos, 0, last))];
}
