// Test support for the project cache: plug-ins "loaded" by short code, a
// combo box that records what it is told, and date shorthands.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "include/qel/DateTime.h"
#include "project/ComboSink.h"
#include "project/ProjectData.h"
#include "project/TaskAvailability.h"

namespace qel {

namespace test {

class FakeLoadedTasks final : public ITaskAvailability {
 public:
  explicit FakeLoadedTasks(std::set<std::string> codes = {}) : m_codes(std::move(codes)) {}
  bool IsTaskLibraryLoaded(const std::string& code) const override { return m_codes.count(code) != 0; }

 private:
  std::set<std::string> m_codes;
};

// Records "reset", "no selection" and "add <text>" in order.
class RecordingCombo final : public IComboSink {
 public:
  void ResetContent() override { calls.push_back("reset"); }
  void SetNoSelection() override { calls.push_back("no selection"); }
  void AddString(const std::string& text) override { calls.push_back("add " + text); }

  std::vector<std::string> calls;
};

inline QelDateTime Day(int y, int m, int d, int h = 0, int mi = 0) { return QelDateTime::FromDate(y, m, d, h, mi); }

inline QelDateTime Invalid() {
  QelDateTime date;
  date.status = QelDateTime::kInvalid;
  return date;
}

// A project of one model, "Attention" with the loaded tasks TP and FL, and
// two testees born on kBirth: Ann Smith (right-handed, female) and Ben
// Jones (left-handed, male).
class AttentionProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    CModelData* model = data.AddModel("Attention", 4, "April 2010", "admin", Day(2024, 1, 1));
    ASSERT_NE(model, nullptr);
    model->AddTask(1, "TP", "Tapping");
    model->AddTask(2, "FL", "Flanker");
    ASSERT_NE(data.AddTestee("Ann", "Clinic", "Ann", "Smith", kBirth, 0, 1, nullptr, QelDateTime::Null()), nullptr);
    ASSERT_NE(data.AddTestee("Ben", "Clinic", "Ben", "Jones", kBirth, 1, 0, nullptr, QelDateTime::Null()), nullptr);
  }

  static inline const QelDateTime kBirth = Day(1970, 6, 15);
  FakeLoadedTasks tasks{{"TP", "FL"}};
  CProjectData data{tasks};
};

}  // namespace test

}  // namespace qel
