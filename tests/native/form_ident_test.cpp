#include <gtest/gtest.h>

#include "toolkit/base/form_reader.h"

namespace {

class TTinted : public TComponent {
  TK_CLASS(TTinted)
public:
  explicit TTinted(TComponent* owner) : TComponent(owner) {}
  int GetColor() const { return color_; }
  void SetColor(int c) { color_ = c; }

private:
  int color_ = 0;
};

const TClassInfo& TTinted::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TTinted>("TTinted", &TComponent::StaticClass()).Prop("Color", &TTinted::GetColor, &TTinted::SetColor).Build();
  return info;
}

bool TestColours(const std::string& ident, std::int64_t& value) {
  if (ident != "clTestTeal") return false;
  value = 0x808000;
  return true;
}

TEST(FormIdents, IntegerPropertiesTakeRegisteredNames) {
  RegisterIntegerIdents(TestColours);
  TTinted root(nullptr);
  ReadFormDefinition(root, "object T: TTinted\n  Color = clTestTeal\nend\n", "T.form");
  EXPECT_EQ(root.GetColor(), 0x808000);
  try {
    ReadFormDefinition(root, "object T: TTinted\n  Color = clNoSuch\nend\n", "T.form");
    FAIL() << "an unknown name must be refused";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("T.form(2)"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("clNoSuch"), std::string::npos) << e.what();
  }
}

}  // namespace

namespace {

TEST(FormIdents, IntegerOutOfThePropertysRangeIsRefused) {
  TTinted root(nullptr);
  try {
    ReadFormDefinition(root, "object T: TTinted\n  Color = 5000000000\nend\n", "T.form");
    FAIL() << "a value an int cannot hold must be refused";
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("T.form(2)"), std::string::npos) << e.what();
  }
  EXPECT_EQ(root.GetColor(), 0);
  ReadFormDefinition(root, "object T: TTinted\n  Color = $FF00000D\nend\n", "T.form");
  EXPECT_EQ(static_cast<unsigned>(root.GetColor()), 0xFF00000Du);
}

}  // namespace
