// Each kind of step of the history, taken back and done again. Steps whose two directions
// mirror each other (a rename, a move, an edit, a replacement) go either way through one
// function.

#include <utility>

#include "dialog/undo_step.h"

namespace todo {

namespace {

std::size_t BytesOf(const std::vector<std::pair<int, ItemRow>>& items) {
  std::size_t bytes = 0;
  for (const auto& item : items) bytes += sizeof(item) + item.second.text.size();
  return bytes;
}

std::size_t BytesOf(const std::vector<ItemRow>& rows) {
  std::size_t bytes = 0;
  for (const ItemRow& row : rows) bytes += sizeof(row) + row.text.size();
  return bytes;
}

std::size_t BytesOf(const std::vector<RemovedList>& lists) {
  std::size_t bytes = 0;
  for (const RemovedList& list : lists)
    bytes += sizeof(list) + list.name.size() + list.bytes.size();
  return bytes;
}

// Whether the item box holds each of `rows` at its row.
bool HoldsItems(const ItemSide& items, const std::vector<std::pair<int, ItemRow>>& rows) {
  for (const auto& row : rows) {
    if (row.first >= items.Count() || items.RowAt(row.first) != row.second) return false;
  }
  return true;
}

class ListAddedStep : public UndoStep {
 public:
  ListAddedStep(RemovedList added, std::string selectedBefore, int itemBefore, int itemAfter)
      : m_added{std::move(added)},
        m_selectedBefore(std::move(selectedBefore)),
        m_itemBefore(itemBefore),
        m_itemAfter(itemAfter) {}

  bool TakeBack(UndoContext& c) override {
    RemovedList& added = m_added.front();
    if (added.row >= c.Names().Count() || added.name != c.Names().NameOf(added.row)) return false;
    // What its file holds now comes back with it when it is done again.
    added = c.TakeList(added.row);
    c.SwitchToList(m_selectedBefore);  // nothing is selected: nothing to save
    c.Items().Select(m_itemBefore);
    return true;
  }
  bool DoAgain(UndoContext& c) override {
    if (!c.SwitchToList(std::string()) || !c.PutBackLists(m_added)) return false;
    c.SwitchToList(m_added.front().name);
    c.Items().Select(m_itemAfter);
    return true;
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + BytesOf(m_added) + m_selectedBefore.size();
  }

 private:
  std::vector<RemovedList> m_added;  // one
  std::string m_selectedBefore;
  int m_itemBefore;
  int m_itemAfter;
};

class ListsRemovedStep : public UndoStep {
 public:
  ListsRemovedStep(std::vector<RemovedList> lists, std::string selectedBefore, int itemBefore)
      : m_lists(std::move(lists)),
        m_selectedBefore(std::move(selectedBefore)),
        m_itemBefore(itemBefore) {}

  bool TakeBack(UndoContext& c) override {
    if (!c.SwitchToList(std::string()) || !c.PutBackLists(m_lists)) return false;
    c.SwitchToList(m_selectedBefore);
    c.Items().Select(m_itemBefore);
    return true;
  }
  bool DoAgain(UndoContext& c) override {
    for (const RemovedList& list : m_lists) {
      if (list.row >= c.Names().Count() || list.name != c.Names().NameOf(list.row)) return false;
    }
    // From the last up, so that each keeps its row; what the files hold now is kept.
    for (std::size_t index = m_lists.size(); index-- > 0;) {
      m_lists[index] = c.TakeList(m_lists[index].row);
    }
    c.SwitchToList(std::string());  // as the delete leaves it: no list selected
    c.Items().Select(-1);
    return true;
  }
  std::size_t Bytes() const override {
    return sizeof(*this) + BytesOf(m_lists) + m_selectedBefore.size();
  }

 private:
  std::vector<RemovedList> m_lists;
  std::string m_selectedBefore;
  int m_itemBefore;
};

class ListRenamedStep : public UndoStep {
 public:
  ListRenamedStep(int row, std::string oldName, std::string newName, int item)
      : m_row(row), m_oldName(std::move(oldName)), m_newName(std::move(newName)), m_item(item) {}

  bool TakeBack(UndoContext& c) override { return Rename(c, m_newName, m_oldName); }
  bool DoAgain(UndoContext& c) override { return Rename(c, m_oldName, m_newName); }
  std::size_t Bytes() const override { return sizeof(*this) + m_oldName.size() + m_newName.size(); }

