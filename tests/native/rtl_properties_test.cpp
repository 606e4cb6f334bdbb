#include <gtest/gtest.h>

#include <string>

#include "toolkit/base/component.h"
#include "toolkit/base/form_reader.h"

namespace {

enum class TTestLayout { blGlyphLeft, blGlyphRight, blGlyphTop };

class TTestButton : public TComponent {
  TK_CLASS(TTestButton)
public:
  explicit TTestButton(TComponent* owner) : TComponent(owner) {}
  bool GetFlat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; }
  bool GetDown() const { return down_; }
  TTestLayout GetLayout() const { return layout_; }
  void SetLayout(TTestLayout v) { layout_ = v; }
  int GetMargin() const { return margin_; }
  void SetMargin(int v) { margin_ = v; }

private:
  bool flat_ = false, down_ = true;
  TTestLayout layout_ = TTestLayout::blGlyphLeft;
  int margin_ = -1;
};

const TClassInfo& TTestButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestButton>("TTestButton", &TComponent::StaticClass())
                                     .Creatable()
                                     .Prop("Flat", &TTestButton::GetFlat, &TTestButton::SetFlat)
                                     .Prop("Down", &TTestButton::GetDown)
                                     .Enum("Layout", &TTestButton::GetLayout, &TTestButton::SetLayout,
                                           {"blGlyphLeft", "blGlyphRight", "blGlyphTop"})
                                     .Prop("Margin", &TTestButton::GetMargin, &TTestButton::SetMargin)
                                     .Build();
  return info;
}

// Code that knows nothing of a class reads and writes its Booleans and
// enumerations by identifier, as form definitions write them.
TEST(Properties, BooleansAndEnumerationsGoByIdentifier) {
  TTestButton b(nullptr);
  EXPECT_EQ(GetEnumProp(b, "Flat"), "False");
  EXPECT_EQ(GetEnumProp(b, "down"), "True");
  SetEnumProp(b, "Flat", "True");
  EXPECT_TRUE(b.GetFlat());
  EXPECT_EQ(GetEnumProp(b, "Flat"), "True");
  SetEnumProp(b, "flat", "false");
  EXPECT_FALSE(b.GetFlat());
  EXPECT_EQ(GetOrdProp(b, "Flat"), 0);
  SetOrdProp(b, "Flat", 1);
  EXPECT_EQ(GetEnumProp(b, "Flat"), "True");

  EXPECT_EQ(GetEnumProp(b, "Layout"), "blGlyphLeft");
  SetEnumProp(b, "Layout", "BLGLYPHTOP");
  EXPECT_EQ(b.GetLayout(), TTestLayout::blGlyphTop);

  // Refusals leave the value as it was.
  EXPECT_THROW(SetEnumProp(b, "Flat", "1"), EPropertyError);
  EXPECT_THROW(SetEnumProp(b, "Flat", "Yes"), EPropertyError);
  EXPECT_THROW(SetEnumProp(b, "Layout", "blGlyphBottom"), EPropertyError);
  EXPECT_EQ(GetEnumProp(b, "Flat"), "True");
  EXPECT_EQ(b.GetLayout(), TTestLayout::blGlyphTop);
  EXPECT_THROW(SetEnumProp(b, "Down", "False"), EPropertyError);  // read-only
  EXPECT_THROW(GetEnumProp(b, "Margin"), EPropertyError);
  EXPECT_THROW(SetEnumProp(b, "Margin", "True"), EPropertyError);
  EXPECT_THROW(GetEnumProp(b, "ParentBackground"), EPropertyError);
  EXPECT_EQ(b.GetMargin(), -1);
}

TEST(Properties, FormDefinitionsStillTakeTrueAndFalse) {
  RegisterComponentClass(TTestButton::StaticClass());
  TComponent root(nullptr);
  ReadFormDefinition(root,
                     "object Root: TComponent\n"
                     "  object B1: TTestButton\n    Flat = True\n  end\n"
                     "  object B2: TTestButton\n    Flat = false\n    Layout = blGlyphRight\n  end\n"
                     "end\n",
                     "Root.form");
  EXPECT_EQ(GetEnumProp(*root.FindComponent("B1"), "Flat"), "True");
  EXPECT_EQ(GetEnumProp(*root.FindComponent("B2"), "Flat"), "False");
  EXPECT_EQ(GetEnumProp(*root.FindComponent("B2"), "Layout"), "blGlyphRight");
  TComponent bad(nullptr);
  EXPECT_THROW(ReadFormDefinition(bad, "object Root: TComponent\n  object B: TTestButton\n    Flat = 1\n  end\nend\n",
                                  "Bad.form"),
               EFormDefError);
}

}  // namespace
