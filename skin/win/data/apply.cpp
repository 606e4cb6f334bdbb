// Reading the skin description into the skin objects.
#include "skin/win/data/apply.h"

#include <algorithm>

#include "skin/portable/bmp_entry.h"
#include "skin/portable/skin_color.h"
#include "skin/win/draw/img_util.h"
#include "toolkit/base/sysutils.h"

namespace {

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// The file name part of a path, and its extension with the dot.
std::string FileNamePart(const std::string& value) {
  std::size_t cut = value.find_last_of("\\/:");
  return cut == std::string::npos ? value : value.substr(cut + 1);
}
std::string ExtensionOf(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

void TSkinData::ApplySkin(const TSkinReader& reader, const TQuickIni& ini) {
  TApply apply{*this, reader, ini, {}};
  apply.Run();
}

void TSkinData::TApply::Run() {
  TStringList list;
  Ini.ReadSections(list);
  Sections = list.ToVector();
  Data.BadImages.clear();
  Data.FreeRoles();

  LoadBorders();
  LoadColors();
  LoadCaptionButtons();
  LoadButtons();
  LoadTitle();

  Data.Progress = LoadProgress();
  Data.ProgressChunk = LoadImageObject("Progress.Chunk");
  Data.MenuBar = LoadMenuBar();
  Data.GroupBoxEdge = LoadImageObject("GroupBoxEdge");
  Data.GroupBox = LoadBoxLabel();
  Data.Tabs = LoadBorderObject("Tabs", "Border");
  Data.StatusBarEdges = LoadImageObject("StatusBarEdges");
  Data.TabPane = LoadImageObject("Tab.Pane");
  if (Data.TabPane) {
    TDataSkinObject& p = *Data.TabPane;
    p.LeftWidth = std::min(p.LeftWidth, 4);
    p.TopHeight = std::min(p.TopHeight, 4);
    p.RightWidth = std::min(p.RightWidth, 4);
    p.BottomHeight = std::min(p.BottomHeight, 4);
  }
  Data.ToolBars = LoadImageObject("ToolBars");
  Data.ComboButton = LoadBorderObject("ComboButton", "****");
  Data.SunkEdge = LoadImageObject("SunkEdge");
  if (Data.ComboButton && Data.ComboButton->HasImage()) {
    Data.ComboButton->Bitmap2->Assign(*Data.ComboButton->Bitmap);
    MirrorBitmap(*Data.ComboButton->Bitmap2);  // switches it to 24 bits first
  }

  Data.ExtraImages = LoadImageObject("ExtraImages");
  Data.Headerbar = LoadImageObject("Headerbar");
  Data.MenuItem = LoadImageObject("MenuItem");
  Data.MenuBackground = LoadImageObject("MenuBackground");
  Data.Scrollbar = LoadImageObject("Scrollbar");
  Data.HorzScroll = LoadImageObject("HorzScroll");
  Data.VertScroll = LoadImageObject("VertScroll");
  Data.HorzScrollThumb = LoadImageObject("HorzScrollThumb");
  Data.VertScrollThumb = LoadImageObject("VertScrollThumb");
  Data.TrackbarThumbHorz = LoadImageObject("Trackbar.ThumbHorz");
  Data.TrackbarThumbVert = LoadImageObject("Trackbar.ThumbVert");
  Data.TrackbarThumbLeft = LoadImageObject("Trackbar.ThumbLeft");
  Data.TrackbarThumbRight = LoadImageObject("Trackbar.ThumbRight");
  Data.TrackbarThumbUp = LoadImageObject("Trackbar.ThumbUp");
  Data.TrackbarThumbDown = LoadImageObject("Trackbar.ThumbDown");
  Data.UpDownHorz = LoadBorderObject("UpDown.Horz", "GlyphImage");
  Data.UpDownVert = LoadBorderObject("UpDown.Vert", "GlyphImage");
  Data.Track = LoadImageObject("Track");
  Data.TrackVert = LoadImageObject("TRACKVERT");
  if (!Data.Track) Data.Track = LoadResourceObject("TRACK");
  if (!Data.TrackVert) Data.TrackVert = LoadResourceObject("TRACKVERT");

  SetFrameCounts();
  ComposeComboImages();
  MakeComboArrow();
  MakeToolbarGradient();

  Data.Colors[scTitleColor] = TitleColor();
  if (Data.FaceBrush) DeleteObject(Data.FaceBrush);
  Data.FaceBrush = CreateSolidBrush(ColorToRGB(Data.Colors[scButtonFace]));
  Data.NoSkin = false;
}

void TSkinData::FreeRoles() {
  CaptionButtons.clear();
  for (auto* role : {&Progress, &Tabs, &ComboButton, &UpDownHorz, &UpDownVert}) role->reset();
  GroupBox.reset();
  for (auto* role : {&ProgressChunk, &MenuBar, &GroupBoxEdge, &StatusBarEdges, &TabPane, &ToolBars, &SunkEdge,
                     &ExtraImages, &Headerbar, &MenuItem, &MenuBackground, &Scrollbar, &HorzScroll, &VertScroll,
                     &HorzScrollThumb, &VertScrollThumb, &TrackbarThumbHorz, &TrackbarThumbVert, &TrackbarThumbLeft,
                     &TrackbarThumbRight, &TrackbarThumbUp, &TrackbarThumbDown, &Track, &TrackVert})
    role->reset();
}

// --- Values ----------------------------------------------------------------

int TSkinData::TApply::Margin(const std::string& section, const std::string& key) const {
  return std::max(Int(section, key, 0), 0);
}

void TSkinData::TApply::ReadMargins(TDataSkinObject& o, const std::string& section) const {
  o.LeftWidth = Margin(section, "LeftWidth");
  o.RightWidth = Margin(section, "RightWidth");
  o.TopHeight = Margin(section, "TopHeight");
  o.BottomHeight = Margin(section, "BottomHeight");
}

TColor TSkinData::TApply::ReadColor(const std::string& text, TColor def) const {
  return text.empty() ? def : static_cast<TColor>(ParseSkinColor(text));
}

TColor TSkinData::TApply::ReadGivenColor(const std::string& section, const std::string& key, TColor def,
                                          bool& given) const {
  const std::string text = Str(section, key);
  given = !text.empty();
  return ReadColor(text, def);
}

void TSkinData::TApply::ReadRGB(const std::string& section, const std::string& name, TColor& colour) const {
  int r = Int(section, name + "R", -1), g = Int(section, name + "G", -1), b = Int(section, name + "B", -1);
  if (r >= 0 && g >= 0 && b >= 0) colour = static_cast<TColor>(MakeRgb(r, g, b));
}

void TSkinData::TApply::LoadSkinBitmap(TBitmap& bitmap, const std::string& value) {
  std::string name = FileNamePart(value);
  if (name.empty() || ExtensionOf(name) != ".bmp") {
    bitmap.Clear();
    return;
  }
  TMemoryStream entry;
  Reader.GetEntry(name, entry);
  if (entry.Size() == 0) {
    bitmap.Clear();
    return;
  }
  // A damaged image leaves its object empty; the rest of the skin still applies.
  TBmpInfo info;
  std::string reason;
  const std::size_t size = static_cast<std::size_t>(entry.Size());
  bool good = ParseBmpEntry(entry.Memory(), size, info, reason);
  if (good && !info.SystemLayout()) {
    // RLE code and colour masks: decoded here, the object gets 24 bits.
    TImage24 image;
    DecodeBmpEntry(entry.Memory(), size, image, reason);
    LoadImage24(bitmap, image);
  } else if (good) {
    try {
      bitmap.LoadFromMemory(entry.Memory(), size);
    } catch (const EInvalidGraphic& e) {
      good = false;
      reason = e.what();
    }
  }
  if (!good) {
    bitmap.Clear();
    Data.BadImages.push_back(name + " (" + reason + ")");
  }
}

// --- Roles -------------------------------------------------------------------

void TSkinData::TApply::ReadGenericKeys(TDataSkinObject& o, const std::string& section, int keys) {
  o.Name = section;
  LoadSkinBitmap(*o.Bitmap, Str(section, "Image"));
  o.Style = Int(section, "Style", 0);
  ReadMargins(o, section);
  if (keys & kFrame) o.FrameCount = std::max(Int(section, "Frame", 0), 1);
  o.Trans = Int(section, "Trans", 0);
  o.Tile = Int(section, "Tile", 0);
  if (o.Tile > 1) o.Tile = 0;
  if (keys & kColours) {
    o.NormalColour = Int(section, "NormalColour", -1);
    o.MouseOverColour = Int(section, "MouseOverColour", -1);
    o.PressedColour = Int(section, "PressedColour", -1);
    TColor text = Data.Colors[scButtonText];
    o.NormalColour2 = ReadColor(Str(section, "NormalColour2"), text);
    o.MouseOverColour2 = ReadColor(Str(section, "MouseOverColour2"), text);
    o.PressedColour2 = ReadColor(Str(section, "PressedColour2"), text);
  }
}

std::unique_ptr<TDataSkinObject> TSkinData::TApply::LoadImageObject(const std::string& section) {
  if (Str(section, "Image").empty()) return nullptr;
  auto o = std::make_unique<TDataSkinObject>();
  ReadGenericKeys(*o, section, kFrame | kColours);
  return o;
}

std::unique_ptr<TDataSkinBorder> TSkinData::TApply::LoadBorderObject(const std::string& section,
                                                                      const std::string& secondImageKey) {
  if (Str(section, "Image").empty()) return nullptr;
  auto o = std::make_unique<TDataSkinBorder>();
  ReadGenericKeys(*o, section, kColours);
  std::string second = Str(section, secondImageKey);
  if (!second.empty()) LoadSkinBitmap(*o->Bitmap2, second);
  return o;
}

std::unique_ptr<TDataSkinBorder> TSkinData::TApply::LoadProgress() {
  const std::string section = "Progress";
  std::string image = Str(section, "Bitmap");
  if (image.empty()) return nullptr;
  auto o = std::make_unique<TDataSkinBorder>();
  o->Name = section;
  LoadSkinBitmap(*o->Bitmap, image);
  o->Style = Int(section, "Style", 0);
  ReadMargins(*o, section);
  o->Trans = Int(section, "Trans", 0);
  o->Tile = std::min(Int(section, "Tile", 0), 1);
  return o;
}

std::unique_ptr<TDataSkinBoxLabel> TSkinData::TApply::LoadBoxLabel() {
  const std::string section = "GroupBox";
  if (Str(section, "Image").empty()) return nullptr;
  auto o = std::make_unique<TDataSkinBoxLabel>();
  ReadGenericKeys(*o, section, kColours);
  o->BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
  o->BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
  o->BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
  return o;
}

void TSkinData::TApply::LoadButtons() {
  const std::string s = "Buttons";
  TDataSkinButton& b = *Data.Buttons;
  ReadMargins(b, s);
  b.Trans = Int(s, "Trans", 0);
  b.Tile = Int(s, "Tile", 0);
  if (b.Tile > 1) b.Tile = 0;
  LoadSkinBitmap(*b.Bitmap, Str(s, "Bitmap"));
  LoadSkinBitmap(*b.Bitmap2, Str(s, "CheckButton"));
  LoadSkinBitmap(*b.Bitmap3, Str(s, "RadioButton"));
  b.NormalColour = Int(s, "NormalColour", -1);
  b.MouseOverColour = Int(s, "MouseOverColour", -1);
  b.PressedColour = Int(s, "PressedColour", -1);
  b.RadioFrameCount = std::max(Int(s, "RadioButtonFrame", 0), 0);
  b.CheckFrameCount = std::max(Int(s, "CheckButtonFrame", 0), 0);
  TColor text = Data.Colors[scButtonText];
  b.NormalColour2 = ReadGivenColor(s, "NormalColour2", text, b.NormalColour2Given);
  b.MouseOverColour2 = ReadGivenColor(s, "MouseOverColour2", text, b.MouseOverColour2Given);
  b.PressedColour2 = ReadGivenColor(s, "PressedColour2", text, b.PressedColour2Given);
}

std::unique_ptr<TDataSkinObject> TSkinData::TApply::LoadMenuBar() {
  const std::string s = "Personality";
  std::string image = Str(s, "menuBar");
  if (image.empty()) return nullptr;
  auto o = std::make_unique<TDataSkinObject>();
  o->Name = s;
  LoadSkinBitmap(*o->Bitmap, image);
  o->Tile = std::min(Int(s, "TileMenu", 1), 1);
  o->LeftWidth = std::max(Int(s, "TileLeftMenu", 1), 0);
  o->RightWidth = std::max(Int(s, "TileRightMenu", 1), 0);
  return o;
}

void TSkinData::TApply::LoadTitle() {
  const std::string s = "Personality";
  TDataSkinTitle& t = *Data.Title;
  LoadSkinBitmap(*t.Bitmap, Str(s, "TextBack"));
  t.LeftWidth = Int(s, "TextShift", 0);
  t.TopHeight = Int(s, "TextShiftVert", 0);
  t.RightWidth = Int(s, "TextRightClip", 0);
  t.BottomHeight = 0;
  t.TextAlignment = Int(s, "TextAlignment", 0);
  t.TextBackground = Int(s, "Textbackground", 0);
  t.TXTBackleft = Int(s, "TXTBackleft", 0);
  t.TXTBackRight = Int(s, "TXTBackRight", 0);
  t.ActiveTextColor = clNone;
  t.InActiveTextColor = clNone;
  ReadRGB(s, "ActiveText", t.ActiveTextColor);
  ReadRGB(s, "InActiveText", t.InActiveTextColor);
  t.FontHeight = Int("Fonts", "FontHeight", 14);
}

void TSkinData::TApply::LoadBorders() {
  static const char* const sides[4] = {"Left", "Right", "Top", "Bottom"};
  const std::string s = "Personality";
  for (int i = 0; i < 4; ++i) {
    TDataSkinBorder& b = *Data.Borders[i];
    std::string side = sides[i];
    LoadSkinBitmap(*b.Bitmap, Str(s, side));
    int top = Margin(s, side + "TopHeight"), bottom = Margin(s, side + "BotHeight");
    bool vertical = i < 2;
    b.TopHeight = vertical ? top : 0;
    b.BottomHeight = vertical ? bottom : 0;
    b.LeftWidth = vertical ? 0 : top;
    b.RightWidth = vertical ? 0 : bottom;
    b.FrameCount = std::max(Int(s, side + "Frame", 1), 1);
    b.Tile = std::min(Int(s, side + "Stretch", 1), 1);
    b.Trans = Int(s, side + "Trans", 1);
  }
}

void TSkinData::TApply::LoadColor(int index, const std::string& key, TColor def) {
  std::string text = Str("Colours", key);
  Data.ColorGiven[static_cast<std::size_t>(index)] = !text.empty();
  Data.Colors[static_cast<std::size_t>(index)] = ReadColor(text, def);
}

void TSkinData::TApply::LoadColors() {
  Data.Colors.fill(0);
  Data.ColorGiven.fill(false);
  LoadColor(scWindowText, "WindowText", clWindowText);
  LoadColor(scButtonFace, "ButtonFace", clBtnFace);
  LoadColor(scScrollbar, "Scrollbar", clScrollBar);
  LoadColor(scHilightText, "HilightText", clHighlightText);
  LoadColor(scHilight, "Hilight", clHighlight);
  LoadColor(scMenubar, "Menubar", Data.Colors[scButtonFace]);
  LoadColor(scMenu, "Menu", clMenu);
  LoadColor(scMenuText, "MenuText", clMenuText);
  LoadColor(scButtonText, "ButtonText", clBtnText);
  LoadColor(scButtonHilight, "ButtonHilight", clBtnHighlight);
  LoadColor(scButtonlight, "Buttonlight", clBtnHighlight);
  LoadColor(scButtonShadow, "ButtonShadow", clBtnShadow);
  LoadColor(scButtonDkShadow, "ButtonDkShadow", cl3DDkShadow);
  LoadColor(scMenuBarText, "MenuBarText", clMenuText);
  LoadColor(scTitleTextActive, "TitleTextActive", clCaptionText);
  LoadColor(scTitleTextNoActive, "TitleTextNoActive", clInactiveCaptionText);

  Data.SectionColors.clear();
  for (const std::string& section : Sections) {
    std::string up = UpperCase(section);
    if (StartsWith(up, "COLOUR") && up != "COLOURS")
      Data.SectionColors.push_back(ReadColor(Str(section, "color"), clWindowText));
  }
  for (int i = 0; i < 10; ++i)
    Data.CustomColors[static_cast<std::size_t>(i)] = ReadColor(Str("Customcolors", "Color" + std::to_string(i)), clWhite);
}

void TSkinData::TApply::LoadCaptionButtons() {
  static const char* const notCaption[] = {"BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"};
  std::vector<std::string> kept;
  for (auto it = Sections.rbegin(); it != Sections.rend(); ++it) {
    std::string up = UpperCase(*it);
    if (!StartsWith(up, "BUTTON")) continue;
    if (std::find(std::begin(notCaption), std::end(notCaption), up) != std::end(notCaption)) continue;
    if (Int(*it, "Action", 0) == -1 && Int(*it, "Visibility", -1) != 0) continue;
    kept.insert(kept.begin(), *it);
  }
  bool maximisePlaced = false;
  int placedX = 0, placedY = 0;
  for (const std::string& section : kept) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Name = UpperCase(section);
    b->Action = Int(section, "Action", 0);
    b->Align = Int(section, "Align", 0);
    b->Xcoord = Int(section, "Xcoord", 0);
    b->Ycoord = Int(section, "Ycoord", 0);
    b->Visibility = Int(section, "Visibility", 0);
    b->Visibility1 = Int(section, "Visibility1", b->Action == -1 ? -1 : 0);
    b->CombineOp = Int(section, "CombineOp", -1);
    int frame = Int(section, "frame", 0);
    LoadSkinBitmap(*b->Bitmap, Str(section, "ButtonImage"));
    if (b->Action == 1 && b->Visibility == 2) {
      maximisePlaced = true;
      placedX = b->Xcoord;
      placedY = b->Ycoord;
    } else if (b->Action == 4) {
      b->Xcoord = maximisePlaced ? placedX : 0;
      b->Ycoord = maximisePlaced ? placedY : 0;
    }
    if (frame <= 0) {
      b->FrameCount = 6;
      if (b->HasImage() && b->Bitmap->GetWidth() <= 3.8 * b->Bitmap->GetHeight()) b->FrameCount = 3;
      if (b->Action < 0) b->FrameCount = 6;
    } else {
      b->FrameCount = frame;
    }
    if (b->Action == 3 || b->Action == 11) b->Bitmap->Clear();
    Data.CaptionButtons.push_back(std::move(b));
  }
  for (int action = 7; action <= 9; ++action) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Action = action;
    b->Align = b->Visibility = b->Visibility1 = 100;
    b->FrameCount = 4;
    Data.CaptionButtons.push_back(std::move(b));
  }
  LoadMDIButtons();
}

