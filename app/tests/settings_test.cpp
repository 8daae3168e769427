// The settings store on wxFileConfig, in a folder each test chooses.
#include <gtest/gtest.h>

#include <wx/config.h>
#include <wx/init.h>
#include <wx/log.h>

#include <random>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/diagnostics/AssertLog.h"
#include "app/settings/QelSettings.h"
#include "app/settings/SettingsText.h"
#include "app/settings/SystemSettings.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace {

class WxBase : public ::testing::Environment {
 public:
  void SetUp() override { m_init = std::make_unique<wxInitializer>(); }
  void TearDown() override { m_init.reset(); }

 private:
  std::unique_ptr<wxInitializer> m_init;
};

[[maybe_unused]] ::testing::Environment* const g_wx = ::testing::AddGlobalTestEnvironment(new WxBase);

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = m_dir.File("Quorvex Qel/Qel.conf");
    ResetSystemSettings();
  }
  void TearDown() override { ResetSystemSettings(); }
  std::unique_ptr<CQelSettings> Open() { return std::make_unique<CQelSettings>(m_path); }

  qel::test::TempFolder m_dir;
  std::string m_path;
};

TEST_F(SettingsFixture, ValuesRoundTripThroughTheFile) {
  {
    auto s = Open();
    EXPECT_TRUE(s->WriteSettingInt("Settings", "ScreenInd", 2));
    EXPECT_TRUE(s->WriteSettingInt("Window size", "max", -7));
    EXPECT_TRUE(s->WriteSettingString("Working folder", "Path", "/home/ann/exports $HOME \\x"));
    EXPECT_TRUE(s->WriteSettingString("Document", "Font", "DejaVu Sans \xC3\xA9"));
    EXPECT_TRUE(std::filesystem::exists(m_path));  // written at once, not at exit
  }
  auto s = Open();
  EXPECT_EQ(s->GetSettingInt("Settings", "ScreenInd", 0), 2);
  EXPECT_EQ(s->GetSettingInt("Window size", "max", 0), -7);
  EXPECT_EQ(s->GetSettingString("Working folder", "Path", nullptr), "/home/ann/exports $HOME \\x");
  EXPECT_EQ(s->GetSettingString("Document", "Font", "Arial"), "DejaVu Sans \xC3\xA9");
}

TEST_F(SettingsFixture, AbsentOrUnreadableValuesGiveTheDefault) {
  auto s = Open();
  EXPECT_EQ(s->GetSettingInt("Settings", "Nothing", 17), 17);
  EXPECT_EQ(s->GetSettingString("Settings", "Nothing", nullptr), "");
  EXPECT_EQ(s->GetSettingString("Settings", "Nothing", "def"), "def");
  s->WriteSettingString("Settings", "Language", "Dutch");
  EXPECT_EQ(s->GetSettingInt("Settings", "Language", 0), 0);
  s->WriteSettingString("Settings", "SoundInd", "99999999999999");
  EXPECT_EQ(s->GetSettingInt("Settings", "SoundInd", 4), 4);
}

TEST_F(SettingsFixture, AFirstStartUsesTheDefaultsAndShutDownWritesTenValues) {
  g_Language = 2;
  g_ButtonType = 3;
  auto s = Open();
  s->LoadSystemSettings();
  EXPECT_EQ(g_ButtonType, 1);
  EXPECT_EQ(g_Language, 0);
  const QelWindowState window = s->LoadWindowState();
  EXPECT_EQ(window.rect.right, 500);
  EXPECT_EQ(window.rect.pane1, 100);
  EXPECT_EQ(window.view, 0);

  EXPECT_TRUE(s->SaveWindowState(window));
  EXPECT_TRUE(s->SaveSystemSettings());
  const std::string file = ReadRaw(m_path);
  for (const char* entry : {"ButtonType=1", "ButtonInd=0", "ScreenInd=0", "SoundInd=0", "SignalSync=0", "Language=0",
                            "Rect=00010 00010 00500 00400 00100 00100", "icon=0", "max=0", "View=0"}) {
    EXPECT_NE(file.find(entry), std::string::npos) << entry << "\n" << file;
  }
  auto again = Open();
  for (const char* key : {"/Settings/ButtonType", "/Settings/Language", "/Window size/Rect", "/Window size/icon",
                          "/Window size/max", "/Window view/View"}) {
    EXPECT_TRUE(again->Config()->HasEntry(key)) << key;
  }
}

