// The project tree without its window: one node per tree item over the
// project cache (users in 21 CFR mode, testee codes, testees, models with
// their tasks, and the stored scores arranged testee, model, task, score
// set). Nodes build their children from the cache, compute their labels
// (counts, dates, users, warnings) and put their items into the tree
// control through IProjectTreeItems, lazily: a branch's children get items
// when it is expanded. The window (ui/ui/LeftView.h) only forwards events.
//
// Threads: the user-interface thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qel {

class CProjectData;
struct CTesteeFilter;

// The tree control as the nodes use it; an item is an opaque handle, null
// for none (the control's invisible root when given as a parent).
class IProjectTreeItems {
 public:
  virtual ~IProjectTreeItems() = default;
  // A new item under parent, after its last child (first: before its
  // first), with its text, image and children indicator.
  virtual void* InsertItem(void* parent, bool first, const std::string& text, int image, bool hasChildren) = 0;
  virtual void SetItem(void* item, const std::string& text, int image, bool hasChildren) = 0;
  // Deletes the item with everything below it.
  virtual void DeleteItem(void* item) = 0;
  // Deletes every item below the item.
  virtual void DeleteChildren(void* item) = 0;
  virtual void DeleteAllItems() = 0;
  virtual void Expand(void* item, bool expand) = 0;
  virtual bool IsExpanded(void* item) const = 0;
  virtual void SelectItem(void* item) = 0;
};

// What every node of one tree shares.
struct CProjectTreeContext {
  CProjectData* cache = nullptr;  // null: no open project
  bool cfrMode = false;                 // the program runs in 21 CFR mode (the users group exists)
  IProjectTreeItems* items = nullptr;   // null: nodes make no items
  // The open project is in the CFR format (labels name users and dates).
  bool CfrProject() const;
};

class CProjectTreeNode {
 public:
  enum Kind : int {
    kNone = 0,
    kRoot = 1,
    kUsersGroup = 2,
    kUser = 3,
    kCodesGroup = 4,
    kCode = 5,
    kTesteesGroup = 6,
    kTestee = 7,
    kModelsGroup = 9,
    kModel = 10,
    kTask = 11,
    kScoresGroup = 12,
    kScoreSet = 13,
  };

  CProjectTreeNode() = default;
  ~CProjectTreeNode();
  CProjectTreeNode(const CProjectTreeNode&) = delete;
  CProjectTreeNode& operator=(const CProjectTreeNode&) = delete;

  // Sets the fields; clears item, data, flags, parent, counts and children.
  void Init(const CProjectTreeContext* context, int kind, const char* name, const char* label);
  CProjectTreeNode* AddChild(int kind, const std::string& name, const std::string& label, uint32_t data);
  CProjectTreeNode* FindOrAddChild(int kind, const std::string& name);
  // Creates the children of a kind (testee and model: positions in the
  // cache, -1 for none); the number of nodes created.
  int Build(int kind, int testeeIndex = -1, int modelIndex = -1);
  // Recomputes labels and flags of this subtree and rewrites the items.
  int UpdateLabels(const char* testee = nullptr, const char* model = nullptr, const char* task = nullptr);
  bool InsertItem();
  void ShowItem();
  int InsertChildren(bool recursive);
  void Expand(bool expand);
  bool IsExpanded() const;
  void SetCountLabel(bool onlyWhenAny);
  // Destroys the children (and their items); with deleteItem its own item too.
  void Clear(bool deleteItem);
  void Rebuild(bool insertItems, bool recursive);
  void RebuildKind(int kind, bool insertItems, bool recursive);

  // Look-ups (names compare ignoring case; empty names never match; with
  // leafOnly a node with children matches nothing: by name it ends the search).
  CProjectTreeNode* FindKind(int kind);
  CProjectTreeNode* GetChild(int i) const;
  CProjectTreeNode* FindByItem(void* item, bool leafOnly);
  CProjectTreeNode* FindByName(const std::string& name, bool leafOnly);
  CProjectTreeNode* FindChildByName(const std::string& name, bool leafOnly) const;
  CProjectTreeNode* GetParent() const { return m_parent; }

