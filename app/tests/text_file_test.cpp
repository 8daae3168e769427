// The text file: whole reads with line-end and NUL rules, writes, times.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "app/text/TextFile.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ReadCase {
  std::string bytes;
  std::string text;
};

class WholeFileReads : public ::testing::TestWithParam<ReadCase> {};

TEST_P(WholeFileReads, LineEndsAndNulBytes) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("t.txt");
  WriteRaw(path, GetParam().bytes);
  CTextFile file;
  ASSERT_TRUE(file.Open(path, CTextFile::kRead));
  std::string text = "old";
  EXPECT_TRUE(file.ReadWholeFile(&text));
  EXPECT_EQ(text, GetParam().text);
  EXPECT_EQ(file.GetMessage(), "File: " + path + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeFileReads,
                         ::testing::Values(ReadCase{"a\nb\r\nc", "a\r\nb\r\nc"}, ReadCase{"", ""},
                                           ReadCase{std::string("x\0y", 3), "x y"}, ReadCase{"\n\n", "\r\n\r\n"},
                                           ReadCase{"\r\r\n", "\r\r\n"},
                                           ReadCase{std::string("a\r\0\nb", 5), "a\r \r\nb"},
                                           ReadCase{"end\n", "end\r\n"}));

TEST(TextFile, AFileOfFourGigabytesIsRefused) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("huge.txt");
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(CTextFile::kMaxTextFileSize)), 0);  // sparse
  ::close(fd);
  CTextFile file;
  ASSERT_TRUE(file.Open(path, CTextFile::kRead));
  std::string text;
  EXPECT_FALSE(file.ReadWholeFile(&text));
  EXPECT_EQ(file.GetMessage(), "File: " + path + "\r\nLength > 4294,967,295!\r\n");
}

// A FIFO or device named like a text file is refused at once, for reading
// and for writing, instead of waiting for the other end.
TEST(TextFile, AFifoIsRefusedWithoutWaiting) {
  qel::test::TempFolder dir;
  const std::string fifo = dir.File("list.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (CTextFile::OpenMode mode : {CTextFile::kRead, CTextFile::kCreateWrite}) {
    CTextFile file;
    EXPECT_FALSE(file.Open(fifo, mode));
    EXPECT_NE(file.GetMessage().find("Cannot be opened!"), std::string::npos) << file.GetMessage();
  }
  CTextFile device;
  EXPECT_FALSE(device.Open("/dev/null", CTextFile::kRead));
}

TEST(TextFile, ReadingWithoutAnOpenFileFails) {
  CTextFile file;
  std::string text;
  EXPECT_FALSE(file.ReadWholeFile(&text));
  EXPECT_NE(file.GetMessage().find("Cannot be read!"), std::string::npos);
  EXPECT_FALSE(file.Open("/no/such/folder/x.txt", CTextFile::kRead));
  EXPECT_NE(file.GetMessage().find("Cannot be opened!"), std::string::npos);
  EXPECT_EQ(file.WriteString("x"), 0u);
}

TEST(TextFile, WriteStringWritesTheBytesOnly) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("w.txt");
  WriteRaw(path, "previous content");
  CTextFile file;
  ASSERT_TRUE(file.Open(path, CTextFile::kCreateWrite));
  EXPECT_EQ(file.WriteString("abc\r\n"), 5u);
  EXPECT_EQ(file.WriteString(""), 0u);
  EXPECT_EQ(file.WriteString(nullptr), 0u);
  EXPECT_EQ(file.WriteString(std::string("def")), 3u);
  file.Close();
  EXPECT_EQ(ReadRaw(path), "abc\r\ndef");
}

TEST(TextFile, WriteBufferToFile) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("b.bin");
  WriteRaw(path, "a longer previous content");
  CTextFile file;
  const char bytes[] = {'B', 'M', 0, 1};
  EXPECT_TRUE(file.WriteBufferToFile(path, bytes, sizeof bytes));
  EXPECT_EQ(file.GetMessage(), "File: " + path + "\r\n");
  EXPECT_EQ(ReadRaw(path), std::string(bytes, 4));
  EXPECT_FALSE(file.WriteBufferToFile(dir.File("missing/b.bin"), bytes, sizeof bytes));
  EXPECT_NE(file.GetMessage().find("missing/b.bin"), std::string::npos);
}

TEST(TextFile, CloseKeepsTheTimesTheFileHasWhenItIsClosed) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("times.txt");
  WriteRaw(path, "x");
  const struct timespec opened[2] = {{1000000000, 0}, {1100000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), opened, 0), 0);
  struct stat st {};
  {
    // The writes' own modification time is not undone by the close.
    CTextFile file;
    ASSERT_TRUE(file.Open(path, CTextFile::kCreateWrite));
    file.WriteString("changed");
    file.Close(true);
  }
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_GT(st.st_mtim.tv_sec, 1100000000);
  EXPECT_EQ(ReadRaw(path), "changed");
  {
    // Times set while the file is open are the ones it keeps.
    CTextFile file;
    ASSERT_TRUE(file.Open(path, CTextFile::kCreateWrite));
    file.WriteString("again");
    const struct timespec set[2] = {{1200000000, 0}, {1300000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), set, 0), 0);
    file.Close(true);
  }
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1300000000);
  EXPECT_EQ(st.st_atim.tv_sec, 1200000000);
  EXPECT_EQ(ReadRaw(path), "again");
}

}  // namespace

}  // namespace qel
