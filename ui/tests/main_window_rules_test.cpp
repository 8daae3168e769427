// The main window's rules without a window: toolbar and Project menu by
// mode, the enabling of the view's commands, captions, tooltips and the
// help and About texts by language.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/MainWindowRules.h"

namespace qel {
namespace {

std::vector<int> Commands(const std::vector<QelCommandEntry>& entries) {
  std::vector<int> out;
  for (const QelCommandEntry& e : entries) out.push_back(e.command);
  return out;
}

TEST(MainWindowRules, ToolbarByMode) {
  const auto plain = ToolbarEntries(false);
  ASSERT_EQ(plain.size(), 11u);
  EXPECT_STREQ(plain.back().tooltip, "New Qel project");
  const auto cfr = ToolbarEntries(true);
  ASSERT_EQ(cfr.size(), 18u);
  EXPECT_EQ(cfr.back().command, kCmdCompareUsers);
  EXPECT_EQ(Commands(cfr), (std::vector<int>{kCmdFileNew, kCmdFileOpen, kCmdFileSave, 0, kCmdFilePrint,
                                             kCmdFilePrintPreview, 0, kCmdAppAbout, kCmdContextHelp, 0,
                                             kCmdProjectNew, kCmdProjectConvert, 0, kCmdSystemUsers, 0,
                                             kCmdAddLoggedUser, kCmdLoginProjectUser, kCmdCompareUsers}));
  EXPECT_EQ(cfr[8].menuText, nullptr) << "context help has no menu item";
}

TEST(MainWindowRules, ProjectMenuByMode) {
  EXPECT_EQ(Commands(ProjectMenuEntries(false)),
            (std::vector<int>{kCmdProjectNew, kCmdProjectPassword, kCmdProjectProperties}));
  const auto cfr = ProjectMenuEntries(true);
  std::vector<std::string> texts;
  for (const QelCommandEntry& e : cfr) texts.push_back(e.menuText ? e.menuText : "-");
  EXPECT_EQ(texts, (std::vector<std::string>{"&New...", "Pass&word...", "&Properties...", "-",
                                             "&Convert to CFR compliant...", "&Login as project's user...",
                                             "&Add logged user to project",
                                             "Compare project and workstation &&users"}));
  for (bool mode : {false, true}) {
    for (int command : Commands(ProjectMenuEntries(mode))) {
      EXPECT_NE(command, kCmdProjectCompact);
      EXPECT_NE(command, kCmdProjectUsers);
    }
  }
}

TEST(MainWindowRules, CommandEnabling) {
  MainViewState noPath;
  noPath.hasProject = true;
  noPath.logged = true;
  for (int command : {kCmdProjectNew, kCmdProjectCompact, kCmdProjectPassword, kCmdProjectProperties}) {
    EXPECT_TRUE(IsMainViewCommandEnabled(noPath, command)) << command;
  }
  for (int command : {kCmdProjectConvert, kCmdLoginProjectUser, kCmdAddLoggedUser, kCmdCompareUsers}) {
    EXPECT_FALSE(IsMainViewCommandEnabled(noPath, command)) << command;
  }

  MainViewState plainProject = noPath;
  plainProject.projectPath = "/p/a.qep";
  plainProject.cfrProject = false;
  EXPECT_TRUE(IsMainViewCommandEnabled(plainProject, kCmdProjectConvert));
  EXPECT_FALSE(IsMainViewCommandEnabled(plainProject, kCmdCompareUsers));

  MainViewState cfrProject = plainProject;
  cfrProject.cfrProject = true;
  EXPECT_FALSE(IsMainViewCommandEnabled(cfrProject, kCmdProjectConvert));
  EXPECT_TRUE(IsMainViewCommandEnabled(cfrProject, kCmdAddLoggedUser));
  cfrProject.logged = false;
  EXPECT_FALSE(IsMainViewCommandEnabled(cfrProject, kCmdAddLoggedUser));
  EXPECT_TRUE(IsMainViewCommandEnabled(cfrProject, kCmdLoginProjectUser));
  EXPECT_FALSE(IsMainViewCommandEnabled(cfrProject, kCmdProjectNew)) << "in CFR mode a new project needs a login";

  MainViewState running = plainProject;
  running.running = true;
  for (int command : {kCmdProjectNew, kCmdProjectProperties, kCmdProjectConvert, kCmdProjectUsers}) {
    EXPECT_FALSE(IsMainViewCommandEnabled(running, command)) << command;
  }
  MainViewState plainMode = plainProject;
  plainMode.cfrMode = false;
  EXPECT_FALSE(IsMainViewCommandEnabled(plainMode, kCmdSystemUsers));
  EXPECT_FALSE(IsMainViewCommandEnabled(plainMode, kCmdProjectUsers));
  EXPECT_TRUE(IsMainViewCommandEnabled(plainMode, kCmdProjectNew));
}

TEST(MainWindowRules, CaptionsAndTooltips) {
  MainViewState state;
  EXPECT_EQ(WorkingProjectCaption(state), "Working project");
  state.hasProject = true;
  state.cfrProject = true;
  EXPECT_EQ(WorkingProjectCaption(state), "Working project (21CFR part11)");
  state.cfrMode = false;
  EXPECT_EQ(WorkingProjectCaption(state), "Working project (21CFR part11) CANNOT BE PROCESSED!");
  EXPECT_EQ(LoggedUserText(""), "<- Login (21CFR part11)");
  EXPECT_EQ(LoggedUserText("anna"), "anna");
  EXPECT_EQ(MainViewTooltip(kIdLogin, true), "Press to logout as current user");
  EXPECT_EQ(MainViewTooltip(kIdLogin, false), "Press to login as Qel user");
  EXPECT_EQ(MainViewTooltip(kIdHelp, false), "Click me!");
  EXPECT_EQ(MainViewTooltip(kIdTabs, false), "Select Tab for necessary operations on working project");
  EXPECT_EQ(MainViewTooltip(4242, true), "");
}

TEST(MainWindowRules, HelpAndAboutTextsByLanguage) {
  const struct {
    int page, base, dutch, italian;
  } pages[] = {{0, 217, 271, 361}, {1, 218, 272, 332}, {2, 221, 273, 333},
               {3, 220, 274, 334}, {4, 219, 275, 335}, {5, 222, 276, 336}};
  for (const auto& p : pages) {
    EXPECT_EQ(MainViewPageHelpText(p.page, 0), p.base);
    EXPECT_EQ(MainViewPageHelpText(p.page, 1), p.base);
    EXPECT_EQ(MainViewPageHelpText(p.page, 2), p.dutch);
    EXPECT_EQ(MainViewPageHelpText(p.page, 3), p.italian);
  }
  EXPECT_EQ(MainViewPageHelpText(6, 0), 0) << "the Import page has no help text";
  EXPECT_EQ(MainViewGeneralHelpText(1), 246);
  EXPECT_EQ(MainViewGeneralHelpText(2), 285);
  EXPECT_EQ(MainViewGeneralHelpText(3), 337);
  EXPECT_STREQ(AboutPageCaption(6), "FrameOfReference");
  EXPECT_EQ(AboutPageCaption(7), nullptr);
  for (int page = 0; page < kAboutPages; ++page) {
    EXPECT_EQ(AboutPageText(page, 3), AboutPageText(page, 1)) << "Italian shows the English pages";
    EXPECT_EQ(AboutPageText(page, 0), AboutPageText(page, 1));
    EXPECT_NE(AboutPageText(page, 2), AboutPageText(page, 1));
  }
  EXPECT_EQ(AboutPageText(2, 2), 28);
  EXPECT_EQ(AboutPageText(6, 1), 212);
}

TEST(MainWindowRules, HelpPercentClamps) {
  EXPECT_EQ(ClampHelpPercent(150), 100);
  EXPECT_EQ(ClampHelpPercent(10), 20);
  EXPECT_EQ(ClampHelpPercent(55), 55);
}

}  // namespace
}  // namespace qel
