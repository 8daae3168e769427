#include "ui/ProjectTree.h"

#include <strings.h>

#include "app/text/DateTimeText.h"
#include "app/text/ImageIndex.h"
#include "project/ProjectData.h"
#include "project/TesteeFilter.h"
#include "ui/IconIndex.h"

namespace qel {

namespace {

constexpr const char* kTesteeModified = "Testee modified";
constexpr const char* kRebuildScores = "Maybe some scores must be rebuilt";
constexpr const char* kTaskNotAvailable = "<TASK NOT AVAILABLE>";
constexpr const char* kUndefined = "<<Undefined>>";
constexpr const char* kCfrSuffix = " (21CFR part11)";

bool SameName(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

// The score-set numbers of a testee's model entry (every one when model is
// null), of one task (every one when code is null).
// The number of those score sets.
int ScoreCount(const CTesteeData* testee, const char* model, const char* code) {
  return testee ? testee->GetScoreRows(model, code, CScoreRowLists()) : 0;
}

std::vector<uint32_t> ScoreNumbers(const CTesteeData* testee, const char* model, const char* code) {
  std::vector<uint32_t> numbers;
  if (!testee) return numbers;
  CScoreRowLists lists;
  lists.numbers = &numbers;
  testee->GetScoreRows(model, code, lists);
  return numbers;
}

int CountOf(const std::vector<uint32_t>& numbers) { return static_cast<int>(numbers.size()); }

}  // namespace

bool CProjectTreeContext::CfrProject() const { return cache && cache->IsCfrContent(); }

bool OperatorMayAct(bool loggedIn, bool cfrMode, bool runInProgress) { return (loggedIn || !cfrMode) && !runInProgress; }

// ---- nodes -----------------------------------------------------------------------------------

CProjectTreeNode::~CProjectTreeNode() = default;

void CProjectTreeNode::Init(const CProjectTreeContext* context, int kind, const char* name, const char* label) {
  m_context = context;
  m_kind = kind;
  m_name = name ? name : "";
  m_label = label ? label : "";
  m_item = nullptr;
  m_data = 0;
  m_scoresBranch = m_expanded = m_warning = m_changed = m_pendingBuild = false;
  m_testeeIndex = -1;
  m_parent = nullptr;
  m_insertedChildren = 0;
  m_children.clear();
}

CProjectTreeNode* CProjectTreeNode::AddChild(int kind, const std::string& name, const std::string& label,
                                             uint32_t data) {
  auto child = std::make_unique<CProjectTreeNode>();
  child->Init(m_context, kind, name.c_str(), label.c_str());
  child->m_data = data;
  child->m_scoresBranch = m_scoresBranch;
  child->m_parent = this;
  m_children.push_back(std::move(child));
  return m_children.back().get();
}

CProjectTreeNode* CProjectTreeNode::FindOrAddChild(int kind, const std::string& name) {
  CProjectTreeNode* found = FindKind(kind);
  return found ? found : AddChild(kind, name, std::string(), 0);
}

int CProjectTreeNode::AddGroup(int kind) { return FindKind(kind) ? 0 : Build(kind); }

int CProjectTreeNode::Build(int kind, int testeeIndex, int modelIndex) {
  CProjectData* cache = Cache();
  if (!cache) return 0;
  int made = 0;
  switch (kind) {
    case kRoot:
      if (m_context->cfrMode) made += AddGroup(kUsersGroup);
      for (int group : {kCodesGroup, kTesteesGroup, kModelsGroup, kScoresGroup}) made += AddGroup(group);
      break;
    case kUsersGroup: {
      if (!m_context->cfrMode) break;
      const bool isNew = !FindKind(kUsersGroup);
      CProjectTreeNode* group = FindOrAddChild(kUsersGroup, "Users");
      made += (isNew ? 1 : 0) + group->Build(kUser);
      break;
    }
    case kUser:
      for (const CUserRecord& user : cache->GetUsers()) {
        AddChild(kUser, user.m_id, std::string(), 0);
        ++made;
      }
      break;
    case kCodesGroup: {
      const bool isNew = !FindKind(kCodesGroup);
      CProjectTreeNode* group = FindOrAddChild(kCodesGroup, "TesteeCodes");
      made += (isNew ? 1 : 0) + group->Build(kCode);
      break;
    }
    case kCode:
      for (int i = 0; i < cache->GetTesteeCodeCount(); ++i) {
        AddChild(kCode, cache->GetTesteeCode(i), std::string(), 0);
        ++made;
      }
      break;
    case kTesteesGroup: {
      const bool isNew = !FindKind(kTesteesGroup);
      CProjectTreeNode* group = FindOrAddChild(kTesteesGroup, "Testees");
      made += (isNew ? 1 : 0) + group->Build(kTestee);
      break;
    }
    case kTestee:
      for (int i = 0; i < cache->GetTesteeCount(); ++i) {
        const CTesteeData* testee = cache->GetTestee(i);
        if (!testee || !testee->IsSelected()) continue;
        if (m_scoresBranch && ScoreCount(testee, nullptr, nullptr) < 1) continue;
        CProjectTreeNode* node = AddChild(kTestee, testee->GetTestee(), std::string(), 0);
        ++made;
        if (m_scoresBranch) {
          node->m_pendingBuild = true;
          node->m_testeeIndex = i;
        }
      }
      break;
    case kModelsGroup: {
      const bool isNew = !FindKind(kModelsGroup);
      CProjectTreeNode* group = FindOrAddChild(kModelsGroup, "Models");
      made += (isNew ? 1 : 0) + group->Build(kModel);
      break;
    }
    case kModel: {
      const CTesteeData* testee = testeeIndex >= 0 ? cache->GetTestee(testeeIndex) : nullptr;
      for (int m = 0; m < cache->GetModelCount(); ++m) {
        const CModelData* model = cache->GetModel(m);
        if (!model) continue;
        if (m_scoresBranch && ScoreCount(testee, model->GetName().c_str(), nullptr) < 1) continue;
        CProjectTreeNode* node = AddChild(kModel, model->GetName(), std::string(), 0);
        ++made;
        made += node->Build(kTask, testeeIndex, m);
      }
      break;
    }
    case kTask: {
      const CModelData* model = cache->GetModel(modelIndex);
      const CTesteeData* testee = testeeIndex >= 0 ? cache->GetTestee(testeeIndex) : nullptr;
      if (!model) break;
      for (int j = 0; j < model->GetTaskCount(); ++j) {
        const CModelTaskData* task = model->GetTask(j);
        if (!task) continue;
        const std::vector<uint32_t> numbers =
            testee ? ScoreNumbers(testee, model->GetName().c_str(), task->GetTaskIdStr().c_str())
                   : std::vector<uint32_t>();
        if (m_scoresBranch && numbers.empty()) continue;
        CProjectTreeNode* node = AddChild(kTask, task->GetTaskIdStr(), std::string(), task->GetTaskId());
        ++made;
        if (!m_scoresBranch) continue;
        for (uint32_t number : numbers) {
          node->AddChild(kScoreSet, std::to_string(number), std::string(), number);
          ++made;
        }
      }
      break;
    }
    case kScoresGroup: {
      const bool isNew = !FindKind(kScoresGroup);
      CProjectTreeNode* group = FindOrAddChild(kScoresGroup, "Scores");
      group->m_scoresBranch = true;
      made += (isNew ? 1 : 0) + group->Build(kTestee);
      break;
    }
    default:
      break;
  }
  return made;
}

int CProjectTreeNode::GetImage() const {
  switch (m_kind) {
    case kRoot: return kIconProject;
    case kUsersGroup: return kIconUsersGroup;
    case kUser: return kIconUser;
    case kCodesGroup: return kIconTesteeCodesGroup;
    case kCode: return kIconTesteeCode;
    case kTesteesGroup: return kIconTesteesGroup;
    case kTestee: return m_warning ? kIconTesteeOutdated : m_changed ? kIconTesteeChanged : kIconTestee;
    case kModelsGroup: return kIconModelsGroup;
    case kModel: return kIconModel;
    case kTask: return GetImageIndex(static_cast<int>(m_data));
    case kScoresGroup: return kIconScoresGroup;
    case kScoreSet: return m_warning ? kIconScoreOutdated : m_changed ? kIconScoreChanged : kIconScore;
    default: return -1;
  }
}

int CProjectTreeNode::EnsureBuilt() {
  if (!m_pendingBuild) return 0;
  m_pendingBuild = false;
  const int made = Build(kModel, m_testeeIndex);
  // The new nodes get their labels (and their parent its children indicator).
  UpdateLabels(m_name.c_str());
  return made;
}

std::string CProjectTreeNode::GetText() const { return m_label.empty() ? m_name : m_name + " " + m_label; }

bool CProjectTreeNode::InsertItem() {
  IProjectTreeItems* items = Items();
  if (!m_item && items) {
    void* parentItem = m_parent ? m_parent->m_item : nullptr;
    if (m_parent && !parentItem) return false;  // the parent shows no item yet
    m_item = items->InsertItem(parentItem, m_kind == kUsersGroup, GetText(), GetImage(),
                               !m_children.empty() || m_pendingBuild);
    if (m_item && m_parent) ++m_parent->m_insertedChildren;
  }
  return m_item != nullptr;
}

void CProjectTreeNode::ShowItem() {
  if (m_item && Items()) Items()->SetItem(m_item, GetText(), GetImage(), !m_children.empty() || m_pendingBuild);
}

int CProjectTreeNode::InsertChildren(bool recursive) {
  int inserted = 0;
  for (auto& child : m_children) {
    const bool had = child->m_item != nullptr;
    if (child->InsertItem() && !had) ++inserted;
    if (recursive && !child->m_children.empty()) inserted += child->InsertChildren(true);
  }
  return inserted;
}

void CProjectTreeNode::Expand(bool expand) {
  if (m_item && Items()) Items()->Expand(m_item, expand);
}

bool CProjectTreeNode::IsExpanded() const { return m_item && Items() && Items()->IsExpanded(m_item); }

void CProjectTreeNode::SetCountLabel(bool onlyWhenAny) {
  m_label = onlyWhenAny && m_children.empty() ? std::string() : "[" + std::to_string(m_children.size()) + "]";
}

void CProjectTreeNode::Clear(bool deleteItem) {
  IProjectTreeItems* items = Items();
  // The children's items go with them, so a rebuild never shows stale items.
  if (items && m_item)
    items->DeleteChildren(m_item);
  else if (items)
    for (auto& child : m_children)
      if (child->m_item) items->DeleteItem(child->m_item);
  m_children.clear();
  m_pendingBuild = false;
  m_insertedChildren = 0;
  if (deleteItem && m_item) {
    if (items) items->DeleteItem(m_item);
    if (m_parent && m_parent->m_insertedChildren > 0) --m_parent->m_insertedChildren;
    m_item = nullptr;
  }
}

void CProjectTreeNode::Rebuild(bool insertItems, bool recursive) {
  Build(m_kind);
  // Labels first: items are made with their final texts (the control
  // measures an item again at every change of its text).
  UpdateLabels();
  if (insertItems && InsertItem()) {
    InsertChildren(recursive);
    Expand(m_expanded);
  }
}

void CProjectTreeNode::RebuildKind(int kind, bool insertItems, bool recursive) {
  CProjectTreeNode* node = FindKind(kind);
  if (!node) return;
  node->Clear(false);
  node->Rebuild(insertItems, recursive);
}

// ---- labels ------------------------------------------------------------------------------------

int CProjectTreeNode::UpdateLabels(const char* testee, const char* model, const char* task) {
  CProjectData* cache = Cache();
  if (!cache) return 0;
  int updated = 1;
  switch (m_kind) {
    case kRoot:
      for (auto& child : m_children)
        if (child->m_kind != kUsersGroup || m_context->cfrMode) updated += child->UpdateLabels();
      break;
    case kUsersGroup:
      if (!m_context->cfrMode) break;
      for (auto& child : m_children) updated += child->UpdateLabels();
      SetCountLabel(true);
      break;
    case kUser:
      if (!m_context->cfrMode) break;
      m_label = "[REGISTERED:" + FormatDateDots(cache->GetUserRegistered(m_name.c_str())) + ", " +
                cache->GetUserFirstName(m_name.c_str()) + ", " + cache->GetUserSurname(m_name.c_str()) + "]";
      break;
    case kCodesGroup:
    case kModelsGroup:
    case kTesteesGroup:
      for (auto& child : m_children) {
        if (m_kind == kTesteesGroup && testee && child->m_name != testee) continue;
        updated += child->UpdateLabels();
      }
      SetCountLabel(true);
      break;
    case kCode:
      break;
    case kTestee:
      LabelTestee(testee);
      for (auto& child : m_children)
        if (m_scoresBranch) updated += child->UpdateLabels(m_name.c_str(), child->m_name.c_str());
      break;
    case kModel:
      for (auto& child : m_children) updated += child->UpdateLabels(testee, m_name.c_str(), child->m_name.c_str());
      LabelModel(testee);
      break;
    case kTask:
      if (!model) break;
      for (auto& child : m_children) updated += child->UpdateLabels(testee, model, m_name.c_str());
      LabelTask(testee, model);
      break;
    case kScoresGroup:
      for (auto& child : m_children) updated += child->UpdateLabels(child->m_name.c_str());
      LabelScoresGroup();
      break;
    case kScoreSet:
      if (!testee || !model || !task) break;
      LabelScoreSet(testee, model, task);
      break;
    default:
      break;
  }
  ShowItem();
  if (m_kind == kTestee || m_kind == kModel) Expand(m_expanded);
  return updated;
}

void CProjectTreeNode::LabelTestee(const char*) {
  const CProjectData* cache = Cache();
  const CTesteeData* testee = cache->FindTestee(m_name.c_str());
  m_warning = cache->GetOutdatedScoreCount(m_name.c_str()) > 0;
  m_changed = cache->GetTesteeChangeCount(m_name.c_str()) > 0;
  std::string text;
  if (testee) text = testee->GetTesteeCode() + ", " + testee->GetFirstName() + " " + testee->GetSurname();
  if (m_context->CfrProject() && testee) {
    text += m_scoresBranch ? ", USER:" + testee->GetDescription()
                           : ", DATE:" + FormatDateTimeLocale(testee->GetDate());
  }
  m_label = m_warning ? "[" + text + "] " + kTesteeModified + ", " + kRebuildScores + "!" : "[" + text + "]";
}

void CProjectTreeNode::LabelModel(const char* testee) {
  const CProjectData* cache = Cache();
  const CModelData* model = cache->FindModel(m_name.c_str());
  const int tasks = model ? model->GetTaskCount() : 0;
  if (m_scoresBranch) {
    const int scores = CountOf(ScoreNumbers(testee ? cache->FindTestee(testee) : nullptr, m_name.c_str(), nullptr));
    m_label = "[TASKS:" + std::to_string(tasks) + ", SCORES:" + std::to_string(scores) + "]";
    return;
  }
  if (m_parent) m_expanded = m_parent->m_expanded;
  const std::string user = m_context->CfrProject() && model ? ", USER:" + model->GetUser() : std::string();
  const uint32_t missing = model ? model->GetUnavailableTaskCount() : 0;
  m_label = "[TASKS:" + std::to_string(tasks) + user +
            (missing > 0 ? ", TASKS NOT AVAILABLE:" + std::to_string(missing) : std::string()) + "]";
}

void CProjectTreeNode::LabelTask(const char* testee, const char* model) {
  const CProjectData* cache = Cache();
  const std::string name = cache->GetModelTaskName(model, m_name.c_str());
  if (m_scoresBranch) {
    const int scores = testee ? CountOf(ScoreNumbers(cache->FindTestee(testee), model, m_name.c_str())) : 0;
    m_label = "[" + name + ", SCORES:" + std::to_string(scores) + "]";
    return;
  }
  m_label = cache->IsModelTaskAvailable(model, m_name.c_str()) ? "[" + name + "]"
                                                               : "[" + name + "] " + kTaskNotAvailable;
}

void CProjectTreeNode::LabelScoresGroup() {
  uint32_t total = 0;
  const int testees = Cache()->CountSelectedTesteesWithAssessments(&total);
  if (testees > 0 || total > 0)
    m_label = "[TESTEES:" + std::to_string(testees) + ", SCORES:" + std::to_string(total) + "]";
}

void CProjectTreeNode::LabelScoreSet(const char* testee, const char* model, const char* task) {
  const CProjectData* cache = Cache();
  m_warning = cache->IsScoreOutdated(testee, model, task, m_data);
  m_changed = cache->GetScoreChangeCount(testee, model, task, m_data) > 0;
  QelDateTime tested, saved;
  std::string user;
  const CTesteeData* data = cache->FindTestee(testee);
  if (data) data->GetScoreInfo(model, task, m_data, &tested, &user, &saved);
  const std::string by = m_context->CfrProject() ? ", BY:" + user : std::string();
  m_label = "[TESTED:" + FormatDateTimeLocale(tested) + by + "]" + (m_warning ? std::string(" ") + kTesteeModified + "!" : "");
}

// ---- look-ups ---------------------------------------------------------------------------------------

CProjectTreeNode* CProjectTreeNode::FindKind(int kind) {
  if (m_kind == kind) return this;
  for (auto& child : m_children)
    if (CProjectTreeNode* found = child->FindKind(kind)) return found;
  return nullptr;
}

CProjectTreeNode* CProjectTreeNode::GetChild(int i) const {
  return i >= 0 && i < GetChildCount() ? m_children[static_cast<size_t>(i)].get() : nullptr;
}

CProjectTreeNode* CProjectTreeNode::FindByItem(void* item, bool leafOnly) {
  if (!item) return nullptr;
  if (m_item == item) return leafOnly && !m_children.empty() ? nullptr : this;
  for (auto& child : m_children)
    if (CProjectTreeNode* found = child->FindByItem(item, leafOnly)) return found;
  return nullptr;
}

namespace {

// Depth-first, this node first; a matching node with children ends a leaf-only search.
CProjectTreeNode* FindNamed(CProjectTreeNode* node, const std::string& name, bool leafOnly, bool* ended) {
  if (SameName(node->m_name, name)) {
    if (!leafOnly || node->m_children.empty()) return node;
    *ended = true;
    return nullptr;
  }
  for (auto& child : node->m_children) {
    CProjectTreeNode* found = FindNamed(child.get(), name, leafOnly, ended);
    if (found || *ended) return found;
  }
  return nullptr;
}

}  // namespace

CProjectTreeNode* CProjectTreeNode::FindByName(const std::string& name, bool leafOnly) {
  bool ended = false;
  return FindNamed(this, name, leafOnly, &ended);
}

CProjectTreeNode* CProjectTreeNode::FindChildByName(const std::string& name, bool leafOnly) const {
  for (const auto& child : m_children) {
    if (leafOnly && !child->m_children.empty()) continue;
    if (SameName(child->m_name, name)) return child.get();
  }
  return nullptr;
}

int CProjectTreeNode::GetItemInfo(void* item, bool leafOnly, ItemInfo* info) {
  *info = ItemInfo();
  CProjectTreeNode* node = FindByItem(item, leafOnly);
  if (!node) return kNone;
  switch (node->m_kind) {
    case kUser: info->user = node->m_name; break;
    case kCode: info->testee = node->m_name; break;
    case kTestee: info->testee = node->m_name; break;
    case kModel: info->model = node->m_name; break;
    case kTask:
      info->task = node->m_name;
      if (node->m_parent) info->model = node->m_parent->m_name;
      break;
    case kScoreSet: {
      const CProjectTreeNode* task = node->m_parent;
      const CProjectTreeNode* model = task ? task->m_parent : nullptr;
      const CProjectTreeNode* testee = model ? model->m_parent : nullptr;
      if (task) info->task = task->m_name;
      if (model) info->model = model->m_name;
      if (testee) info->testee = testee->m_name;
      info->number = node->m_data;
      break;
    }
    default:
      break;
  }
  return node->m_kind;
}

// ---- the whole tree ------------------------------------------------------------------------------------

std::string CProjectTree::RootLabel(const std::string& path, bool cfrProject) {
  if (path.empty()) return kUndefined;
  return cfrProject ? path + kCfrSuffix : path;
}

void CProjectTree::BuildRoot(const std::string& path) {
  m_root.Clear(true);
  if (m_context.items) m_context.items->DeleteAllItems();
  m_root.Init(&m_context, CProjectTreeNode::kRoot, "Project",
              RootLabel(m_context.cache ? path : std::string(), m_context.CfrProject()).c_str());
  m_root.m_expanded = true;
  m_root.Rebuild(true, false);
}

bool CProjectTree::Refresh(uint32_t mask, const CTesteeFilter* filter, const std::string& path) {
  if (!IsOpen()) return false;
  CProjectData* cache = m_context.cache;
  m_root.m_label = RootLabel(path, m_context.CfrProject());
  m_root.ShowItem();
  if (mask & kTreeUsers) {
    CProjectTreeNode* users = m_root.FindKind(CProjectTreeNode::kUsersGroup);
    if (!users && m_context.CfrProject()) {
      m_root.Build(CProjectTreeNode::kUsersGroup);
      users = m_root.FindKind(CProjectTreeNode::kUsersGroup);
      if (users) {
        users->Clear(false);
        users->Rebuild(true, false);
      }
    } else if (users && m_context.CfrProject()) {
      users->Clear(false);
      users->Rebuild(true, false);
    } else if (users && m_context.cfrMode) {
      users->Clear(false);
      users->UpdateLabels();
    } else if (users) {
      users->Clear(true);
      for (auto it = m_root.m_children.begin(); it != m_root.m_children.end(); ++it) {
        if (it->get() == users) {
          m_root.m_children.erase(it);
          break;
        }
      }
    }
  }
  if (mask & kTreeCodes) m_root.RebuildKind(CProjectTreeNode::kCodesGroup, true, false);
  bool outdated = false;
  if (mask & kTreeTestees) {
    bool found = false;
    cache->SearchTestees(filter, &found);
    outdated = cache->FindOutdatedScores();
    m_root.RebuildKind(CProjectTreeNode::kTesteesGroup, true, false);
    if (outdated) mask |= kTreeScores;
  }
  if (mask & kTreeModels) m_root.RebuildKind(CProjectTreeNode::kModelsGroup, true, false);
  if (mask & kTreeScores) {
    cache->CountScores();
    m_root.RebuildKind(CProjectTreeNode::kScoresGroup, true, false);
  }
  return outdated;
}

bool CProjectTree::RefreshLabels(uint32_t mask) {
  if (!IsOpen()) return false;
  CProjectData* cache = m_context.cache;
  const bool marked = cache->AnySelectedTesteeOutdated();
  cache->FindOutdatedScores();
  auto relabel = [this](int kind) {
    if (CProjectTreeNode* node = m_root.FindKind(kind)) node->UpdateLabels();
  };
  if ((mask & (kTreeTestees | kTreeScores)) || marked) {
    relabel(CProjectTreeNode::kTesteesGroup);
    relabel(CProjectTreeNode::kScoresGroup);
  }
  if (mask & kTreeUsers) relabel(CProjectTreeNode::kUsersGroup);
  if (mask & kTreeCodes) relabel(CProjectTreeNode::kCodesGroup);
  if (mask & kTreeModels) relabel(CProjectTreeNode::kModelsGroup);
  return marked;
}

void CProjectTree::OnExpanding(void* item, bool expand) {
  CProjectTreeNode* node = m_root.FindByItem(item, false);
  if (!node) return;
  node->m_expanded = expand;
  if (expand) node->EnsureBuilt();
  if (expand && node->m_insertedChildren < node->GetChildCount()) node->InsertChildren(false);
}

CProjectTreeNode* CProjectTree::OpenChild(CProjectTreeNode* node, const std::string& name, bool leafOnly) {
  if (!node) return nullptr;
  node->EnsureBuilt();
  node->InsertChildren(false);
  return node->FindChildByName(name, leafOnly);
}

bool CProjectTree::Select(CProjectTreeNode* node) {
  if (!node || !node->m_item || !m_context.items) return false;
  m_context.items->SelectItem(node->m_item);
  return true;
}

bool CProjectTree::SelectTestee(const std::string& testee) {
  CProjectTreeNode* group = m_root.FindKind(CProjectTreeNode::kTesteesGroup);
  return Select(OpenChild(group, testee, true));
}

bool CProjectTree::SelectModel(const std::string& model) {
  CProjectTreeNode* group = m_root.FindKind(CProjectTreeNode::kModelsGroup);
  return Select(OpenChild(group, model, false));
}

bool CProjectTree::SelectTask(const std::string& model, const std::string& task) {
  CProjectTreeNode* group = m_root.FindKind(CProjectTreeNode::kModelsGroup);
  return Select(OpenChild(OpenChild(group, model, false), task, true));
}

bool CProjectTree::SelectScoreSet(const std::string& testee, const std::string& model, const std::string& task,
                                  uint32_t number) {
  CProjectTreeNode* node = m_root.FindKind(CProjectTreeNode::kScoresGroup);
  node = OpenChild(node, testee, false);
  node = OpenChild(node, model, false);
  node = OpenChild(node, task, false);
  return Select(OpenChild(node, std::to_string(number), true));
}

}  // namespace qel
