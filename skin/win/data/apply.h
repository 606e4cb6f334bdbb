#pragma once
// Applying a skin description to the skin data (used by skin_apply*.cpp only).
#include <string>
#include <vector>

#include "skin/portable/quick_ini.h"
#include "skin/portable/skin_reader.h"
#include "skin/win/data/skin_data.h"

struct TSkinData::TApply {
  TSkinData& Data;
  const TSkinReader& Reader;
  const TQuickIni& Ini;
  std::vector<std::string> Sections;

  void Run();

  // Reading the description.
  int Int(const std::string& section, const std::string& key, int def) const { return Ini.ReadInteger(section, key, def); }
  std::string Str(const std::string& section, const std::string& key) const { return Ini.ReadString(section, key, ""); }
  // A margin (never negative).
  int Margin(const std::string& section, const std::string& key) const;
  // The four margins of the section's image ("LeftWidth" ... "BottomHeight").
  void ReadMargins(TDataSkinObject& o, const std::string& section) const;
  TColor ReadColor(const std::string& text, TColor def) const;
  void ReadRGB(const std::string& section, const std::string& name, TColor& colour) const;
  // A colour the section may give; `def` when it gives none.
  TColor ReadGivenColor(const std::string& section, const std::string& key, TColor def, bool& given) const;
  void LoadSkinBitmap(TBitmap& bitmap, const std::string& value);

  // Loaders of the roles.
  enum TKeys { kFrame = 1, kColours = 2 };
  void ReadGenericKeys(TDataSkinObject& o, const std::string& section, int keys);
  std::unique_ptr<TDataSkinObject> LoadImageObject(const std::string& section);
  std::unique_ptr<TDataSkinBorder> LoadBorderObject(const std::string& section, const std::string& secondImageKey);
  std::unique_ptr<TDataSkinBorder> LoadProgress();
  std::unique_ptr<TDataSkinBoxLabel> LoadBoxLabel();
  void LoadButtons();
  std::unique_ptr<TDataSkinObject> LoadMenuBar();
  void LoadTitle();
  void LoadBorders();
  void LoadCaptionButtons();
  void LoadMDIButtons();
  void LoadColors();
  void LoadColor(int index, const std::string& key, TColor def);
  std::unique_ptr<TDataSkinObject> LoadResourceObject(const std::string& resourceName);

  // Images made from the others.
  void SetFrameCounts();
  void ComposeComboImages();
  void MakeComboArrow();
  void MakeToolbarGradient();
  TColor TitleColor() const;
};
