// The help menu's files open with a viewer: the pictures and the tutorial that
// ship beside the program, and the demonstration video once it is made.
#include <gtest/gtest.h>

#include "main_form_fixture.h"

#include <shellapi.h>

namespace {

using HelpFiles = MainFormTest;

TEST_F(HelpFiles, EachKindHasAViewerAndTheVideoOpens) {
  // A stand-in for the video (the scratch folder leaves the real one behind).
  const std::string video = folder + "Tapmira2020使用演示.mp4";
  ASSERT_TRUE(WriteFileBytes(video, "\0\0\0\x18" "ftypmp42", 12));
  for (const char* name : {"标准键盘键位图.jpg", "数字键盘指法图.jpg", "五笔字根图86版.jpg", "五笔打字教程.doc",
                           "Tapmira2020使用演示.mp4"}) {
    wchar_t viewer[MAX_PATH] = {};
    const auto found = reinterpret_cast<INT_PTR>(
        FindExecutableW(GbkToWide(folder + name).c_str(), nullptr, viewer));
    EXPECT_GT(found, 32) << name << " has no viewer";
  }
  form->N6Click(form);
  EXPECT_TRUE(boxes.Calls.empty()) << boxes.Calls[0].Text;
}

}  // namespace
