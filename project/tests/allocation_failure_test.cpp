// An operation of the project cache that cannot get its memory changes
// nothing: every allocation an operation makes is failed in turn, and the
// cache must then look exactly as before (or, when the operation reports
// success, exactly as after an undisturbed run).
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/model/ExpModel.h"
#include "project/ProjectData.h"
#include "project/tests/CacheTestSupport.h"

namespace qel {

namespace {

// Allocations left before one fails; -1: none fails. Arm starts the count
// at g_armAt.
long g_allocationsLeft = -1;
long g_armAt = -1;
bool g_failed = false;

void Arm() { g_allocationsLeft = g_armAt; }
void Disarm() { g_allocationsLeft = -1; }

void* Allocate(std::size_t size) {
  if (g_allocationsLeft == 0) {
    g_allocationsLeft = -1;
    g_failed = true;
    throw std::bad_alloc();
  }
  if (g_allocationsLeft > 0) --g_allocationsLeft;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

}  // namespace qel

// The replacement allocation functions are global, as the language asks.
void* operator new(std::size_t size) { return qel::Allocate(size); }
void* operator new[](std::size_t size) { return qel::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return qel::Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace qel {

namespace test {
namespace {

// Long texts, so that every copy of them allocates.
const std::string kAnn = "Ann Annabel Anderson";
const std::string kBen = "Ben Benedict Bennett";
const std::string kModel = "Attention model of the clinic";
const std::string kTask = "TP";
const std::string kUser = "user of the project clinic";

template <class T>
std::string Join(const std::vector<T>& list) {
  std::ostringstream out;
  for (const T& item : list) out << item << '|';
  return out.str();
}

std::string Dates(const std::vector<QelDateTime>& list) {
  std::ostringstream out;
  for (const QelDateTime& d : list) out << d.status << ':' << d.value << '|';
  return out.str();
}

// Everything the cache holds, as text.
std::string Dump(const CProjectData& data) {
  std::ostringstream out;
  for (const CUserRecord& u : data.GetUsers())
    out << "user " << u.m_id << ' ' << u.m_firstName << ' ' << u.m_surname << '\n';
  std::vector<std::string> codes, comments, descriptions;
  std::vector<QelDateTime> dates;
  data.GetTesteeCodes(&codes, &comments, &descriptions, &dates);
  out << "codes " << Join(codes) << Join(comments) << Join(descriptions) << Dates(dates) << '\n';

  std::vector<std::string> names, tested, firsts, surnames, handSex, descs;
  std::vector<QelDateTime> births, changed;
  std::vector<uint32_t> outdated;
  data.GetTesteeRows(names, nullptr, &tested, &firsts, &surnames, &births, &handSex, &descs, &changed, &outdated);
  out << "testees " << Join(names) << Join(tested) << Join(firsts) << Join(surnames) << Dates(births) << Join(handSex)
      << Join(descs) << Dates(changed) << Join(outdated) << '\n';
  for (int i = 0; i < data.GetTesteeCount(); ++i) {
    const CTesteeData* t = data.GetTestee(i);
    std::vector<QelDateTime> cd, bd;
    std::vector<std::string> cu;
    std::vector<int32_t> cp;
    data.GetTesteeChanges(t->GetTestee().c_str(), &cd, &cu, &bd, &cp);
    out << "testee " << i << " changes " << Dates(cd) << Join(cu) << Dates(bd) << Join(cp) << '\n';
    for (int m = 0; m < t->GetModelScoresCount(); ++m) {
      const CModelScores* entry = t->GetModelScores(m);
      out << " scores of " << (entry->GetBoundModel() ? entry->GetBoundModel()->GetName() : "-") << '\n';
      for (int k = 0; k < entry->GetTaskCount(); ++k) {
        const CTaskScores* task = entry->GetTask(k);
        std::vector<uint32_t> numbers, variables;
        std::vector<QelDateTime> assessed, saved;
        std::vector<uint8_t> flags;
        std::vector<std::string> users;
        task->GetRows({&numbers, &assessed, &flags, &variables, &users, &saved});
        out << "  task " << (task->GetBoundTask() ? task->GetBoundTask()->GetTaskIdStr() : "-") << ' ' << Join(numbers)
            << Dates(assessed) << Join(variables) << Join(users) << Dates(saved) << '\n';
        for (uint32_t number : numbers) {
          std::vector<QelDateTime> hb, ha, hs;
          std::vector<std::string> hu;
          task->FindScore(number)->GetChanges({&hb, &ha, &hu, &hs});
          out << "   history " << Dates(hb) << Dates(ha) << Join(hu) << Dates(hs) << '\n';
        }
      }
    }
    for (int m = 0; m < t->GetModelAssessmentsCount(); ++m) {
      const CModelAssessments* entry = t->GetModelAssessments(m);
      out << " assessments of " << (entry->GetBoundModel() ? entry->GetBoundModel()->GetName() : "-") << '\n';
      for (int k = 0; k < entry->GetTaskCount(); ++k) {
        const CTaskAssessments* task = entry->GetTask(k);
        std::vector<uint32_t> numbers, responses;
        std::vector<int32_t> parts;
        std::vector<QelDateTime> partDates;
        std::vector<std::string> users;
        task->GetLists({&numbers, &parts, &partDates, &responses, &users});
        out << "  task " << Join(numbers) << Join(parts) << Dates(partDates) << Join(responses) << Join(users) << '\n';
      }
    }
  }
  for (int i = 0; i < data.GetModelCount(); ++i) {
    const CModelData* m = data.GetModel(i);
    out << "model " << m->GetName() << ' ' << m->GetVersion() << ' ' << m->GetVersionStr() << ' ' << m->GetUser() << ' '
        << m->GetUnavailableTaskCount() << '\n';
    for (int j = 0; j < m->GetTaskCount(); ++j) {
      const CModelTaskData* task = m->GetTask(j);
      out << " task " << task->GetTaskId() << ' ' << task->GetTaskIdStr() << ' ' << task->GetTaskName() << ' '
          << task->IsAvailable() << '\n';
    }
  }
  return out.str();
}

// A project with something of everything.
struct Fixture {
  FakeLoadedTasks tasks{{kTask}};
  CProjectData data{tasks};

  Fixture() {
    CModelData* model = data.AddModel(kModel, 4, "April 2010 release", kUser.c_str(), Day(2024, 1, 1));
    model->AddTask(1, kTask, "Tapping with both hands");
    model->AddTask(2, "FL", "Flanker with arrows and letters");
    for (const std::string& id : {std::string("alice of the clinic"), std::string("zoe of the clinic")}) {
      CUserRecord user;
      user.m_id = id;
      user.m_surname = "surname of " + id;
      data.AddUser(&user);
    }
    data.AddTesteeCode("clinic code number one", "comment of the code", nullptr, Day(2024, 1, 1));
    data.AddTestee(kAnn, "clinic code number one", "Annabel Annette", "Anderson-Smith", Day(1970, 1, 1), 0, 1,
                   "description of the testee", Day(2024, 1, 2));
    data.AddTestee(kBen, "clinic code number one", "Benedict Bernard", "Bennett-Jones", Day(1980, 1, 1), 1, 0, nullptr,
                   Day(2024, 1, 3));
    data.AddTesteeChange(kAnn.c_str(), Day(1969, 1, 1), 1, kUser.c_str(), Day(2023, 1, 1));
    data.AddScore(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, Day(2024, 2, 1), true, QelDateTime::Null(), 0, 0, 10,
                  kUser.c_str(), Day(2024, 2, 2));
    data.AddScoreChange(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, Day(1969, 1, 1), Day(2023, 2, 1), kUser.c_str(),
                        Day(2023, 2, 2));
    data.AddAssessment(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, 1, Day(2024, 2, 1), 100, kUser.c_str());
  }
};

struct Operation {
  const char* name;
  std::function<bool(CProjectData&)> run;  // true when it reports something recorded
};

void PrintTo(const Operation& c, std::ostream* os) { *os << c.name; }

CExpModel ThreeTaskModel() {
  CExpModel model;
  model.m_name = "A model made from a model file";
  for (const char* code : {"TP", "FL", "MS"}) {
    CExpModelTask task;
    task.TaskIdStr = code;
    task.TaskName = std::string("The long name of the task ") + code;
    model.AddTask(task);
  }
  return model;
}

const char* const kOtherUser = "another user of the clinic";

// Each operation makes its arguments first; only the cache's own work runs
// between Arm and Disarm.
const Operation kOperations[] = {
    {"AddUser",
     [](CProjectData& d) {
       CUserRecord user;
       user.m_id = "martin of the clinic";
       user.m_institute = "institute of the clinic";
       const int before = d.GetUserCount();
       Arm();
       const int after = d.AddUser(&user);
       Disarm();
       return after > before;
     }},
    {"SetUser",
     [](CProjectData& d) {
       CUserRecord user;
       user.m_id = "zoe of the clinic";
       user.m_surname = "a new surname for zoe";
       Arm();
       const bool stored = d.SetUser(user);
       Disarm();
       return stored;
     }},
    {"AddTesteeCode",
     [](CProjectData& d) {
       const std::string code = "another code of the clinic";
       const int before = d.GetTesteeCodeCount();
       Arm();
       const int after = d.AddTesteeCode(code, "its comment text", "its description", Day(2024, 5, 5));
       Disarm();
       return after > before;
     }},
    {"AddTestee",
     [](CProjectData& d) {
       const std::string name = "Carl Carlson Carlsen", code = "clinic code number one", first = "Carl Christian",
                         surname = "Carlsen-Brown";
       Arm();
       const CTesteeData* added =
           d.AddTestee(name, code, first, surname, Day(1990, 1, 1), 1, 0, "a description", Day(2024, 5, 5));
       Disarm();
       return added != nullptr;
     }},
    {"SetTesteeUpdates",
     [](CProjectData& d) {
       const std::string code = "another clinic code", first = "Benedict Bertram", surname = "Bennett-Miller";
       Arm();
       const bool done =
           d.SetTestee(kBen, code, first, surname, Day(1981, 1, 1), 2, 1, "a new description", Day(2024, 5, 5));
       Disarm();
       return done;
     }},
    {"AddTesteeChange",
     [](CProjectData& d) {
       Arm();
       const CTesteeData* t = d.AddTesteeChange(kBen.c_str(), Day(1979, 1, 1), 2, kOtherUser, Day(2024, 4, 4));
       Disarm();
       return t != nullptr;
     }},
    {"AddModel",
     [](CProjectData& d) {
       const std::string name = "A second model of the clinic", text = "April 2010 release";
       Arm();
       const CModelData* added = d.AddModel(name, 4, text, kOtherUser, Day(2024, 5, 5));
       Disarm();
       return added != nullptr;
     }},
    {"SetModel",
     [](CProjectData& d) {
       const CExpModel model = ThreeTaskModel();
       Arm();
       const int made = d.SetModel(&model, kOtherUser, Day(2024, 5, 5));
       Disarm();
       return made > 0;
     }},
    {"ModelAddTask",
     [](CProjectData& d) {
       const std::string code = "MS", name = "Memory search with objects";
       CModelData* model = d.FindModel(kModel.c_str());
       Arm();
       const CModelTaskData* added = model->AddTask(3, code, name);
       Disarm();
       return added != nullptr;
     }},
    {"AddScoreMakingModelAndTaskEntries",
     [](CProjectData& d) {
       Arm();
       const CScoreData* added = d.AddScore(kBen.c_str(), kModel.c_str(), "FL", 4, Day(2024, 5, 5), false,
                                            Day(1980, 1, 1), 0, 0, 20, kOtherUser, Day(2024, 5, 6));
       Disarm();
       return added != nullptr;
     }},
    {"AddScoreMakingATaskEntry",
     [](CProjectData& d) {
       Arm();
       const CScoreData* added = d.AddScore(kAnn.c_str(), kModel.c_str(), "FL", 4, Day(2024, 5, 5), false,
                                            Day(1980, 1, 1), 0, 0, 20, kOtherUser, Day(2024, 5, 6));
       Disarm();
       return added != nullptr;
     }},
    {"AddScoreOfAModelNotCached",
     [](CProjectData& d) {
       Arm();
       const CScoreData* added = d.AddScore(kAnn.c_str(), "a model that is not cached", "FL", 4, Day(2024, 5, 5), false,
                                            Day(1980, 1, 1), 0, 0, 20, kOtherUser, Day(2024, 5, 6));
       Disarm();
       return added != nullptr;
     }},
    {"UpdateScoreInPlace",
     [](CProjectData& d) {
       Arm();
       d.UpdateScore(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, Day(2024, 5, 5), false, Day(1971, 1, 1), 0, 0, 30,
                     kOtherUser, Day(2024, 5, 6));
       Disarm();
       return d.GetScoreUser(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1) == kOtherUser;
     }},
    {"AddScoreChange",
     [](CProjectData& d) {
       Arm();
       const int count = d.AddScoreChange(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, Day(1968, 1, 1),
                                          Day(2022, 1, 1), kOtherUser, Day(2022, 1, 2));
       Disarm();
       return count > 0;
     }},
    {"AddAssessmentMakingEntries",
     [](CProjectData& d) {
       Arm();
       const int recorded = d.AddAssessment(kBen.c_str(), kModel.c_str(), "FL", 2, 3, Day(2024, 5, 5), 60, kOtherUser);
       Disarm();
       return recorded != 0;
     }},
    {"UpdateAssessmentInPlace",
     [](CProjectData& d) {
       Arm();
       const int recorded =
           d.UpdateAssessment(kAnn.c_str(), kModel.c_str(), kTask.c_str(), 1, 1, Day(2024, 5, 5), 70, kOtherUser);
       Disarm();
       return recorded != 0;
     }},
};

class AllocationFailureTest : public testing::TestWithParam<Operation> {};

TEST_P(AllocationFailureTest, AFailedAllocationLeavesTheCacheAsItWas) {
  std::string succeeded;
  {
    Fixture f;
    ASSERT_TRUE(GetParam().run(f.data));
    succeeded = Dump(f.data);
  }
  int failures = 0;
  for (long n = 0;; ++n) {
    ASSERT_LT(n, 10000) << "the operation never finished undisturbed";
    Fixture f;
    const std::string before = Dump(f.data);
    g_failed = false;
    g_armAt = n;
    const bool recorded = GetParam().run(f.data);
    g_armAt = -1;
    const std::string after = Dump(f.data);
    if (!g_failed) {
      EXPECT_TRUE(recorded);
      EXPECT_EQ(after, succeeded);
      break;
    }
    ++failures;
    EXPECT_EQ(after, recorded ? succeeded : before) << "allocation " << n << " failed";
  }
  EXPECT_GT(failures, 0);
}

INSTANTIATE_TEST_SUITE_P(Operations, AllocationFailureTest, testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace test

}  // namespace qel
