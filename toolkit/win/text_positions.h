#pragma once
// GBK byte offsets against the UTF-16 positions the system controls count.
#include <string>
#include <vector>

// offsets[i] = GBK bytes before character i (size: characters + 1). With
// paragraphCrLf, a lone '\r' (a rich edit's paragraph mark) counts as CR LF.
std::vector<int> GbkOffsets(const std::wstring& text, bool paragraphCrLf = false);
// The character at or before a byte offset (a byte inside a double-byte
// character belongs to it), or, with roundUp, the first boundary at or after it.
int CharAtByte(const std::vector<int>& offsets, int byte, bool roundUp);
// Bytes before a character position (clamped to the text).
int BytesAtChar(const std::vector<int>& offsets, int pos);
