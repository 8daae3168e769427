#include "project/ProjectData.h"

#include <algorithm>
#include <new>

#include "app/model/ExpModel.h"
#include "include/qel/ModelTask.h"
#include "project/CacheDetail.h"
#include "project/ComboSink.h"
#include "project/TaskAvailability.h"
#include "project/TesteeFilter.h"
#include "project/TextCase.h"

namespace qel {

using cache_detail::Empty;
using cache_detail::Put;
using cache_detail::SameText;

namespace {

// Where a new key goes in a list kept ascending ignoring case: after every
// key that does not sort after it, so equal keys keep their order of arrival.
template <class T, class KeyOf>
size_t SortedPosition(const std::vector<T>& list, const std::string& key, KeyOf keyOf) {
  const std::string upper = ToUpperCase(key);
  size_t position = list.size();
  while (position >= 1 && upper < ToUpperCase(keyOf(list[position - 1]))) --position;
  return position;
}

// One pattern against its field: equal (whole match) or a prefix of it, in
// upper case when case is ignored. An empty pattern matches every field.
bool FieldMatches(const std::string& field, const std::string& pattern, bool ignoreCase, bool wholeMatch) {
  if (pattern.empty()) return true;
  const std::string f = ignoreCase ? ToUpperCase(field) : field;
  const std::string p = ignoreCase ? ToUpperCase(pattern) : pattern;
  return wholeMatch ? f == p : f.compare(0, p.size(), p) == 0;
}

// The rules of the testee search: by exact name when the filter lists
// names, else by every non-empty pattern. A null filter passes every testee.
bool PassesFilter(const CTesteeData& testee, const CTesteeFilter* filter) {
  if (!filter) return true;
  if (!filter->m_names.empty()) {
    return std::find(filter->m_names.begin(), filter->m_names.end(), testee.GetTestee()) != filter->m_names.end();
  }
  const bool ignoreCase = filter->m_ignoreCase != 0;
  const bool wholeMatch = filter->m_wholeMatch != 0;
  return FieldMatches(testee.GetTestee(), filter->m_testee, ignoreCase, wholeMatch) &&
         FieldMatches(testee.GetTesteeCode(), filter->m_code, ignoreCase, wholeMatch) &&
         FieldMatches(testee.GetSurname(), filter->m_surname, ignoreCase, wholeMatch);
}

template <class T>
const T* At(const std::vector<std::unique_ptr<T>>& list, int i) {
  if (i < 0 || static_cast<size_t>(i) >= list.size()) return nullptr;
  return list[static_cast<size_t>(i)].get();
}

}  // namespace

CProjectData::CProjectData(const ITaskAvailability& tasks) : m_tasks(tasks) {}

CProjectData::~CProjectData() { Clear(); }

void CProjectData::Clear() {
  // The testees first: their entries point into the models.
  for (auto& testee : m_testees) testee->Clear();
  m_testees.clear();
  for (auto& model : m_models) model->Clear();
  m_models.clear();
  m_users.clear();
  m_codes.clear();
  m_cfrContent = 0;
  m_scoreTotal = 0;
  m_outdatedTotal = 0;
  m_assessmentTotal = 0;
}

// ---- Users

int CProjectData::AddUser(const CUserRecord* user) {
  if (!user) return GetUserCount();
  try {
    CUserRecord copy = *user;
    const size_t position =
        SortedPosition(m_users, copy.m_id, [](const CUserRecord& u) -> const std::string& { return u.m_id; });
    m_users.insert(m_users.begin() + static_cast<std::ptrdiff_t>(position), std::move(copy));
  } catch (const std::bad_alloc&) {
  }
  return GetUserCount();
}

bool CProjectData::SetUser(const CUserRecord& user) {
  for (CUserRecord& cached : m_users) {
    if (cached.m_id != user.m_id) continue;
    try {
      CUserRecord copy = user;
      cached = std::move(copy);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  const int before = GetUserCount();
  return AddUser(&user) > before;
}

const CUserRecord* CProjectData::FindUser(const char* id) const {
  for (const CUserRecord& user : m_users) {
    if (SameText(id, user.m_id)) return &user;
  }
  return nullptr;
}

bool CProjectData::IsUser(const char* id) const { return FindUser(id) != nullptr; }

QelDateTime CProjectData::GetUserRegistered(const char* id) const {
  const CUserRecord* user = FindUser(id);
  return user ? user->m_registered : QelDateTime::Null();
}

std::string CProjectData::GetUserFirstName(const char* id) const {
  const CUserRecord* user = FindUser(id);
  return user ? user->m_firstName : std::string();
}

std::string CProjectData::GetUserSurname(const char* id) const {
  const CUserRecord* user = FindUser(id);
  return user ? user->m_surname : std::string();
}

std::string CProjectData::GetUserId(int i) const {
  if (i < 0 || i >= GetUserCount()) return std::string();
  return m_users[static_cast<size_t>(i)].m_id;
}

// ---- Testee codes

int CProjectData::AddTesteeCode(const std::string& code, const char* comment, const char* description,
                                const QelDateTime& date) {
  try {
    TesteeCode entry{code, cache_detail::TextOrEmpty(comment), cache_detail::TextOrEmpty(description),
                     cache_detail::ValidOrNull(date)};
    const size_t position =
        SortedPosition(m_codes, entry.code, [](const TesteeCode& c) -> const std::string& { return c.code; });
    m_codes.insert(m_codes.begin() + static_cast<std::ptrdiff_t>(position), std::move(entry));
  } catch (const std::bad_alloc&) {
  }
  return GetTesteeCodeCount();
}

std::string CProjectData::GetTesteeCode(int i) const {
  if (i < 0 || i >= GetTesteeCodeCount()) return std::string();
  return m_codes[static_cast<size_t>(i)].code;
}

int CProjectData::GetTesteeCodes(std::vector<std::string>* codes, std::vector<std::string>* comments,
                                 std::vector<std::string>* descriptions, std::vector<QelDateTime>* dates) const {
  Empty(codes);
  Empty(comments);
  Empty(descriptions);
  Empty(dates);
  try {
    for (const TesteeCode& entry : m_codes) {
      Put(codes, entry.code);
      Put(comments, entry.comment);
      Put(descriptions, entry.description);
      Put(dates, entry.date);
    }
  } catch (const std::bad_alloc&) {
    Empty(codes);
    Empty(comments);
    Empty(descriptions);
    Empty(dates);
    return 0;
  }
  return GetTesteeCodeCount();
}

// ---- Testees

CTesteeData* CProjectData::AddTestee(const std::string& testee, const std::string& code, const std::string& firstName,
                                     const std::string& surname, const QelDateTime& dateBirth, int32_t preference,
                                     int32_t sex, const char* description, const QelDateTime& date) {
  try {
    auto item = std::make_unique<CTesteeData>();
    item->Set(testee, code, firstName, surname, dateBirth, preference, sex, description, date);
    return cache_detail::AppendOwned(m_testees, std::move(item));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool CProjectData::SetTestee(const std::string& testee, const std::string& code, const std::string& firstName,
                             const std::string& surname, const QelDateTime& dateBirth, int32_t preference, int32_t sex,
                             const char* description, const QelDateTime& date) {
  if (CTesteeData* cached = FindTestee(testee.c_str())) {
    try {
      cached->Set(testee, code, firstName, surname, dateBirth, preference, sex, description, date);
      return true;
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  return AddTestee(testee, code, firstName, surname, dateBirth, preference, sex, description, date) != nullptr;
}

CTesteeData* CProjectData::FindTestee(const char* testee) {
  return cache_detail::FindFirst(m_testees, testee,
                                 [](const CTesteeData& t) -> const std::string& { return t.GetTestee(); });
}

const CTesteeData* CProjectData::FindTestee(const char* testee) const {
  return const_cast<CProjectData*>(this)->FindTestee(testee);
}

const CTesteeData* CProjectData::GetTestee(int i) const { return At(m_testees, i); }

const char* CProjectData::GetTesteeName(int i) const {
  const CTesteeData* testee = GetTestee(i);
  return testee ? testee->GetTestee().c_str() : nullptr;
}

bool CProjectData::IsTesteeSelected(int i) const {
  const CTesteeData* testee = GetTestee(i);
  return testee && testee->IsSelected();
}

std::string CProjectData::GetTesteeDescription(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetDescription() : std::string();
}

std::string CProjectData::GetTesteeCodeOf(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetTesteeCode() : std::string();
}

std::string CProjectData::GetTesteeFirstName(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetFirstName() : std::string();
}

std::string CProjectData::GetTesteeSurname(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetSurname() : std::string();
}

QelDateTime CProjectData::GetTesteeDateBirth(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetDateBirth() : QelDateTime::Null();
}

int32_t CProjectData::GetTesteePreference(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetPreference() : 0;
}

int32_t CProjectData::GetTesteeSex(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetSex() : 0;
}

QelDateTime CProjectData::GetTesteeDate(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetDate() : QelDateTime::Null();
}

CTesteeData* CProjectData::AddTesteeChange(const char* testee, const QelDateTime& birthDate, int32_t preference,
                                           const char* user, const QelDateTime& changeDate) {
  CTesteeData* t = FindTestee(testee);
  if (!t) return nullptr;
  try {
    t->AddChange(birthDate, preference, user, changeDate);
    return t;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int CProjectData::GetTesteeChangeCount(const char* testee) const {
  if (testee) {
    const CTesteeData* t = FindTestee(testee);
    return t ? t->GetChangeCount() : 0;
  }
  int total = 0;
  for (const auto& t : m_testees) total += t->GetChangeCount();
  return total;
}

int CProjectData::GetTesteeChanges(const char* testee, std::vector<QelDateTime>* changeDates,
                                   std::vector<std::string>* users, std::vector<QelDateTime>* birthDates,
                                   std::vector<int32_t>* preferences) const {
  const CTesteeChangeLists lists{changeDates, users, birthDates, preferences};
  lists.EmptyAll();
  const CTesteeData* t = FindTestee(testee);
  if (!t) return 0;
  try {
    Put(changeDates, t->GetDate());
    Put(users, t->GetDescription());
    Put(birthDates, t->GetDateBirth());
    Put(preferences, t->GetPreference());
    return t->GetChanges(lists) + 1;
  } catch (const std::bad_alloc&) {
    lists.EmptyAll();
    return 0;
  }
}

QelDateTime CProjectData::GetTesteeChangeDate(const char* testee, const char* changeText) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetChangeBirthDate(changeText) : QelDateTime::Null();
}

int32_t CProjectData::GetTesteeChangeNumber(const char* testee, const char* changeText) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetChangePreference(changeText) : 0;
}

int CProjectData::SearchTestees(const CTesteeFilter* filter, bool* found) {
  if (found) *found = false;
  for (auto& t : m_testees) t->SetSelected(false);
  int marked = 0;
  for (auto& t : m_testees) {
    if (!PassesFilter(*t, filter)) continue;
    t->SetSelected(true);
    ++marked;
  }
  return marked;
}

int CProjectData::CountSelectedTesteesWithAssessments(uint32_t* total) const {
  int count = 0;
  uint32_t scores = 0;
  for (const auto& t : m_testees) {
    if (!t->IsSelected() || t->GetScoreCount() == 0) continue;
    ++count;
    scores += t->GetScoreCount();
  }
  if (total) *total = scores;
  return count;
}

int CProjectData::GetTesteeRows(std::vector<std::string>& names, const CTesteeFilter* filter,
                                std::vector<std::string>* codes, std::vector<std::string>* firstNames,
                                std::vector<std::string>* surnames, std::vector<QelDateTime>* birthDates,
                                std::vector<std::string>* handednessSex, std::vector<std::string>* descriptions,
                                std::vector<QelDateTime>* dates, std::vector<uint32_t>* outdatedCounts) const {
  auto emptyAll = [&] {
    names.clear();
    Empty(codes);
    Empty(firstNames);
    Empty(surnames);
    Empty(birthDates);
    Empty(handednessSex);
    Empty(descriptions);
    Empty(dates);
    Empty(outdatedCounts);
  };
  emptyAll();
  try {
    for (const auto& t : m_testees) {
      if (!PassesFilter(*t, filter)) continue;
      names.push_back(t->GetTestee());
      Put(codes, t->GetTesteeCode());
      Put(firstNames, t->GetFirstName());
      Put(surnames, t->GetSurname());
      Put(birthDates, t->GetDateBirth());
      Put(handednessSex, t->GetHandednessSex());
      Put(descriptions, t->GetDescription());
      Put(dates, t->GetDate());
      Put(outdatedCounts, t->GetOutdatedCount());
    }
  } catch (const std::bad_alloc&) {
    emptyAll();
    return 0;
  }
  return static_cast<int>(names.size());
}

int CProjectData::FillTesteeCombo(IComboSink& combo, std::vector<std::string>* names) const {
  Empty(names);
  combo.ResetContent();
  combo.SetNoSelection();
  for (const auto& t : m_testees) {
    combo.AddString(t->GetTestee());
    Put(names, t->GetTestee());
  }
  return GetTesteeCount();
}

// ---- Models

CModelData* CProjectData::AddModel(const std::string& model, int32_t version, const std::string& versionText,
                                   const char* user, const QelDateTime& date) {
  try {
    auto item = std::make_unique<CModelData>(m_tasks);
    item->Set(model, version, versionText, user, date);
    return cache_detail::AppendOwned(m_models, std::move(item));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

int CProjectData::SetModel(const CExpModel* model, const char* user, const QelDateTime& date) {
  if (!model) return 0;
  try {
    // The whole model is made before it joins the cache.
    auto item = std::make_unique<CModelData>(m_tasks);
    const CModelHeader* header = model->GetHeader();
    item->Set(model->m_name, static_cast<int32_t>(header->m_version), header->m_release, user, date);
    int made = 0;
    for (int i = 0; i < model->GetTaskCount(); ++i) {
      const CExpModelTask* task = model->GetTask(i);
      if (!task) continue;
      if (!item->AddTask(task->TaskId, task->TaskIdStr, task->TaskName)) return 0;
      ++made;
    }
    cache_detail::AppendOwned(m_models, std::move(item));
    return made;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

CModelData* CProjectData::FindModel(const char* model) {
  return cache_detail::FindFirst(m_models, model,
                                 [](const CModelData& m) -> const std::string& { return m.GetName(); });
}

const CModelData* CProjectData::FindModel(const char* model) const {
  return const_cast<CProjectData*>(this)->FindModel(model);
}

const CModelData* CProjectData::GetModel(int i) const { return At(m_models, i); }

const char* CProjectData::GetModelName(int i) const {
  const CModelData* model = GetModel(i);
  return model ? model->GetName().c_str() : nullptr;
}

int CProjectData::GetModelTaskCount(int i) const {
  const CModelData* model = GetModel(i);
  return model ? model->GetTaskCount() : 0;
}

uint32_t CProjectData::GetModelTaskId(int i, int j) const {
  const CModelData* model = GetModel(i);
  return model ? model->GetTaskId(j) : 0;
}

const char* CProjectData::GetModelTaskIdStr(int i, int j) const {
  const CModelData* model = GetModel(i);
  return model ? model->GetTaskIdStr(j) : nullptr;
}

std::string CProjectData::GetModelUser(const char* model) const {
  const CModelData* m = FindModel(model);
  return m ? m->GetUser() : std::string();
}

int32_t CProjectData::GetModelVersion(const char* model) const {
  const CModelData* m = FindModel(model);
  return m ? m->GetVersion() : 0;
}

uint32_t CProjectData::GetUnavailableTaskCount(const char* model) const {
  const CModelData* m = FindModel(model);
  return m ? m->GetUnavailableTaskCount() : 0;
}

bool CProjectData::HasModelTask(const char* model, const char* code) const {
  const CModelData* m = FindModel(model);
  return m && m->FindTask(code);
}

bool CProjectData::IsModelTaskAvailable(const char* model, const char* code) const {
  const CModelData* m = FindModel(model);
  return m && m->IsTaskAvailable(code);
}

std::string CProjectData::GetModelTaskName(const char* model, const char* code) const {
  const CModelData* m = FindModel(model);
  const CModelTaskData* task = m ? m->FindTask(code) : nullptr;
  return task ? task->GetTaskName() : std::string();
}

int CProjectData::GetModelTaskTotal() const {
  int total = 0;
  for (const auto& model : m_models) total += model->GetTaskCount();
  return total;
}

int CProjectData::GetModelRows(std::vector<std::string>& names, std::vector<int32_t>& taskCounts,
                               std::vector<uint32_t>* unavailableCounts, std::vector<int32_t>* versions,
                               std::vector<std::string>* versionTexts, std::vector<std::string>* users,
                               std::vector<QelDateTime>* dates) const {
  auto emptyAll = [&] {
    names.clear();
    taskCounts.clear();
    Empty(unavailableCounts);
    Empty(versions);
    Empty(versionTexts);
    Empty(users);
    Empty(dates);
  };
  emptyAll();
  try {
    for (const auto& model : m_models) {
      names.push_back(model->GetName());
      taskCounts.push_back(model->GetTaskCount());
      Put(unavailableCounts, model->GetUnavailableTaskCount());
      Put(versions, model->GetVersion());
      Put(versionTexts, model->GetVersionStr());
      Put(users, model->GetUser());
      Put(dates, model->GetDate());
    }
  } catch (const std::bad_alloc&) {
    emptyAll();
    return 0;
  }
  return GetModelCount();
}

int CProjectData::FillModelCombo(IComboSink& combo, std::vector<std::string>* names) const {
  Empty(names);
  combo.ResetContent();
  combo.SetNoSelection();
  for (const auto& model : m_models) {
    combo.AddString(model->GetName());
    Put(names, model->GetName());
  }
  return GetModelCount();
}

int CProjectData::FillTaskCombo(IComboSink& combo, std::vector<std::string>* codes, std::vector<std::string>* names,
                                const char* model) const {
  if (const CModelData* m = FindModel(model)) return m->FillTaskCombo(combo, codes, names);
  Empty(codes);
  Empty(names);
  combo.ResetContent();
  combo.SetNoSelection();
  return 0;
}

// ---- Score sets and assessments

CScoreData* CProjectData::RecordScore(bool update, const char* testee, const char* model, const char* code,
                                      uint32_t number, const QelDateTime& assessmentDate, bool useTesteeData,
                                      const QelDateTime& birthDate, uint32_t variableCount, const char* user,
                                      const QelDateTime& savedDate) {
  CTesteeData* t = FindTestee(testee);
  if (!t || variableCount > static_cast<uint32_t>(kMaxVariables)) return nullptr;
  const QelDateTime birth = useTesteeData ? t->GetDateBirth() : birthDate;
  CModelScores* entry = t->FindModelScores(model);
  bool newEntry = false;
  bool newTask = false;
  try {
    if (!entry) {
      entry = t->AddModelScores(FindModel(model));
      newEntry = true;
    }
    CTaskScores* task = entry->FindTask(code);
    if (!task) {
      task = entry->AddTask(code ? code : "");
      newTask = true;
    }
    if (update && !newTask) return task->UpdateScore(number, assessmentDate, birth, variableCount, user, savedDate);
    return task->AddScore(number, assessmentDate, birth, variableCount, user, savedDate);
  } catch (const std::bad_alloc&) {
    // The entries made on the way go again: nothing was recorded.
    if (newTask) entry->RemoveLastTask();
    if (newEntry) t->RemoveLastModelScores();
    return nullptr;
  }
}

CScoreData* CProjectData::AddScore(const char* testee, const char* model, const char* code, uint32_t number,
                                   const QelDateTime& assessmentDate, bool useTesteeData, const QelDateTime& birthDate,
                                   int32_t /*preference*/, int32_t /*sex*/, uint32_t variableCount, const char* user,
                                   const QelDateTime& savedDate) {
  return RecordScore(false, testee, model, code, number, assessmentDate, useTesteeData, birthDate, variableCount, user,
                     savedDate);
}

void CProjectData::UpdateScore(const char* testee, const char* model, const char* code, uint32_t number,
                               const QelDateTime& assessmentDate, bool useTesteeData, const QelDateTime& birthDate,
                               int32_t /*preference*/, int32_t /*sex*/, uint32_t variableCount, const char* user,
                               const QelDateTime& savedDate) {
  RecordScore(true, testee, model, code, number, assessmentDate, useTesteeData, birthDate, variableCount, user,
              savedDate);
}

int CProjectData::AddScoreChange(const char* testee, const char* model, const char* code, uint32_t number,
                                 const QelDateTime& birthDate, const QelDateTime& assessmentDate, const char* user,
                                 const QelDateTime& savedDate) {
  CTesteeData* t = FindTestee(testee);
  if (!t) return 0;
  try {
    return t->AddScoreChange(model, code, number, birthDate, assessmentDate, user, savedDate);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int CProjectData::GetScoreChanges(const char* testee, const char* model, const char* code, uint32_t number,
                                  std::vector<QelDateTime>* birthDates, std::vector<QelDateTime>* assessmentDates,
                                  std::vector<std::string>* users, std::vector<QelDateTime>* savedDates) const {
  const CScoreChangeLists lists{birthDates, assessmentDates, users, savedDates};
  lists.EmptyAll();
  const CTesteeData* t = FindTestee(testee);
  if (!t) return 0;
  try {
    return t->GetScoreChanges(model, code, number, lists);
  } catch (const std::bad_alloc&) {
    lists.EmptyAll();
    return 0;
  }
}

int CProjectData::GetScoreChangeCount(const char* testee, const char* model, const char* code, uint32_t number) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetScoreChangeCount(model, code, number) : 0;
}

int CProjectData::GetScoreChangeTotal() const {
  int total = 0;
  for (const auto& t : m_testees) total += t->GetScoreChangeTotal();
  return total;
}

std::string CProjectData::GetScoreUser(const char* testee, const char* model, const char* code, uint32_t number) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetScoreUser(model, code, number) : std::string();
}

int CProjectData::RecordAssessment(bool update, const char* testee, const char* model, const char* code,
                                   uint32_t number, int32_t part, const QelDateTime& date, uint32_t responseCount,
                                   const char* user) {
  CTesteeData* t = FindTestee(testee);
  if (!t || part < 1 || part > kMaxParts || responseCount > static_cast<uint32_t>(kMaxResponses)) return 0;
  CModelAssessments* entry = t->FindModelAssessments(model);
  bool newEntry = false;
  bool newTask = false;
  try {
    if (!entry) {
      entry = t->AddModelAssessments(FindModel(model));
      newEntry = true;
    }
    CTaskAssessments* task = entry->FindTask(code);
    if (!task) {
      task = entry->AddTask(code ? code : "");
      newTask = true;
    }
    if (update && !newTask) return task->Update(number, part, date, responseCount, user);
    return task->Append(number, part, date, responseCount, user);
  } catch (const std::bad_alloc&) {
    if (newTask) entry->RemoveLastTask();
    if (newEntry) t->RemoveLastModelAssessments();
    return 0;
  }
}

int CProjectData::AddAssessment(const char* testee, const char* model, const char* code, uint32_t number, int32_t part,
                                const QelDateTime& date, uint32_t responseCount, const char* user) {
  return RecordAssessment(false, testee, model, code, number, part, date, responseCount, user);
}

int CProjectData::UpdateAssessment(const char* testee, const char* model, const char* code, uint32_t number,
                                   int32_t part, const QelDateTime& date, uint32_t responseCount, const char* user) {
  return RecordAssessment(true, testee, model, code, number, part, date, responseCount, user);
}

uint32_t CProjectData::CountScores() {
  uint32_t total = 0;
  for (auto& t : m_testees) total += t->CountScores();
  m_scoreTotal = total;
  return total;
}

uint32_t CProjectData::CountAssessments() {
  uint32_t total = 0;
  for (auto& t : m_testees) total += t->CountAssessments();
  m_assessmentTotal = total;
  return total;
}

CTimeSpan CProjectData::GetAssessmentDateOf(const char* testee, const char* model, const char* code,
                                            uint32_t number) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetAssessmentDuration(model, code, number) : CTimeSpan{};
}

QelDateTime CProjectData::GetAssessmentDate2Of(const char* testee, const char* model, const char* code,
                                               uint32_t number) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetLatestAssessmentDate(model, code, number) : QelDateTime::Null();
}

int CProjectData::GetScoreRows(const char* testee, const char* model, const char* code, std::vector<uint32_t>* numbers,
                               std::vector<QelDateTime>* assessmentDates, std::vector<uint8_t>* outdated,
                               std::vector<uint32_t>* variableCounts, std::vector<std::string>* users,
                               std::vector<QelDateTime>* savedDates, std::vector<std::string>* testees,
                               std::vector<std::string>* models, std::vector<std::string>* codes) const {
  const CScoreRowLists lists{numbers,    assessmentDates, outdated, variableCounts, users,
                             savedDates, testees,         models,   codes};
  lists.EmptyAll();
  try {
    return cache_detail::RowsOfEntries(
        m_testees, testee, [&](const char* key) { return FindTestee(key); },
        [&](const CTesteeData& t) {
          const int added = t.GetScoreRows(model, code, lists);
          cache_detail::PutRepeated(lists.testees, testee ? std::string(testee) : t.GetTestee(), added);
          return added;
        });
  } catch (const std::bad_alloc&) {
    lists.EmptyAll();
    return 0;
  }
}

int CProjectData::GetAssessmentRows(const char* testee, const char* model, const char* code,
                                    std::vector<uint32_t>* numbers, std::vector<int32_t>* parts,
                                    std::vector<QelDateTime>* dates, std::vector<uint32_t>* responseCounts,
                                    std::vector<std::string>* users, std::vector<std::string>* testees,
                                    std::vector<std::string>* models, std::vector<std::string>* codes) const {
  const CAssessmentRowLists lists{numbers, parts, dates, responseCounts, users, testees, models, codes};
  lists.EmptyAll();
  try {
    return cache_detail::RowsOfEntries(
        m_testees, testee, [&](const char* key) { return FindTestee(key); },
        [&](const CTesteeData& t) {
          const int added = t.GetAssessmentRows(model, code, lists);
          cache_detail::PutRepeated(lists.testees, testee ? std::string(testee) : t.GetTestee(), added);
          return added;
        });
  } catch (const std::bad_alloc&) {
    lists.EmptyAll();
    return 0;
  }
}

// ---- Outdated score sets

bool CProjectData::IsScoreOutdated(const char* testee, const char* model, const char* code, uint32_t number) const {
  const CTesteeData* t = FindTestee(testee);
  return t && t->IsScoreOutdated(model, code, number);
}

uint32_t CProjectData::GetOutdatedScoreCount(const char* testee) const {
  const CTesteeData* t = FindTestee(testee);
  return t ? t->GetOutdatedCount() : 0;
}

bool CProjectData::FindOutdatedScores() {
  uint32_t total = 0;
  for (auto& t : m_testees) total += t->UpdateOutdated();
  m_outdatedTotal = total;
  return total > 0;
}

bool CProjectData::AnySelectedTesteeOutdated() const {
  for (const auto& t : m_testees) {
    if (t->IsSelected() && t->HasOutdatedChanged()) return true;
  }
  return false;
}

}  // namespace qel
