#pragma once
// Persistent classes for reading form definitions without the window toolkit:
// a font and a collection of columns (portable: used by the native tests and
// the form fuzz target alike).
#include <memory>
#include <string>

#include "toolkit/base/collection.h"

class TTestFont : public TPersistent {
  TK_CLASS(TTestFont)
public:
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& v) { name_ = v; }
  int GetHeight() const { return height_; }
  void SetHeight(int v) { height_ = v; }
  int GetColor() const { return color_; }
  void SetColor(int v) { color_ = v; }
  int GetCharset() const { return charset_; }
  void SetCharset(int v) { charset_ = v; }
  unsigned GetStyle() const { return style_; }
  void SetStyle(unsigned v) { style_ = v; }

private:
  std::string name_ = "Arial";
  int height_ = 12, color_ = 0, charset_ = 1;
  unsigned style_ = 0;
};

inline const TClassInfo& TTestFont::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestFont>("TTestFont", &TPersistent::StaticClass())
                                     .Prop("Name", &TTestFont::GetName, &TTestFont::SetName)
                                     .Prop("Height", &TTestFont::GetHeight, &TTestFont::SetHeight)
                                     .Prop("Color", &TTestFont::GetColor, &TTestFont::SetColor)
                                     .Prop("Charset", &TTestFont::GetCharset, &TTestFont::SetCharset)
                                     .Set("Style", &TTestFont::GetStyle, &TTestFont::SetStyle,
                                          {"fsBold", "fsItalic", "fsUnderline"})
                                     .Build();
  return info;
}

class TTestColumn : public TCollectionItem {
  TK_CLASS(TTestColumn)
public:
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  int GetWidth() const { return width_; }
  void SetWidth(int v) { width_ = v; }

private:
  std::string caption_;
  int width_ = 50;
};

inline const TClassInfo& TTestColumn::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestColumn>("TTestColumn", &TCollectionItem::StaticClass())
                                     .Prop("Caption", &TTestColumn::GetCaption, &TTestColumn::SetCaption)
                                     .Prop("Width", &TTestColumn::GetWidth, &TTestColumn::SetWidth)
                                     .Build();
  return info;
}

class TTestColumns : public TCollection {
public:
  TTestColumns() : TCollection([] { return std::make_unique<TTestColumn>(); }) {}
  int updates = 0;

protected:
  void Update(TCollectionItem* item) override {
    ++updates;
    TCollection::Update(item);
  }
};
