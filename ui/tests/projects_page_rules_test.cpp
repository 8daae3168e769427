// The Projects page's rules: which buttons are shown and enabled, the
// captions, the double click's login rule and the starting working folder.
#include <gtest/gtest.h>

#include "ui/ProjectsPageRules.h"

namespace qel {

namespace {

// A logged-in operator, no run, a working folder with two projects and a
// plain one selected, three plug-ins of which one is checked.
ProjectsPageState Everything() {
  ProjectsPageState s;
  s.loggedIn = s.hasFolder = s.hasSelection = s.hasSelectedPath = true;
  s.projectCount = 2;
  s.pluginCount = 3;
  s.checkedPlugins = 1;
  return s;
}

struct ButtonCase {
  const char* name;
  void (*change)(ProjectsPageState&);
  // Expected enabled: New, Password and Properties, Select, Convert (shown / enabled), Make model, both lists.
  bool create, onSelection, select, convertShown, convert, makeModel, projectList, pluginList;
};

const ButtonCase kButtonCases[] = {
    {"everything", [](ProjectsPageState&) {}, true, true, true, true, true, true, true, true},
    {"run in progress", [](ProjectsPageState& s) { s.running = true; }, false, false, false, true, false, false, false,
     false},
    {"nobody logged in", [](ProjectsPageState& s) { s.loggedIn = false; }, false, false, false, true, false, false,
     true, false},
    {"plain mode, nobody logged in",
     [](ProjectsPageState& s) {
       s.loggedIn = false;
       s.cfrMode = false;
     },
     true, true, true, false, false, true, true, true},
    {"no working folder", [](ProjectsPageState& s) { s.hasFolder = false; }, false, false, false, true, false, true,
     false, true},
    {"no row selected", [](ProjectsPageState& s) { s.hasSelection = s.hasSelectedPath = false; }, true, false, false,
     true, false, true, true, true},
    {"selected project is CFR already", [](ProjectsPageState& s) { s.selectedCfr = true; }, true, true, true, true,
     false, true, true, true},
    {"no plug-in checked", [](ProjectsPageState& s) { s.checkedPlugins = 0; }, true, true, true, true, true, false,
     true, true},
    {"no projects, no plug-ins",
     [](ProjectsPageState& s) {
       s.projectCount = s.pluginCount = 0;
       s.hasSelection = s.hasSelectedPath = false;
       s.checkedPlugins = 0;
     },
     true, false, false, true, false, false, false, false},
};

}  // namespace

TEST(ProjectsPageRules, ButtonsFollowTheOperatorTheFolderAndTheSelection) {
  for (const ButtonCase& c : kButtonCases) {
    ProjectsPageState s = Everything();
    c.change(s);
    const ProjectsPageControls got = ProjectsPageRules(s);
    EXPECT_EQ(got.newProject.enabled, c.create) << c.name;
    EXPECT_EQ(got.password.enabled, c.onSelection) << c.name;
    EXPECT_EQ(got.properties.enabled, c.onSelection) << c.name;
    EXPECT_EQ(got.select.enabled, c.select) << c.name;
    EXPECT_EQ(got.convert.shown, c.convertShown) << c.name;
    EXPECT_EQ(got.convert.enabled, c.convert) << c.name;
    EXPECT_EQ(got.makeModel.enabled, c.makeModel) << c.name;
    EXPECT_EQ(got.projectList, c.projectList) << c.name;
    EXPECT_EQ(got.pluginList, c.pluginList) << c.name;
  }
}

TEST(ProjectsPageRules, CaptionsAndTheNewTooltip) {
  EXPECT_EQ(ProjectsPageRules(Everything()).projectsCaption, "Projects in working folder (total 2)");
  EXPECT_EQ(ProjectsPageRules(Everything()).pluginsCaption, "Tasks available (total 3)");
  EXPECT_EQ(ProjectsCaption(false, 4), "Projects in working folder");
  EXPECT_STREQ(NewProjectTooltip(true), "Create new CFR compliant Qel project (21CFR part11)");
  EXPECT_STREQ(NewProjectTooltip(false), "Create new Qel project");
}

TEST(ProjectsPageRules, DoubleClickNeedsALoginOnlyInTheCfrMode) {
  EXPECT_TRUE(MayOpenProjectOnDoubleClick(true, true, false));
  EXPECT_FALSE(MayOpenProjectOnDoubleClick(false, true, false));
  EXPECT_TRUE(MayOpenProjectOnDoubleClick(false, false, false)) << "plain mode has no login";
  EXPECT_FALSE(MayOpenProjectOnDoubleClick(true, true, true)) << "never during a run";
  EXPECT_FALSE(MayOpenProjectOnDoubleClick(false, false, true));
}

TEST(ProjectsPageRules, TheWorkingFolderEndsWithTheSeparator) {
  EXPECT_EQ(StartWorkingFolder("", "/home/anna/Documents"), "/home/anna/Documents/") << "first start";
  EXPECT_EQ(StartWorkingFolder("", "/srv/shared/"), "/srv/shared/");
  EXPECT_EQ(StartWorkingFolder("/data/projects/", "/home/anna/Documents"), "/data/projects/");
  EXPECT_EQ(StartWorkingFolder("/data/projects", "/home/anna/Documents"), "/data/projects/");
  EXPECT_EQ(StartWorkingFolder("", ""), "");
}

}  // namespace qel
