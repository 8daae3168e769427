// Keeps the window gallery complete: every window of the program found in
// its sources (a class of a top-level window, or a dialog the code opens of
// the toolkit's own) is named in tests/gallery/Windows.txt with the picture
// that shows it, and that picture is taken by a gallery test. A new window
// without a picture, or a list entry of a window that is gone, fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace qel {

namespace {

namespace fs = std::filesystem;

const fs::path kSource = QEL_SOURCE_DIR;
const fs::path kGallery = kSource / "tests" / "gallery";

// The toolkit's top-level windows a class of the program may derive from.
const std::set<std::string> kTopLevelBases = {
    "wxDialog",       "wxFrame",           "wxDocParentFrame",      "wxDocChildFrame", "wxPropertySheetDialog",
    "wxWizard",       "wxMiniFrame",       "wxPopupWindow",         "wxPopupTransientWindow",
    "wxPreviewFrame", "wxTopLevelWindow",  "wxGenericMessageDialog"};

// Windows the code opens without a class of its own: a toolkit dialog made
// on the spot, a message box, the print dialog (a wxPrinter), the help
// viewer, the print preview.
const std::regex kConstructs(
    R"(\b(wx(?:Message|RichMessage|SingleChoice|MultiChoice|File|Dir|Font|PageSetup|Print|Colour|TextEntry|PasswordEntry|NumberEntry|Progress|GenericProgress|FindReplace)Dialog|wxDialog|wxFrame|wxPrinter)\s+\w+\s*[({;])"
    R"(|\bnew\s+(wx\w*(?:Dialog|Frame))\s*[({])"
    R"(|\b(wxMessageBox|wxGetTextFromUser|wxGetPasswordFromUser|wxGetNumberFromUser|wxGetSingleChoice\w*|wxGetMultipleChoices|wxFileSelector|wxDirSelector|wxAboutBox)\s*\()"
    R"(|(?:\bnew\s+|make_unique<)(wxHtmlHelpController|wxPreviewFrame)\b)"
    R"(|\b(OnCreatePrintout)\s*\(\)\s*override)");

const std::regex kClass(R"(\b(?:class|struct)\s+(?:\w+_API\s+)?(\w+)\s*(?:final\s*)?:\s*([^;{]*)\{)");
const std::regex kBase(R"((?:public|protected|private)?\s*([\w:]+))");

std::string Read(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Drops // and /* */ comments, so that a window named in a comment is not one.
std::string WithoutComments(const std::string& text) {
  static const std::regex comments(R"(//[^\n]*|/\*[\s\S]*?\*/)");
  return std::regex_replace(text, comments, "");
}

// The program's own sources: everything but tests, benchmarks and the build.
std::vector<fs::path> ProgramSources() {
  std::vector<fs::path> files;
  for (auto it = fs::recursive_directory_iterator(kSource); it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory()) {
      if (name == "tests" || name == "bench" || name == "build" || name.rfind('.', 0) == 0 ||
          name.rfind("build", 0) == 0) {
        it.disable_recursion_pending();
      }
      continue;
    }
    const std::string ext = it->path().extension().string();
    if (ext == ".h" || ext == ".cpp") files.push_back(it->path());
  }
  return files;
}

// "<file> <class or construct>" of every window found in the sources.
std::set<std::string> WindowsInSources() {
  std::map<std::string, std::pair<std::string, std::vector<std::string>>> classes;  // name -> file, bases
  std::set<std::string> found;
  for (const fs::path& file : ProgramSources()) {
    const std::string relative = fs::relative(file, kSource).generic_string();
    const std::string text = WithoutComments(Read(file));
    for (std::sregex_iterator it(text.begin(), text.end(), kClass), end; it != end; ++it) {
      std::vector<std::string> bases;
      const std::string list = (*it)[2];
      std::stringstream parts(list);
      std::string part;
      while (std::getline(parts, part, ',')) {
        std::smatch base;
        if (std::regex_search(part, base, kBase)) bases.push_back(base[1]);
      }
      classes[(*it)[1]] = {relative, bases};
    }
    for (std::sregex_iterator it(text.begin(), text.end(), kConstructs), end; it != end; ++it) {
      for (size_t group = 1; group < it->size(); ++group) {
        if ((*it)[group].matched) found.insert(relative + " " + (*it)[group].str());
      }
    }
  }
  // A class of a top-level window derives from one, directly or through
  // another; the pictures show the classes the program makes, the last of
  // each line (a base such as CDlgHistoryBase is seen in its derived ones).
  std::set<std::string> windows;
  std::set<std::string> bases;
  for (bool grown = true; grown;) {
    grown = false;
    for (const auto& [name, entry] : classes) {
      if (windows.count(name)) continue;
      for (const std::string& base : entry.second) {
        if (kTopLevelBases.count(base) || windows.count(base)) {
          windows.insert(name);
          if (windows.count(base)) bases.insert(base);
          grown = true;
          break;
        }
      }
    }
  }
  for (const std::string& name : windows) {
    if (!bases.count(name)) found.insert(classes[name].first + " " + name);
  }
  return found;
}

struct ListedWindow {
  std::vector<std::string> pictures;
  int line = 0;
};

// Windows.txt: "<file> <class or construct> <picture>..." a line (a file that
// opens a dialog of a kind twice names both pictures); # comments.
std::map<std::string, ListedWindow> ListedWindows() {
  std::map<std::string, ListedWindow> listed;
  std::ifstream in(kGallery / "Windows.txt");
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream fields(line);
    std::string file, window;
    fields >> file >> window;
    ListedWindow entry{{}, number};
    for (std::string picture; fields >> picture;) entry.pictures.push_back(picture);
    EXPECT_FALSE(entry.pictures.empty()) << "Windows.txt:" << number << " wants <file> <window> <picture>";
    EXPECT_EQ(listed.count(file + " " + window), 0u) << "Windows.txt:" << number << " lists a window twice";
    listed[file + " " + window] = entry;
  }
  return listed;
}

// The picture names the gallery's tests write, as they stand in their sources.
std::string GallerySources() {
  std::string all;
  for (const auto& entry : fs::directory_iterator(kGallery)) {
    const std::string name = entry.path().filename().string();
    if (name.size() > 12 && name.compare(name.size() - 12, 12, "_gallery.cpp") == 0) all += Read(entry.path());
  }
  return all;
}

TEST(GalleryManifest, EveryWindowOfTheSourcesIsListed) {
  const std::set<std::string> windows = WindowsInSources();
  ASSERT_GT(windows.size(), 20u) << "the sources were not read";
  const auto listed = ListedWindows();
  for (const std::string& window : windows) {
    EXPECT_EQ(listed.count(window), 1u) << "a window without a picture in tests/gallery/Windows.txt: " << window;
  }
  for (const auto& [window, entry] : listed) {
    EXPECT_EQ(windows.count(window), 1u) << "Windows.txt:" << entry.line << " lists a window the sources no longer have: "
                                         << window;
  }
}

TEST(GalleryManifest, EveryListedPictureIsTaken) {
  const std::string gallery = GallerySources();
  for (const auto& [window, entry] : ListedWindows()) {
    for (const std::string& picture : entry.pictures) {
      // A family of pictures ("task_dialog_*") is taken under its prefix.
      const bool family = picture.back() == '*';
      const std::string quoted = "\"" + (family ? picture.substr(0, picture.size() - 1) : picture + "\"");
      EXPECT_NE(gallery.find(quoted), std::string::npos)
          << "Windows.txt:" << entry.line << ": no gallery test takes the picture " << picture << " of " << window;
    }
  }
}

}  // namespace

}  // namespace qel