 private:
  // A rename is of the selected list: it is selected again first.
  bool Rename(UndoContext& c, const std::string& from, const std::string& to) {
    if (m_row >= c.Names().Count() || from != c.Names().NameOf(m_row) || !c.SwitchToList(from) ||
        !c.MoveListFile(from, to)) {
      return false;
    }
    c.Names().SetName(m_row, to);
    c.Items().Select(m_item);
    return true;
  }

  int m_row;
  std::string m_oldName;
  std::string m_newName;
  int m_item;
};

class ListMovedStep : public UndoStep {
 public:
  ListMovedStep(int from, int to, int item) : m_from(from), m_to(to), m_item(item) {}

  bool TakeBack(UndoContext& c) override { return Move(c, m_to, m_from); }
  bool DoAgain(UndoContext& c) override { return Move(c, m_from, m_to); }
  std::size_t Bytes() const override { return sizeof(*this); }

 private:
  bool Move(UndoContext& c, int from, int to) {
    if (from >= c.Names().Count() || !c.SwitchToList(c.Names().NameOf(from))) return false;
    c.Names().MoveSelected(to - from);
    c.Items().Select(m_item);
    return true;
  }

  int m_from;
  int m_to;
  int m_item;
};

class ItemsAddedOrRemovedStep : public UndoStep {
 public:
  // `added`: the step is of items added (taking it back removes them), else of items removed.
  ItemsAddedOrRemovedStep(bool added, std::string list, std::vector<std::pair<int, ItemRow>> items,
                          int itemBefore, int itemAfter)
      : m_added(added),
        m_list(std::move(list)),
        m_items(std::move(items)),
        m_itemBefore(itemBefore),
        m_itemAfter(itemAfter) {}

  bool TakeBack(UndoContext& c) override {
    return m_added ? Remove(c, m_itemBefore) : PutBack(c, m_itemBefore);
  }
  bool DoAgain(UndoContext& c) override {
    return m_added ? PutBack(c, m_itemAfter) : Remove(c, m_itemAfter);
  }
  std::size_t Bytes() const override { return sizeof(*this) + m_list.size() + BytesOf(m_items); }

 private:
  bool PutBack(UndoContext& c, int selected) {
    if (!c.SwitchToList(m_list)) return false;
    for (const auto& item : m_items) c.Items().Insert(item.first, item.second, c.Today());
    c.Items().Select(selected);
    return true;
  }
  bool Remove(UndoContext& c, int selected) {
    if (!c.SwitchToList(m_list) || !HoldsItems(c.Items(), m_items)) return false;
    for (std::size_t index = m_items.size(); index-- > 0;) c.Items().Remove(m_items[index].first);
    c.Items().Select(selected);
    return true;
  }

  bool m_added;
  std::string m_list;
  std::vector<std::pair<int, ItemRow>> m_items;
  int m_itemBefore;
  int m_itemAfter;
};

class ItemEditedStep : public UndoStep {
 public:
  ItemEditedStep(std::string list, int row, ItemRow before, ItemRow after)
      : m_list(std::move(list)),
        m_row(row),
        m_before(std::move(before)),
        m_after(std::move(after)) {}

  bool TakeBack(UndoContext& c) override { return Set(c, m_after, m_before); }
  bool DoAgain(UndoContext& c) override { return Set(c, m_before, m_after); }
  std::size_t Bytes() const override {
    return sizeof(*this) + m_list.size() + m_before.text.size() + m_after.text.size();
  }

 private:
  bool Set(UndoContext& c, const ItemRow& from, const ItemRow& to) {
    if (!c.SwitchToList(m_list) || !HoldsItems(c.Items(), {{m_row, from}})) return false;
    c.Items().SetRow(m_row, to, c.Today());
    c.Items().Select(m_row);
    return true;
  }

  std::string m_list;
  int m_row;
  ItemRow m_before;
  ItemRow m_after;
};

class ItemMovedStep : public UndoStep {
 public:
  ItemMovedStep(std::string list, int from, int to)
      : m_list(std::move(list)), m_from(from), m_to(to) {}

  bool TakeBack(UndoContext& c) override { return Move(c, m_to, m_from); }
  bool DoAgain(UndoContext& c) override { return Move(c, m_from, m_to); }
  std::size_t Bytes() const override { return sizeof(*this) + m_list.size(); }

