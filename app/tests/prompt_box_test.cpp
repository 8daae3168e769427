// The message box style of each prompt style: buttons, icon and the
// default button (the second or the third).
#include <gtest/gtest.h>

#include <wx/msgdlg.h>

#include "app/ui/PromptBox.h"
#include "common/Prompt.h"

namespace qel {
namespace test {
namespace {

TEST(PromptBoxStyle, TheDefaultButtonFollowsThePromptStyle) {
  struct Case {
    unsigned prompt;
    long set, unset;
  } cases[] = {
      {kPromptYesNoCancel, wxYES_NO | wxCANCEL, wxNO_DEFAULT | wxCANCEL_DEFAULT},
      {kPromptYesNoCancel | kPromptDefault2, wxNO_DEFAULT, wxCANCEL_DEFAULT},
      {kPromptYesNoCancel | kPromptDefault3, wxCANCEL_DEFAULT, wxNO_DEFAULT},
      {kPromptYesNo | kPromptDefault2, wxNO_DEFAULT, wxCANCEL_DEFAULT},
      // No third button: nothing to make the default.
      {kPromptYesNo | kPromptDefault3, wxYES_NO, wxCANCEL_DEFAULT | wxNO_DEFAULT | wxCANCEL},
  };
  for (const Case& c : cases) {
    const long style = PromptBoxStyle(c.prompt);
    EXPECT_EQ(style & c.set, c.set) << std::hex << c.prompt;
    EXPECT_EQ(style & c.unset, 0) << std::hex << c.prompt;
  }
}

}  // namespace
}  // namespace test
}  // namespace qel
