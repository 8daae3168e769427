#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/port/SignalPort.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace {

namespace fs = std::filesystem;

class SignalPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_folder.Path().empty());
    m_dir = m_folder.Path();
    m_fifo = m_dir / "port";
    ASSERT_EQ(mkfifo(m_fifo.c_str(), 0600), 0);
  }
  void TearDown() override {
    if (m_reader >= 0) close(m_reader);
  }
  void OpenReader() {
    m_reader = open(m_fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(m_reader, 0);
  }
  std::vector<uint8_t> ReadAll() {
    std::vector<uint8_t> bytes;
    uint8_t buffer[256];
    ssize_t n;
    while ((n = read(m_reader, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    return bytes;
  }
  static std::string FileText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  test::TempFolder m_folder;
  fs::path m_dir;
  fs::path m_fifo;
  int m_reader = -1;
};

TEST_F(SignalPortTest, DefaultsToTheFirstParallelPortOrTheConfiguredOne) {
  unsetenv(CSignalPort::kPathVariable);
  EXPECT_EQ(CSignalPort().Path(), "/dev/parport0");
  setenv(CSignalPort::kPathVariable, m_fifo.c_str(), 1);
  EXPECT_EQ(CSignalPort().Path(), m_fifo.string());
  unsetenv(CSignalPort::kPathVariable);
}

TEST_F(SignalPortTest, RunBytesReachTheReaderInOrder) {
  OpenReader();
  CSignalPort port;
  port.SetPath(m_fifo);
  port.SetSignalSync(true);
  ASSERT_TRUE(port.Open()) << port.LastError();
  EXPECT_TRUE(port.Open());  // already open
  const int responseCode = 0x1234;
  port.WriteByte(0);
  port.WriteByte(128);
  port.WriteByte(0);
  port.WriteByte(static_cast<uint8_t>(responseCode));
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  port.WriteByte(99);  // closed: nothing
  EXPECT_EQ(ReadAll(), (std::vector<uint8_t>{0, 128, 0, 0x34}));
}

TEST_F(SignalPortTest, SignalSyncOffOpensNothingAndWritesNothing) {
  const fs::path file = m_dir / "file";
  std::ofstream(file, std::ios::binary) << "x";
  CSignalPort port;
  port.SetPath(file);
  EXPECT_FALSE(port.Open());
  EXPECT_FALSE(port.IsOpen());
  port.WriteByte(128);
  port.Close();
  EXPECT_EQ(FileText(file), "x");
  EXPECT_TRUE(port.LastError().empty());  // not even tried
}

TEST_F(SignalPortTest, APlainFileReceivesTheBytesAfterItsContent) {
  const fs::path file = m_dir / "file";
  std::ofstream(file, std::ios::binary) << "ab";
  CSignalPort port;
  port.SetPath(file);
  port.SetSignalSync(true);
  ASSERT_TRUE(port.Open()) << port.LastError();
  port.WriteByte('c');
  port.WriteByte(128);
  port.Close();
  EXPECT_EQ(FileText(file), std::string("abc\x80", 4));
}

// Paths that cannot be a port: the run goes on without signals.
struct UnusableCase {
  const char* name;
  std::string (*path)(const fs::path& dir, const fs::path& fifo);
};

class SignalPortUnusableTest : public SignalPortTest, public ::testing::WithParamInterface<UnusableCase> {};

TEST_P(SignalPortUnusableTest, StaysClosedWithAReasonAndWritesAreHarmless) {
  CSignalPort port;
  port.SetPath(GetParam().path(m_dir, m_fifo));
  port.SetSignalSync(true);
  EXPECT_FALSE(port.Open());  // returns at once, never waits for a reader
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.LastError().empty());
  port.WriteByte(128);
  port.Close();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SignalPortUnusableTest,
    ::testing::Values(UnusableCase{"FifoWithoutReader", [](const fs::path&, const fs::path& f) { return f.string(); }},
                      UnusableCase{"Missing", [](const fs::path& d, const fs::path&) { return (d / "none").string(); }},
                      UnusableCase{"Directory", [](const fs::path& d, const fs::path&) { return d.string(); }},
                      UnusableCase{"CharacterDeviceThatIsNoPort",
                                   [](const fs::path&, const fs::path&) { return std::string("/dev/null"); }}),
    [](const ::testing::TestParamInfo<UnusableCase>& info) { return std::string(info.param.name); });

TEST_F(SignalPortTest, AReaderThatGoesAwayDoesNotEndTheProgram) {
  OpenReader();
  CSignalPort port;
  port.SetPath(m_fifo);
  port.SetSignalSync(true);
  ASSERT_TRUE(port.Open());
  close(m_reader);
  m_reader = -1;
  port.WriteByte(128);  // EPIPE, no SIGPIPE
  EXPECT_FALSE(port.LastError().empty());
  port.WriteByte(0);
  port.Close();
}

TEST_F(SignalPortTest, AFullFifoDropsBytesInsteadOfBlocking) {
  OpenReader();
  CSignalPort port;
  port.SetPath(m_fifo);
  port.SetSignalSync(true);
  ASSERT_TRUE(port.Open());
  const int capacity = fcntl(m_reader, F_SETPIPE_SZ, 4096);  // the smallest pipe buffer
  ASSERT_GT(capacity, 0);
  const int written = 4 * capacity;
  for (int i = 0; i < written; ++i) port.WriteByte(1);
  const std::vector<uint8_t> got = ReadAll();
  EXPECT_EQ(got.size(), static_cast<size_t>(capacity));
  EXPECT_FALSE(port.LastError().empty());
}

TEST_F(SignalPortTest, CloseClosesEvenWhenSignalSyncWentOffMeanwhile) {
  OpenReader();
  CSignalPort port;
  port.SetPath(m_fifo);
  port.SetSignalSync(true);
  ASSERT_TRUE(port.Open());
  port.SetSignalSync(false);
  port.WriteByte(5);  // off: not written
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(ReadAll().empty());
  char byte;
  EXPECT_EQ(read(m_reader, &byte, 1), 0);  // the writer end is closed: end of file
}

}  // namespace

}  // namespace qel
