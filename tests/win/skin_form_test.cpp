// The main window streams in its skin data component with the program's skin.
#include "main_form_fixture.h"

TEST_F(MainFormTest, StreamsInItsSkinWhenCreated) {
  ASSERT_NE(form->SkinData1, nullptr);
  EXPECT_TRUE(boxes.Calls.empty());
  EXPECT_FALSE(form->SkinData1->NoSkin);
  EXPECT_TRUE(form->SkinData1->GetActive());
  EXPECT_GT(form->SkinData1->SkinStreamData.Size(), 1000);
  EXPECT_TRUE(form->SkinData1->Borders[2]->HasImage());
  EXPECT_TRUE(form->SkinData1->LoadSkin());
  EXPECT_FALSE(form->SkinData1->NoSkin);
  EXPECT_EQ(form->SkinData1->Owner(), form);
}
