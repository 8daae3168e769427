// A list's picture, its bitmap and text files and the copy of its rows,
// under the X server; the files are read back (the bitmap by ImageMagick).
#include <gtest/gtest.h>
#include <wx/dcmemory.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/ByteOrder.h"
#include "common/Prompt.h"
#include "ui/tests/NotifyRecorder.h"
#include "ui/ui/ListCtrlQel.h"

namespace qel {

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ListOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/qel-list-gui-XXXXXX";
    m_folder = std::string(mkdtemp(name)) + "/";
    m_owner = new NotifyRecorder;
    m_owner->SetSize(500, 300);
    m_list = new CListCtrlQel(m_owner, wxID_ANY, wxDefaultPosition, wxSize(301, 150));
    m_owner->Show();
    CListRows rows;
    rows.columns = {{"No.", -40}, {"Id", 60}, {"Comment", 100}};
    rows.rows = {{"Ann", -1, {"  1", "Ann", "first|visit"}},
                 {"Ben", -1, {"  2", "Ben", "two\nlines"}},
                 {"Cid", -1, {"  3", "Cid", ""}}};
    rows.result = 3;
    m_list->SetColumnTable(rows.columns, false);
    m_list->ShowRows(rows, nullptr, -1);
  }
  void TearDown() override {
    m_owner->Destroy();
    std::system(("rm -rf '" + m_folder + "'").c_str());
  }

  std::string m_folder;
  NotifyRecorder* m_owner = nullptr;
  CListCtrlQel* m_list = nullptr;
};

}  // namespace

TEST_F(ListOutputTest, TheTextFileHasOneLinePerRowWhateverTheValuesHold) {
  const std::string path = m_folder + "list.txt";
  std::ofstream(path) << "an older list";
  ASSERT_TRUE(m_list->SaveAsText(path, "Testees", nullptr));
  std::istringstream lines(ReadAll(path));
  std::vector<std::string> read;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    read.push_back(line.substr(0, line.size() - 1));
  }
  EXPECT_EQ(read, (std::vector<std::string>{"Testees", "No.   Id  Comment    ", "  1  Ann  first visit",
                                            "  2  Ben  two lines  ", "  3  Cid             ", ""}));
  EXPECT_FALSE(m_list->SaveAsText("", "h", "f"));

  // No rows: no file. A file that cannot be written is reported.
  std::vector<std::string> prompts;
  const PromptHandler previous = SetPromptHandler([&](const std::string& text, const std::string&, unsigned) {
    prompts.push_back(text);
    return int{kAnswerOk};
  });
  EXPECT_FALSE(m_list->SaveAsText(m_folder + "none/list.txt", "h", "f"));
  EXPECT_EQ(prompts, (std::vector<std::string>{"Error writing file! (" + m_folder + "none/list.txt)"}));
  m_list->DeleteAllRows();
  EXPECT_FALSE(m_list->SaveAsText(m_folder + "empty.txt", "h", "f"));
  SetPromptHandler(previous);
}

TEST_F(ListOutputTest, TheBitmapFileIsThePictureOfTheListWithItsMargins) {
  const wxRect rect = m_list->GetCaptureRect({}, false);
  EXPECT_EQ(rect.width % 2, 0);
  EXPECT_GE(rect.width, m_list->GetClientSize().GetWidth());
  const std::string path = m_folder + "list.bmp";
  ASSERT_TRUE(m_list->SaveAsBitmap(path, {10, 10, 10, 10}, true));
  const std::string file = ReadAll(path);
  ASSERT_GT(file.size(), 54u);
  const wxRect whole = m_list->GetCaptureRect({10, 10, 10, 10}, true);
  const uint32_t width = ReadLE32(file.data() + 18);
  const uint32_t height = ReadLE32(file.data() + 22);
  EXPECT_EQ(width, static_cast<uint32_t>(whole.width));
  EXPECT_EQ(height, static_cast<uint32_t>(whole.height));
  EXPECT_EQ(file.size(), 54u + (width * 3 + 3) / 4 * 4 * height);

  // ImageMagick reads it: the margin is white, the list shows text (dark pixels).
  const std::string raw = m_folder + "list.rgb";
  ASSERT_EQ(std::system(("/usr/bin/convert-im6.q16 '" + path + "' -depth 8 'rgb:" + raw + "' 2>/dev/null").c_str()), 0);
  const std::string pixels = ReadAll(raw);
  ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height * 3);
  EXPECT_EQ(pixels.substr(0, 3), std::string("\xFF\xFF\xFF"));
  size_t dark = 0;
  for (size_t i = 0; i + 2 < pixels.size(); i += 3)
    if (static_cast<unsigned char>(pixels[i]) < 80 && static_cast<unsigned char>(pixels[i + 1]) < 80) ++dark;
  EXPECT_GT(dark, 20u);
}

TEST_F(ListOutputTest, CopyingTakesColumnsAndTheRowsTheItemDataAllow) {
  m_list->SetItemData(0, 7);
  m_list->SetItemData(2, 7);
  auto* copy = new CListCtrlQel(m_owner, wxID_ANY);
  EXPECT_TRUE(copy->CopyRowsFrom(*m_list, 0, 0));
  EXPECT_EQ(copy->GetItemCount(), 3);
  EXPECT_EQ(copy->GetColumnCount(), 3);
  EXPECT_EQ(copy->GetItemText(1, 2), "two\nlines");
  wxListItem column;
  column.SetMask(wxLIST_MASK_FORMAT);
  copy->GetColumn(0, column);
  EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_RIGHT);
  EXPECT_TRUE(copy->CopyRowsFrom(*m_list, 7, 0));
  EXPECT_EQ(copy->GetItemCount(), 2);
  EXPECT_EQ(copy->GetKey(1), "Cid");
  EXPECT_TRUE(copy->CopyRowsFrom(*m_list, 0, 7));
  EXPECT_EQ(copy->GetItemCount(), 1);
  EXPECT_EQ(copy->GetItemText(0, 1), "Ben");
}

}  // namespace qel
