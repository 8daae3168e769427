// The picture size, the bitmap file (read back by ImageMagick) and the
// aligned text file of a list, without a window.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/ByteOrder.h"
#include "ui/ListOutput.h"

namespace qel {

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class OutputFolder : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/qel-list-output-XXXXXX";
    m_folder = std::string(mkdtemp(name)) + "/";
  }
  void TearDown() override {
    chmod(m_folder.c_str(), 0700);
    std::system(("rm -rf '" + m_folder + "'").c_str());
  }
  std::string m_folder;
};

}  // namespace

TEST(CaptureSizeTest, MarginsAddAndTheWidthIsEven) {
  struct Case {
    const char* name;
    int clientW, clientH, extentW, extentH;
    bool whole;
    CCaptureMargins margins;
    int width, height;
  };
  const Case cases[] = {
      {"odd width rounded up", 301, 200, 900, 900, false, {}, 302, 200},
      {"even stays", 300, 200, 0, 0, false, {}, 300, 200},
      {"margins", 300, 200, 0, 0, false, {5, 6, 7, 8}, 312, 214},
      {"whole extent raises", 300, 200, 501, 900, true, {}, 502, 900},
      {"whole extent never shrinks", 300, 200, 100, 100, true, {1, 0, 0, 0}, 302, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CCaptureSize size = GetCaptureSize(c.clientW, c.clientH, c.extentW, c.extentH, c.whole, c.margins);
    EXPECT_EQ(size.width, c.width);
    EXPECT_EQ(size.height, c.height);
  }
}

TEST_F(OutputFolder, TheBitmapFileHasPaddedBottomUpRowsThatImageMagickReads) {
  // 3 x 2 pixels: a row of 9 bytes is padded to 12.
  const uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255,  // top row: red, green, blue
                         10, 20, 30, 40, 50, 60, 70, 80, 90};
  const std::vector<uint8_t> file = EncodeBitmapFile(3, 2, rgb);
  ASSERT_EQ(file.size(), 54u + 24u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(ReadLE32(&file[2]), 78u);    // file size
  EXPECT_EQ(ReadLE32(&file[10]), 54u);   // offset of the pixels
  EXPECT_EQ(ReadLE32(&file[14]), 40u);   // header size
  EXPECT_EQ(ReadLE32(&file[18]), 3u);    // width
  EXPECT_EQ(ReadLE32(&file[22]), 2u);    // height, positive: bottom-up
  EXPECT_EQ(ReadLE16(&file[26]), 1u);    // planes
  EXPECT_EQ(ReadLE16(&file[28]), 24u);   // bits per pixel
  EXPECT_EQ(ReadLE32(&file[30]), 0u);    // no compression
  EXPECT_EQ(ReadLE32(&file[34]), 24u);   // image size
  EXPECT_EQ(ReadLE32(&file[38]), 4724u);
  EXPECT_EQ(ReadLE32(&file[42]), 4724u);
  EXPECT_EQ(ReadLE32(&file[46]), 0u);
  // The last row first, blue-green-red, then 3 bytes of padding.
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.begin() + 66),
            (std::vector<uint8_t>{30, 20, 10, 60, 50, 40, 90, 80, 70, 0, 0, 0}));
  EXPECT_TRUE(EncodeBitmapFile(0, 5, rgb).empty());

  const std::string path = m_folder + "list.bmp";
  std::string error;
  ASSERT_TRUE(WriteListFile(path, std::string(file.begin(), file.end()), &error)) << error;
  const std::string raw = m_folder + "list.rgb";
  ASSERT_EQ(std::system(("/usr/bin/convert-im6.q16 '" + path + "' -depth 8 'rgb:" + raw + "' 2>/dev/null").c_str()),
            0);
  const std::string pixels = ReadAll(raw);
  EXPECT_EQ(std::vector<uint8_t>(pixels.begin(), pixels.end()), std::vector<uint8_t>(std::begin(rgb), std::end(rgb)));
}

TEST(ListTextTest, CellsAreAlignedAndNoValueBreaksItsRow) {
  struct Case {
    const char* name;
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows;
    std::string text;
  };
  const Case cases[] = {
      {"right-aligned but the last column",
       {"No.", "Id", "Name"},
       {{"  1", "Ann", "Smith"}, {"  2", "Benjamin", "Li"}},
       "head\r\nNo.        Id  Name \r\n  1       Ann  Smith\r\n  2  Benjamin  Li   \r\nfoot\r\n"},
      {"one column is left-aligned",
       {"Id"},
       {{"a"}, {"abc"}},
       "head\r\nId \r\na  \r\nabc\r\nfoot\r\n"},
      {"a bar or a line break inside a value is a blank",
       {"Id", "Comment"},
       {{"x|y", "line\r\nbreak"}},
       "head\r\n Id  Comment    \r\nx y  line  break\r\nfoot\r\n"},
      {"characters, not bytes, set the width",
       {"Name", "X"},
       {{"G\xC3\xBCl", "1"}, {"Anna", "2"}},
       "head\r\nName  X\r\n G\xC3\xBCl  1\r\nAnna  2\r\nfoot\r\n"},
      {"missing cells are empty", {"A", "B"}, {{"1"}}, "head\r\nA  B\r\n1   \r\nfoot\r\n"},
      {"no rows", {"A"}, {}, ""},
      {"no columns", {}, {{"1"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatListText("head", "foot", c.captions, c.rows), c.text);
  }
}

TEST_F(OutputFolder, ListFilesReplaceTheTargetWholeOrNotAtAll) {
  const std::string path = m_folder + "list.txt";
  std::ofstream(path) << "old contents";
  std::string error;
  ASSERT_TRUE(WriteListFile(path, "new\r\n", &error)) << error;
  EXPECT_EQ(ReadAll(path), "new\r\n");
  // Nothing is left beside it.
  EXPECT_EQ(std::system(("test $(ls -A '" + m_folder + "' | wc -l) -eq 1").c_str()), 0);

  // A folder the file cannot be written into: the old file stays whole.
  if (geteuid() != 0) {
    chmod(m_folder.c_str(), 0500);
    EXPECT_FALSE(WriteListFile(path, "newer", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(path), "new\r\n");
  }
  EXPECT_FALSE(WriteListFile(m_folder + "missing/list.txt", "x", &error));
}

}  // namespace qel