void TSkinData::TApply::LoadMDIButtons() {
  TBitmap image;
  LoadSkinBitmap(image, Str("MDICONTROLS", "Image"));
  int a = image.GetWidth() / 12, h = image.GetHeight();
  if (a <= 0 || h <= 0) return;
  std::size_t first = Data.CaptionButtons.size() - 3;
  for (int i = 0; i < 3; ++i) {
    TDataSkinSysButton& b = *Data.CaptionButtons[first + static_cast<std::size_t>(i)];
    b.Bitmap->SetPixelFormat(image.GetPixelFormat() == TPixelFormat::pf32bit ? TPixelFormat::pf32bit
                                                                              : TPixelFormat::pf24bit);
    b.Bitmap->SetSize(4 * a, h);
    BitBlt(b.Bitmap->CanvasDC(), 0, 0, 4 * a, h, image.CanvasDC(), 4 * a * i, 0, SRCCOPY);
    b.Xcoord = (a + 4) * (3 - i);
  }
}

std::unique_ptr<TDataSkinObject> TSkinData::TApply::LoadResourceObject(const std::string& resourceName) {
  auto o = std::make_unique<TDataSkinObject>();
  try {
    o->Bitmap->LoadFromResourceName(GetModuleHandleW(nullptr), resourceName);
  } catch (const EInvalidGraphic&) {
    return nullptr;
  }
  o->Name = resourceName;
  o->LeftWidth = o->TopHeight = o->RightWidth = o->BottomHeight = 3;
  o->Tile = 0;
  o->FrameCount = 1;
  o->Trans = 0;
  return o;
}
