// A tree control for the project tree's nodes that keeps its items in
// memory: text, image, children indicator, expansion and selection.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/ProjectTree.h"

namespace qel {

namespace test {

class FakeTreeItems final : public IProjectTreeItems {
 public:
  struct Item {
    void* parent = nullptr;
    std::string text;
    int image = -1;
    bool hasChildren = false;
    bool expanded = false;
    std::vector<void*> children;
  };

  void* InsertItem(void* parent, bool first, const std::string& text, int image, bool hasChildren) override {
    void* item = reinterpret_cast<void*>(++m_next);
    m_items[item].parent = parent;
    SetItem(item, text, image, hasChildren);
    auto& siblings = parent ? m_items[parent].children : m_top;
    if (first)
      siblings.insert(siblings.begin(), item);
    else
      siblings.push_back(item);
    return item;
  }
  void SetItem(void* item, const std::string& text, int image, bool hasChildren) override {
    Item& i = m_items[item];
    i.text = text;
    i.image = image;
    i.hasChildren = hasChildren;
  }
  void DeleteItem(void* item) override {
    auto found = m_items.find(item);
    if (found == m_items.end()) return;
    for (void* child : std::vector<void*>(found->second.children)) DeleteItem(child);
    auto& siblings = found->second.parent ? m_items[found->second.parent].children : m_top;
    std::erase(siblings, item);
    m_items.erase(item);
    if (m_selected == item) m_selected = nullptr;
  }
  void DeleteChildren(void* item) override {
    if (!m_items.count(item)) return;
    for (void* child : std::vector<void*>(m_items[item].children)) DeleteItem(child);
  }
  void DeleteAllItems() override {
    m_items.clear();
    m_top.clear();
    m_selected = nullptr;
  }
  void Expand(void* item, bool expand) override {
    if (m_items.count(item)) m_items[item].expanded = expand;
  }
  bool IsExpanded(void* item) const override {
    auto found = m_items.find(item);
    return found != m_items.end() && found->second.expanded;
  }
  void SelectItem(void* item) override { m_selected = item; }

  // The texts of an item's children (of the top items for null).
  std::vector<std::string> ChildTexts(void* parent) const {
    std::vector<std::string> texts;
    const std::vector<void*>& children = parent ? m_items.at(parent).children : m_top;
    for (void* child : children) texts.push_back(m_items.at(child).text);
    return texts;
  }
  const Item& At(void* item) const { return m_items.at(item); }
  size_t Count() const { return m_items.size(); }
  void* Selected() const { return m_selected; }
  std::string SelectedText() const { return m_selected ? m_items.at(m_selected).text : std::string(); }

 private:
  std::map<void*, Item> m_items;
  std::vector<void*> m_top;
  void* m_selected = nullptr;
  uintptr_t m_next = 0;
};

}  // namespace test

}  // namespace qel