TEST_F(SettingsFixture, ALanguageChangeReachesTheFileOnlyWhenSaved) {
  auto s = Open();
  s->LoadSystemSettings();
  g_Language = 3;
  EXPECT_EQ(Open()->GetSettingInt("Settings", "Language", -1), -1);
  s->SaveSystemSettings();
  g_Language = 0;
  Open()->LoadSystemSettings();
  EXPECT_EQ(g_Language, 3);
}

TEST_F(SettingsFixture, WindowStateRoundTrip) {
  QelWindowState state;
  state.rect = {-1200, 15, 700, 900, 320, 410};
  state.icon = 1;
  state.max = 1;
  state.view = 4;
  Open()->SaveWindowState(state);
  const QelWindowState back = Open()->LoadWindowState();
  EXPECT_EQ(back.rect.left, -1200);
  EXPECT_EQ(back.rect.pane2, 410);
  EXPECT_EQ(back.icon, 1);
  EXPECT_EQ(back.max, 1);
  EXPECT_EQ(back.view, 4);
  // A stored text of 34 characters is ignored.
  Open()->WriteSettingString("Window size", "Rect", "00020 00030 01044 00800 00250 0030");
  EXPECT_EQ(Open()->LoadWindowState().rect.right, 500);
}

TEST_F(SettingsFixture, ReportSettingsAndWorkingFolder) {
  auto s = Open();
  QelReportSettings report = s->LoadReportSettings();
  EXPECT_EQ(report.font, "Arial");
  EXPECT_EQ(report.fontSize, -40);
  EXPECT_EQ(report.margins.left, 1000);
  EXPECT_EQ(report.margins.orientation, 1);
  EXPECT_TRUE(s->SaveReportFont("DejaVu Serif", -53));
  QelPageMargins m;
  m.top = 2500;
  m.orientation = 2;
  EXPECT_TRUE(s->SaveReportMargins(m));
  EXPECT_EQ(s->GetSettingString("Document", "Margins", nullptr), "01000 02500 01000 01000 00002");
  EXPECT_TRUE(s->SetWorkingFolder("/data/exports"));
  auto again = Open();
  report = again->LoadReportSettings();
  EXPECT_EQ(report.font, "DejaVu Serif");
  EXPECT_EQ(report.fontSize, -53);
  EXPECT_EQ(report.margins.top, 2500);
  EXPECT_EQ(report.margins.orientation, 2);
  EXPECT_EQ(again->GetWorkingFolder(), "/data/exports");
  // Margins of 28 characters give 10 mm and portrait.
  again->WriteSettingString("Document", "Margins", "01000 02500 01000 01000 0000");
  EXPECT_EQ(Open()->LoadReportSettings().margins.top, 1000);
}

// Collects what would have reached the operator: failed assertions and
// wx's log messages.
class Complaints {
 public:
  Complaints() {
    InstallAssertLog();
    SetAssertSink([this](const std::string& line) { m_lines.push_back(line); });
    m_previous = wxLog::SetActiveTarget(new Recorder(&m_lines));
  }
  ~Complaints() {
    delete wxLog::SetActiveTarget(m_previous);
    SetAssertSink(nullptr);
  }
  const std::vector<std::string>& Lines() const { return m_lines; }

 private:
  class Recorder : public wxLog {
   public:
    explicit Recorder(std::vector<std::string>* lines) : m_lines(lines) {}
    void DoLogTextAtLevel(wxLogLevel, const wxString& text) override {
      m_lines->push_back(std::string(text.utf8_str()));
    }

   private:
    std::vector<std::string>* m_lines;
  };
  std::vector<std::string> m_lines;
  wxLog* m_previous = nullptr;
};