 private:
  bool Move(UndoContext& c, int from, int to) {
    if (!c.SwitchToList(m_list) || from >= c.Items().Count()) return false;
    c.Items().Select(from);
    c.Items().MoveSelected(to - from, c.Today());
    return true;
  }

  std::string m_list;
  int m_from;
  int m_to;
};

class ItemsReplacedStep : public UndoStep {
 public:
  ItemsReplacedStep(std::string list, std::vector<ItemRow> before, std::vector<ItemRow> after,
                    int itemBefore, int itemAfter)
      : m_list(std::move(list)),
        m_before(std::move(before)),
        m_after(std::move(after)),
        m_itemBefore(itemBefore),
        m_itemAfter(itemAfter) {}

  bool TakeBack(UndoContext& c) override { return Replace(c, m_after, m_before, m_itemBefore); }
  bool DoAgain(UndoContext& c) override { return Replace(c, m_before, m_after, m_itemAfter); }
  std::size_t Bytes() const override {
    return sizeof(*this) + m_list.size() + BytesOf(m_before) + BytesOf(m_after);
  }

 private:
  bool Replace(UndoContext& c, const std::vector<ItemRow>& from, const std::vector<ItemRow>& to,
               int selected) {
    if (!c.SwitchToList(m_list) || c.Items().Rows() != from) return false;
    c.Items().SetRows(to, c.Today());
    c.Items().Select(selected);
    return true;
  }

  std::string m_list;
  std::vector<ItemRow> m_before;
  std::vector<ItemRow> m_after;
  int m_itemBefore;
  int m_itemAfter;
};

}  // namespace

std::unique_ptr<UndoStep> ListAdded(RemovedList added, std::string selectedBefore,
                                    int itemSelectedBefore, int itemSelectedAfter) {
  return std::make_unique<ListAddedStep>(std::move(added), std::move(selectedBefore),
                                         itemSelectedBefore, itemSelectedAfter);
}

std::unique_ptr<UndoStep> ListsRemoved(std::vector<RemovedList> lists, std::string selectedBefore,
                                       int itemSelectedBefore) {
  return std::make_unique<ListsRemovedStep>(std::move(lists), std::move(selectedBefore),
                                            itemSelectedBefore);
}

std::unique_ptr<UndoStep> ListRenamed(int row, std::string oldName, std::string newName,
                                      int itemSelected) {
  return std::make_unique<ListRenamedStep>(row, std::move(oldName), std::move(newName),
                                           itemSelected);
}

std::unique_ptr<UndoStep> ListMoved(int from, int to, int itemSelected) {
  return std::make_unique<ListMovedStep>(from, to, itemSelected);
}

std::unique_ptr<UndoStep> ItemAdded(std::string list, int row, ItemRow item, int itemSelectedBefore,
                                    int itemSelectedAfter) {
  std::vector<std::pair<int, ItemRow>> items;
  items.emplace_back(row, std::move(item));
  return std::make_unique<ItemsAddedOrRemovedStep>(true, std::move(list), std::move(items),
                                                   itemSelectedBefore, itemSelectedAfter);
}

std::unique_ptr<UndoStep> ItemsRemoved(std::string list, std::vector<std::pair<int, ItemRow>> items,
                                       int itemSelectedBefore, int itemSelectedAfter) {
  return std::make_unique<ItemsAddedOrRemovedStep>(false, std::move(list), std::move(items),
                                                   itemSelectedBefore, itemSelectedAfter);
}

std::unique_ptr<UndoStep> ItemEdited(std::string list, int row, ItemRow before, ItemRow after) {
  return std::make_unique<ItemEditedStep>(std::move(list), row, std::move(before),
                                          std::move(after));
}

std::unique_ptr<UndoStep> ItemMoved(std::string list, int from, int to) {
  return std::make_unique<ItemMovedStep>(std::move(list), from, to);
}

std::unique_ptr<UndoStep> ItemsReplaced(std::string list, std::vector<ItemRow> before,
                                        std::vector<ItemRow> after, int itemSelectedBefore,
                                        int itemSelectedAfter) {
  return std::make_unique<ItemsReplacedStep>(std::move(list), std::move(before), std::move(after),
                                             itemSelectedBefore, itemSelectedAfter);
}

}  // namespace todo
