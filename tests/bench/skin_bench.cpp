// Start-up cost of the skin: decoding the container stored in the main
// window's definition and applying its description (what TSkinData adds
// before the main window shows). Figures in milliseconds, in the test output.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/median_ms.h"
#include "skin/portable/skin_reader.h"
#include "skin/win/data/skin_data.h"
#include "toolkit/win/message_box.h"
#include "win/app_support.h"
#include "win/skin_support.h"

int main() {
  TMessageBoxRecorder boxes(IDOK);
  FreshApplication();
  const std::vector<std::uint8_t> stream = EmbeddedSkinStream();
  if (stream.size() < 8) {
    std::printf("no skin in the main window's definition\n");
    return 1;
  }
  const int runs = 30;
  double decode = MedianMs(runs, [&](int) {
    TMemoryStream container;
    container.Write(stream.data() + 4, static_cast<std::int64_t>(stream.size() - 4));
    TSkinReader reader;
    reader.Load(container);
  });
  double create = MedianMs(runs, [&](int) { TSkinData data(nullptr); });
  bool ok = true;
  double whole = MedianMs(runs, [&](int) {
    TSkinData data(nullptr);
    data.ReadSkinStream(stream);
    ok = ok && !data.NoSkin;
  });
  std::printf("skin stream %zu bytes\n", stream.size());
  std::printf("decode container: %.2f ms (median of %d)\n", decode, runs);
  std::printf("skin data component without a skin: %.2f ms (median of %d)\n", create, runs);
  std::printf("component, decode and apply (ReadSkinStream, LoadSkin): %.2f ms (median of %d)\n", whole, runs);
  if (!ok || !boxes.Calls.empty()) {
    std::printf("the skin did not apply\n");
    return 1;
  }
  return 0;
}
