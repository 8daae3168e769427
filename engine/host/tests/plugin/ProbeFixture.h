// The probe plug-in loaded by the program's plug-in loader with one real
// host for the whole test program. Each test speaks to the plug-in through
// its entry function only: the correct-response command with a line naming a
// host service.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "engine/host/tests/support/HostTestSupport.h"
#include "engine/host/ui/TaskHost.h"
#include "engine/library/TaskLibraries.h"

namespace qel {

namespace test {

class ProbeTest : public testing::Test {
 public:
  // One host and one loaded plug-in for all suites: made once the wx
  // application runs, freed before it ends.
  class Environment : public testing::Environment {
   public:
    void SetUp() override {
      m_sharedHost = new CTaskHost;
      SetTaskFolder(HOST_PROBE_DIR "/QelHostProbe.qet");
      m_sharedLoaded = FindTaskLibraries(m_sharedHost);
    }
    void TearDown() override {
      UnloadTaskLibraries();
      delete m_sharedHost;
      m_sharedHost = nullptr;
    }
  };

 protected:
  void SetUp() override {
    ASSERT_EQ(m_sharedLoaded, 1) << "the probe plug-in did not load from " HOST_PROBE_DIR;
    m_record = GetTaskLibrary(0);
    ASSERT_NE(m_record, nullptr);
    ASSERT_EQ(m_record->host, m_sharedHost);
    m_sharedHost->SetRunClock(nullptr);
    m_sharedHost->SetProgramResources(nullptr);
    m_sharedHost->SetWaitsInterrupted(false);
  }

  // The correct-response command with the service line; its answer.
  int32_t Call(const std::string& line) {
    int32_t out = -99;
    EXPECT_TRUE(m_record->entry(kCmdCorrectResponse, reinterpret_cast<intptr_t>(line.c_str()), 0, 0, &out)) << line;
    return out;
  }
  // The text the last service gave back.
  std::string Text() const { return m_record->runText; }
  // Any command with its arguments.
  bool Command(uint32_t command, intptr_t a = 0, intptr_t b = 0, intptr_t c = 0, int32_t* out = nullptr) {
    return m_record->entry(command, a, b, c, out);
  }

  static inline CTaskHost* m_sharedHost = nullptr;
  static inline int m_sharedLoaded = 0;
  CTaskLibrary* m_record = nullptr;
};

inline testing::Environment* const g_probeEnvironment = testing::AddGlobalTestEnvironment(new ProbeTest::Environment);

}  // namespace test

}  // namespace qel