// Hand-edited files are read as meant, without a complaint: before, a
// section written twice or an entry without a name stopped the start with
// a modal assertion box.
TEST_F(SettingsFixture, AHandEditedFileIsReadAsMeantWithoutAComplaint) {
  struct Case {
    const char* name;
    const char* text;
    int language;      // "Settings" / "Language"
    const char* path;  // "Working folder" / "Path"
  };
  const Case cases[] = {
      {"section twice", "[Settings]\nLanguage=1\n[Working folder]\nPath=/a\n[Settings]\nSignalSync=1\n", 1, "/a"},
      {"entry without a name", "[Settings]\n=5\nLanguage=2\n  = x\n[Working folder]\nPath=/b\n", 2, "/b"},
      {"name written twice", "[Settings]\nLanguage=1\nLanguage=2\n", 1, ""},
      {"header without end", "[Settings\nLanguage=2\n[Working folder]\nPath=/c\n", 0, "/c"},
      {"empty header", "[]\nLanguage=2\n[Settings]\nLanguage=1\n", 1, ""},
      {"a line of nothing", "[Settings]\nLanguage\n{}\nLanguage=2\n", 2, ""},
      {"Windows line ends", "[Settings]\r\nLanguage=2\r\n[Working folder]\r\nPath=/d\r\n", 2, "/d"},
      {"Windows-1252 value",
       "[Working folder]\nPath=/data/T\xE2"
       "che\n",
       0,
       "/data/T\xC3\xA2"
       "che"},
      {"not a number", "[Settings]\nLanguage=two\n", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path());
    std::ofstream(m_path, std::ios::binary) << c.text;
    Complaints complaints;
    auto s = Open();
    EXPECT_EQ(s->GetSettingInt("Settings", "Language", 0), c.language);
    EXPECT_EQ(s->GetWorkingFolder(), c.path);
    ASSERT_TRUE(s->WriteSettingInt("Settings", "Sound", 1));  // written back clean
    EXPECT_EQ(Open()->GetSettingInt("Settings", "Language", 0), c.language);
    EXPECT_TRUE(complaints.Lines().empty()) << complaints.Lines().front();
  }
}

TEST_F(SettingsFixture, RandomTextsNeverComplain) {
  std::mt19937 random(11);
  const std::string alphabet = "[]=/;#\\\"' \tabcSettingsLanguage0123\n\n\r\xE9\x80";
  Complaints complaints;
  for (int i = 0; i < 400; ++i) {
    std::string text;
    const size_t length = random() % 80;
    for (size_t k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path());
    std::ofstream(m_path, std::ios::binary) << text;
    auto s = Open();
    s->GetSettingInt("Settings", "Language", 0);
    s->WriteSettingInt("Settings", "Language", 1);
    ASSERT_TRUE(complaints.Lines().empty()) << "text: " << text << "\n" << complaints.Lines().front();
  }
}

TEST_F(SettingsFixture, AFailedWriteIsAnsweredFalseAndShownToNobody) {
  const std::string blocked = m_dir.File("a file");
  std::ofstream(blocked) << "x";
  Complaints complaints;
  CQelSettings s(blocked + "/Qel.conf");  // its folder is a file: nothing can be written
  EXPECT_FALSE(s.WriteSettingInt("Settings", "Language", 1));
  EXPECT_FALSE(s.SaveSystemSettings());
  EXPECT_EQ(s.GetSettingInt("Settings", "Nothing", 3), 3);
  EXPECT_TRUE(complaints.Lines().empty()) << complaints.Lines().front();
}

TEST(SettingsText, CleanedAsTheStoreReadsIt) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"top=1\n[A]\nx=1\n", "top=1\n[A]\nx=1\n"},
      {"[A]\nx=1\n[B]\ny=2\n[A]\nz=3\nx=9\n", "[A]\nx=1\nz=3\n[B]\ny=2\n"},
      {"[ A ]\n x = 1 \n", "[A]\nx=1\n"},
      {"[/A/]\nx=1\n", "[A]\nx=1\n"},
      {"[A] junk\nx=1\n[B]\ny=2\n", "[B]\ny=2\n"},
      {"; note\n[A]\n# more\nx=\n", "; note\n[A]\n# more\nx=\n"},
      {"[A]\nno equals\n=1\nv=a=b\n", "[A]\nv=a=b\n"},
      {"[A]\n\\=1\n\\ x=2\nok=3\n[\\]\nx=1\n[Window\\ size]\nmax=1\n", "[A]\n\\ x=2\nok=3\n[Window\\ size]\nmax=1\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanSettingsText(c.in), c.out) << c.in;
}

TEST(SettingsPath, UnderTheUsersConfigFolder) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
  EXPECT_EQ(CQelSettings::DefaultPath(), "/tmp/cfg/Quorvex Qel/Qel.conf");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_NE(CQelSettings::DefaultPath().find("/.config/Quorvex Qel/Qel.conf"), std::string::npos);
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

}  // namespace qel