  // What an item stands for.
  struct ItemInfo {
    std::string user, testee, model, task;
    uint32_t number = 0;
  };
  // The kind of the item's node (0 when none) and its names.
  int GetItemInfo(void* item, bool leafOnly, ItemInfo* info);

  // The image of the node in the program's icon list.
  int GetImage() const;
  // The item's text: the name, then the label after a blank when there is one.
  std::string GetText() const;

  void* m_item = nullptr;
  uint32_t m_data = 0;
  std::string m_name;
  std::string m_label;
  int m_kind = kNone;
  bool m_scoresBranch = false;
  bool m_expanded = false;
  bool m_warning = false;
  bool m_changed = false;
  // A testee of the score branch builds its models when it is first
  // opened (expanded, or searched through): a project of thousands of
  // testees does not build every score set up front.
  bool m_pendingBuild = false;
  int m_testeeIndex = -1;
  CProjectTreeNode* m_parent = nullptr;
  const CProjectTreeContext* m_context = nullptr;
  int m_insertedChildren = 0;
  std::vector<std::unique_ptr<CProjectTreeNode>> m_children;

  int GetChildCount() const { return static_cast<int>(m_children.size()); }
  // Builds the children a score-branch testee put off; the nodes created.
  int EnsureBuilt();

 private:
  CProjectData* Cache() const { return m_context ? m_context->cache : nullptr; }
  IProjectTreeItems* Items() const { return m_context ? m_context->items : nullptr; }
  // Adds the group of a kind unless one exists in this subtree.
  int AddGroup(int kind);
  void LabelTestee(const char* testee);
  void LabelModel(const char* testee);
  void LabelTask(const char* testee, const char* model);
  void LabelScoreSet(const char* testee, const char* model, const char* task);
  void LabelScoresGroup();
};

// The parts of the tree a refresh rebuilds.
enum ProjectTreeParts : uint32_t {
  kTreeUsers = 0x1,
  kTreeCodes = 0x2,
  kTreeTestees = 0x4,
  kTreeModels = 0x100,
  kTreeScores = 0x10000,
  kTreeAll = kTreeUsers | kTreeCodes | kTreeTestees | kTreeModels | kTreeScores,
};

// The whole tree of one view: the root and the view's filter.
class CProjectTree {
 public:
  // The root's label: the project path, with " (21CFR part11)" for a CFR
  // project; "<<Undefined>>" without one.
  static std::string RootLabel(const std::string& path, bool cfrProject);

  CProjectTreeContext m_context;
  CProjectTreeNode m_root;
  bool m_fullTree = false;

  // Empties the control and builds the root with its groups, expanded.
  void BuildRoot(const std::string& path);
  // Rebuilds the parts of the mask (the testees marked by the filter);
  // whether outdated score sets exist (false unless testees were rebuilt).
  bool Refresh(uint32_t mask, const CTesteeFilter* filter, const std::string& path);
  // Relabels parts without rebuilding; whether a marked testee has an
  // outdated score set.
  bool RefreshLabels(uint32_t mask);
  // The item expanded (or collapsed): remembered, and its children's items made.
  void OnExpanding(void* item, bool expand);
  // Selects the item of a named testee, model, task or score set (codes 20 to 23).
  bool SelectTestee(const std::string& testee);
  bool SelectModel(const std::string& model);
  bool SelectTask(const std::string& model, const std::string& task);
  bool SelectScoreSet(const std::string& testee, const std::string& model, const std::string& task, uint32_t number);

 private:
  // Makes the items of a node's children on the way down; the child named.
  CProjectTreeNode* OpenChild(CProjectTreeNode* node, const std::string& name, bool leafOnly);
  bool Select(CProjectTreeNode* node);
  // Cached project open (has a cache).
  bool IsOpen() const { return m_context.cache != nullptr; }
};

// Whether the operator may act: a user is logged in, or the program does
// not run in 21 CFR mode (where no login exists); and no run is in progress.
bool OperatorMayAct(bool loggedIn, bool cfrMode, bool runInProgress);

}  // namespace qel
