// Model files on disk: written atomically, read back bounded, named after their file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/model/ExpModel.h"
#include "app/modelfile/ModelFile.h"
#include "common/AtomicFile.h"
#include "tests/support/common/TempFolder.h"

namespace qel {

namespace {

std::vector<uint8_t> Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

size_t FilesIn(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

// Makes writes beyond a size fail (EFBIG) for the life of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    m_previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    ::signal(SIGXFSZ, m_previousHandler);
  }

 private:
  rlimit m_previous{};
  sighandler_t m_previousHandler;
};

TEST(ModelFileOnDisk, AFailedWriteLeavesThePreviousFileWhole) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("model.qem");
  auto model = std::make_unique<CExpModel>();
  CExpModelTask t;
  t.TaskIdStr = "TP";
  t.TaskName = "Tapping";
  model->AddTask(t);
  std::string error;
  ASSERT_TRUE(WriteModelFile(path, model.get(), &error)) << error;
  const std::vector<uint8_t> before = Slurp(path);

  model->m_tasks[0].TaskName = std::string(4000, 'x');
  model->m_name = "unchanged";
  model->m_loaded = 0;
  {
    FileSizeLimit limit(1024);
    EXPECT_FALSE(WriteModelFile(path, model.get(), &error));
  }
  EXPECT_NE(error.find("Cannot write"), std::string::npos) << error;
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
  EXPECT_EQ(model->m_name, "unchanged");  // a failed save changes nothing
  EXPECT_EQ(model->m_loaded, 0);
}

TEST(ModelFileOnDisk, WriteThenReadNamesTheModelAfterTheFile) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("Attention battery.qem");
  auto model = std::make_unique<CExpModel>();
  CExpModelTask t;
  t.TaskId = 35;
  t.TaskIdStr = "TP";
  t.TaskName = "Tapping";
  t.TaskParam[1] = 60;
  model->AddTask(t);
  std::string error;
  ASSERT_TRUE(WriteModelFile(path, model.get(), &error)) << error;
  EXPECT_EQ(model->m_name, "Attention battery");
  EXPECT_EQ(model->m_loaded, 1);
  EXPECT_EQ(model->m_tasks[0].loaded, 1);
  EXPECT_EQ(Slurp(path), WriteModelBytes(*model));

  auto read = std::make_unique<CExpModel>();
  uint32_t format = 0;
  ASSERT_TRUE(ReadModelFile(path, read.get(), &format, &error)) << error;
  EXPECT_EQ(read->m_name, "Attention battery");
  EXPECT_EQ(read->m_header.m_creation, model->m_header.m_creation);
  EXPECT_EQ(read->m_tasks[0].TaskParam[1], 60u);
  EXPECT_EQ(format, 1u);
}

TEST(ModelFileOnDisk, AFileLargerThanAnyModelIsNotRead) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("huge.qem");
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxModelFileSize) + 1), 0);  // sparse
  ::close(fd);
  auto model = std::make_unique<CExpModel>();
  std::string error;
  EXPECT_FALSE(ReadModelFile(path, model.get(), nullptr, &error));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
  EXPECT_EQ(model->GetTaskCount(), 0);
}

TEST(ModelFileOnDisk, AFifoNamedLikeAModelIsRefusedWithoutWaiting) {
  qel::test::TempFolder dir;
  const std::string fifo = dir.File("model.qem");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto model = std::make_unique<CExpModel>();
  std::string error;
  EXPECT_FALSE(ReadModelFile(fifo, model.get(), nullptr, &error));  // before: waited for a writer for ever
  EXPECT_NE(error.find("not a file"), std::string::npos) << error;
  EXPECT_EQ(model->GetTaskCount(), 0);
}

TEST(ModelFileOnDisk, ACorruptFileNamesThePathAndTheReason) {
  qel::test::TempFolder dir;
  const std::string path = dir.File("bad.qem");
  ASSERT_TRUE(WriteFileAtomically(path,
                                  "\xFF\xFF\x01\x00\x07\x00"
                                  "CQelDo",
                                  12, nullptr));
  auto model = std::make_unique<CExpModel>();
  std::string error;
  EXPECT_FALSE(ReadModelFile(path, model.get(), nullptr, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("ends early"), std::string::npos) << error;
  EXPECT_EQ(model->m_name, "");
}

}  // namespace

}  // namespace qel
