#include "help_images.h"

#include <algorithm>

namespace mediagen {

namespace {

const Rgba kFingerColors[kFingerCount] = {
    Opaque(246, 166, 178), Opaque(250, 204, 140), Opaque(250, 240, 140), Opaque(168, 226, 160),
    Opaque(140, 214, 230), Opaque(176, 186, 246), Opaque(222, 180, 240), Opaque(244, 180, 214),
    Opaque(210, 210, 210)};
const char* kFingerNames[kFingerCount] = {u8"左手小指", u8"左手无名指", u8"左手中指", u8"左手食指",
                                          u8"右手食指", u8"右手中指", u8"右手无名指", u8"右手小指",
                                          u8"两手拇指"};
const Rgba kWhite = Opaque(255, 255, 255);
const Rgba kInk = Opaque(30, 30, 30);
const Rgba kEdge = Opaque(90, 90, 90);
const Rgba kTitle = Opaque(20, 60, 140);

struct RowKey {
  const char* label;
  double width;
  Finger finger;
};

void AddRow(std::vector<KeySpot>& out, const std::vector<RowKey>& row, int unit, int left, int y) {
  double x = left;
  for (const auto& k : row) {
    int w = int(k.width * unit + 0.5);
    out.push_back({k.label, {int(x + 0.5), y, w - 4, unit - 4}, k.finger});
    x += w;
  }
}

void DrawKeys(Canvas& c, Font& f, const std::vector<KeySpot>& keys, int px) {
  for (const auto& k : keys) {
    c.FillRoundRect(k.rect, 6, kEdge);
    c.FillRoundRect({k.rect.x + 2, k.rect.y + 2, k.rect.w - 4, k.rect.h - 4}, 5,
                    kFingerColors[k.finger]);
    int size = px;
    while (size > 10 && f.Measure(k.label, size) > k.rect.w - 8) size -= 2;
    f.DrawCentered(c, k.rect, k.label, size, kInk);
    if (k.home)
      c.FillRect({k.rect.x + k.rect.w / 2 - 8, k.rect.y + k.rect.h - 10, 16, 3}, kInk);
  }
}

void DrawLegend(Canvas& c, Font& f, int x, int y, int per_row, const std::vector<Finger>& fingers) {
  int col = 0, x0 = x;
  for (Finger fi : fingers) {
    c.FillRect({x, y, 30, 22}, kEdge);
    c.FillRect({x + 2, y + 2, 26, 18}, kFingerColors[fi]);
    f.Draw(c, x + 38, y, kFingerNames[fi], 20, kInk);
    x += 170;
    if (++col == per_row) { col = 0; x = x0; y += 34; }
  }
}

}  // namespace

std::vector<KeySpot> MainKeyboard(int u, int left, int top) {
  const Finger LP = kLeftPinky, LR = kLeftRing, LM = kLeftMiddle, LI = kLeftIndex,
               RI = kRightIndex, RM = kRightMiddle, RR = kRightRing, RP = kRightPinky, TH = kThumb;
  std::vector<KeySpot> keys;
  AddRow(keys, {{"`", 1, LP}, {"1", 1, LP}, {"2", 1, LR}, {"3", 1, LM}, {"4", 1, LI}, {"5", 1, LI},
                {"6", 1, RI}, {"7", 1, RI}, {"8", 1, RM}, {"9", 1, RR}, {"0", 1, RP}, {"-", 1, RP},
                {"=", 1, RP}, {"Backspace", 2, RP}}, u, left, top);
  AddRow(keys, {{"Tab", 1.5, LP}, {"Q", 1, LP}, {"W", 1, LR}, {"E", 1, LM}, {"R", 1, LI},
                {"T", 1, LI}, {"Y", 1, RI}, {"U", 1, RI}, {"I", 1, RM}, {"O", 1, RR}, {"P", 1, RP},
                {"[", 1, RP}, {"]", 1, RP}, {"\\", 1.5, RP}}, u, left, top + u);
  AddRow(keys, {{"Caps Lock", 1.75, LP}, {"A", 1, LP}, {"S", 1, LR}, {"D", 1, LM}, {"F", 1, LI},
                {"G", 1, LI}, {"H", 1, RI}, {"J", 1, RI}, {"K", 1, RM}, {"L", 1, RR}, {";", 1, RP},
                {"'", 1, RP}, {"Enter", 2.25, RP}}, u, left, top + 2 * u);
  AddRow(keys, {{"Shift", 2.25, LP}, {"Z", 1, LP}, {"X", 1, LR}, {"C", 1, LM}, {"V", 1, LI},
                {"B", 1, LI}, {"N", 1, RI}, {"M", 1, RI}, {",", 1, RM}, {".", 1, RR}, {"/", 1, RP},
                {"Shift", 2.75, RP}}, u, left, top + 3 * u);
  AddRow(keys, {{"Ctrl", 1.5, LP}, {"Win", 1.25, LP}, {"Alt", 1.25, TH}, {u8"空格", 7, TH},
                {"Alt", 1.25, TH}, {"Win", 1.25, RP}, {"Ctrl", 1.5, RP}}, u, left, top + 4 * u);
  for (auto& k : keys) k.home = k.label == "F" || k.label == "J";
  return keys;
}

std::vector<KeySpot> NumericKeypad(int u, int left, int top) {
  auto at = [&](const char* label, int col, int row, int w, int h, Finger f) {
    return KeySpot{label, {left + col * u, top + row * u, w * u - 4, h * u - 4}, f};
  };
  std::vector<KeySpot> k = {
      at("Num", 0, 0, 1, 1, kRightIndex), at("/", 1, 0, 1, 1, kRightMiddle),
      at("*", 2, 0, 1, 1, kRightRing),    at("-", 3, 0, 1, 1, kRightPinky),
      at("7", 0, 1, 1, 1, kRightIndex),   at("8", 1, 1, 1, 1, kRightMiddle),
      at("9", 2, 1, 1, 1, kRightRing),    at("+", 3, 1, 1, 2, kRightPinky),
      at("4", 0, 2, 1, 1, kRightIndex),   at("5", 1, 2, 1, 1, kRightMiddle),
      at("6", 2, 2, 1, 1, kRightRing),    at("1", 0, 3, 1, 1, kRightIndex),
      at("2", 1, 3, 1, 1, kRightMiddle),  at("3", 2, 3, 1, 1, kRightRing),
      at("Enter", 3, 3, 1, 2, kRightPinky), at("0", 0, 4, 2, 1, kThumb),
      at(".", 2, 4, 1, 1, kRightRing)};
  for (auto& s : k) s.home = s.label == "5";
  return k;
}

std::map<char, Rect> RootMapLayout(int kw, int kh, int gap, int left, int top) {
  static const char* kRows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
  static const int kIndent[] = {0, 1, 3};  // in quarter keys
  std::map<char, Rect> out;
  for (int r = 0; r < 3; ++r) {
    int x = left + kIndent[r] * (kw + gap) / 4 + (r == 2 ? (kw + gap) / 4 : 0);
    for (const char* p = kRows[r]; *p; ++p, x += kw + gap)
      out[*p] = {x, top + r * (kh + gap), kw, kh};
  }
  return out;
}

std::map<char, Rect> RootMapKeys() { return RootMapLayout(150, 168, 10, 24, 96); }

Rect RootArea(const Rect& r) { return {r.x + 10, r.y + 46, r.w - 18, r.h - 52}; }

int RootZone(char k) {
  static const char* kZones[] = {"gfdsa", "hjklm", "trewq", "yuiop", "nbvcx"};
  for (int z = 0; z < 5; ++z)
    for (int i = 0; kZones[z][i]; ++i)
      if (kZones[z][i] == k) return (z + 1) * 10 + i + 1;
  return 0;
}

int DrawWrapped(Canvas& c, Font& f, const Rect& r, const std::vector<std::string>& items,
                const std::vector<int>& sizes, Rgba color) {
  for (int px : sizes) {
    int gap = px / 3, line = px + px / 4;
    // First pass places, second draws.
    for (int pass = 0; pass < 2; ++pass) {
      int x = r.x, y = r.y;
      bool fits = true;
      for (const auto& it : items) {
        if (!Drawable(f, it)) continue;
        int w = f.Measure(it, px);
        if (x > r.x && x + w > r.x + r.w) { x = r.x; y += line; }
        if (y + px > r.y + r.h || w > r.w) { fits = false; break; }
        if (pass == 1) f.Draw(c, x, y, it, px, color);
        x += w + gap;
      }
      if (!fits) break;
      if (pass == 1) return px;
    }
  }
  return 0;
}

Canvas DrawKeyboardPicture(Font& f) {
  const int u = 64, left = 30, top = 90;
  Canvas c(15 * u + 56, top + 5 * u + 150, kWhite);
  f.DrawCentered(c, {0, 18, c.width(), 50}, u8"标准键盘键位图（指法分区）", 34, kTitle, true);
  DrawKeys(c, f, MainKeyboard(u, left, top), 22);
  f.Draw(c, left, top + 5 * u + 10,
         u8"双手放在基准键 A S D F 与 J K L ; 上，食指摸到 F、J 键上的凸起；每个手指只负责同颜色的键。",
         20, kInk);
  DrawLegend(c, f, left, top + 5 * u + 50, 5,
             {kLeftPinky, kLeftRing, kLeftMiddle, kLeftIndex, kThumb, kRightIndex, kRightMiddle,
              kRightRing, kRightPinky});
  return c;
}

Canvas DrawKeypadPicture(Font& f) {
  const int u = 90, left = 60, top = 100;
  Canvas c(left + 4 * u + 420, top + 5 * u + 60, kWhite);
  f.DrawCentered(c, {0, 20, c.width(), 50}, u8"数字键盘指法图", 36, kTitle, true);
  DrawKeys(c, f, NumericKeypad(u, left, top), 28);
  int x = left + 4 * u + 40, y = top;
  const char* lines[] = {u8"右手放在基准键 4 5 6 上，", u8"中指摸到 5 键上的凸起。", "",
                         u8"食指：Num 7 4 1", u8"中指：/ 8 5 2", u8"无名指：* 9 6 3 .",
                         u8"小指：- + Enter", u8"拇指：0"};
  for (const char* l : lines) {
    f.Draw(c, x, y, l, 24, kInk);
    y += 40;
  }
  DrawLegend(c, f, x, y + 20, 2, {kRightIndex, kRightMiddle, kRightRing, kRightPinky, kThumb});
  return c;
}

Canvas DrawRootMap(Font& f, const RootTable& roots) {
  auto layout = RootMapKeys();
  int right = 0, bottom = 0, left = layout['q'].x;
  for (const auto& kv : layout) {
    right = std::max(right, kv.second.x + kv.second.w);
    bottom = std::max(bottom, kv.second.y + kv.second.h);
  }
  Canvas c(right + left, bottom + 110, kWhite);
  f.DrawCentered(c, {0, 20, c.width(), 50}, u8"五笔字根图（86版）", 38, kTitle, true);
  static const Rgba kZoneColors[] = {Opaque(255, 214, 214), Opaque(214, 236, 255),
                                     Opaque(220, 246, 214), Opaque(255, 240, 200),
                                     Opaque(236, 220, 255)};
  for (const auto& kv : layout) {
    const Rect& r = kv.second;
    int zone = RootZone(kv.first);
    c.FillRoundRect(r, 8, kEdge);
    c.FillRoundRect({r.x + 2, r.y + 2, r.w - 4, r.h - 4}, 7,
                    zone ? kZoneColors[zone / 10 - 1] : Opaque(235, 235, 235));
    std::string letter(1, char(kv.first - 'a' + 'A'));
    f.Draw(c, r.x + 10, r.y + 6, letter, 30, kTitle, true);
    if (!zone) {
      f.DrawCentered(c, {r.x, r.y + 40, r.w, r.h - 50}, u8"学习键", 24, kInk);
      continue;
    }
    f.Draw(c, r.x + r.w - 40, r.y + 12, std::to_string(zone), 20, Opaque(120, 120, 120));
    auto it = roots.find(kv.first);
    if (it == roots.end()) continue;
    DrawWrapped(c, f, RootArea(r), it->second, {26, 22, 19, 16, 14}, kInk);
  }
  static const char* kZoneNames[] = {u8"1 横区 G F D S A", u8"2 竖区 H J K L M",
                                     u8"3 撇区 T R E W Q", u8"4 捺区 Y U I O P",
                                     u8"5 折区 N B V C X"};
  int x = left, y = bottom + 30;
  for (int z = 0; z < 5; ++z) {
    c.FillRect({x, y, 30, 24}, kEdge);
    c.FillRect({x + 2, y + 2, 26, 20}, kZoneColors[z]);
    x += 38 + f.Draw(c, x + 38, y, kZoneNames[z], 22, kInk) + 30;
  }
  return c;
}

}  // namespace mediagen
