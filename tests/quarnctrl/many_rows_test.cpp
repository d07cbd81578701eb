// Many rows given to a box and taken from it in one call: what each row holds comes back as
// given (a text up to its first zero byte, as AddItem takes it; a check only where the box has
// checks), the front is told once, and bad arguments change nothing; and how many rows at
// each end are still as they were marked.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "quarn_test_support.h"

namespace {

using quarn::Change;
using quarn_test::HeadlessBox;

std::vector<QuarnItem> Taken(CQuarnListBox* box, int first, int count) {
  std::vector<QuarnItem> items(static_cast<std::size_t>(count));
  items.resize(static_cast<std::size_t>(box->GetItems(first, count, items.data())));
  return items;
}

TEST(ManyRows, AddedAtOnceComeBackAsGivenAndAreToldOnce) {
  const char texts[] = "first\0cut\xE4\xBC\x9A";
  const QuarnItem given[] = {{texts, 5, 1, 7, 0x0000FF},
                             {texts, 9, 0, 8, 0x00FF00},  // "first", up to its zero
                             {texts + 6, 5, 1, 9, 0xFF0000},
                             {nullptr, 3, 0, 10, 0}};
  for (const char* name : {"ToDoItem", "ToDoList"}) {
    HeadlessBox box(name, 2);
    const bool checked = std::string(name) == "ToDoItem";
    EXPECT_EQ(box.box->AddItems(given, 4), 2);
    EXPECT_EQ(box.Told(), (quarn_test::Changes{{Change::Appended, 2, quarn::RowPart::Text, 4}}));
    const std::vector<QuarnItem> rows = Taken(box.box.get(), 2, 10);
    ASSERT_EQ(rows.size(), 4u);
    const char* const expected[] = {"first", "first", "cut\xE4\xBC", ""};
    for (std::size_t row = 0; row < rows.size(); ++row) {
      EXPECT_EQ(std::string(rows[row].text, static_cast<std::size_t>(rows[row].textLength)),
                expected[row]);
      EXPECT_STREQ(rows[row].text, box.box->GetItemText(static_cast<int>(row) + 2));
      EXPECT_EQ(rows[row].check, checked ? given[row].check : 0);
      EXPECT_EQ(rows[row].data, given[row].data);
      EXPECT_EQ(rows[row].colour, given[row].colour);
    }
  }
}

TEST(ManyRows, TextsOfEveryLengthAreKeptWhole) {
  HeadlessBox box("ToDoItem", 0);
  std::vector<std::string> texts;
  std::vector<QuarnItem> given;
  for (int length = 1; length <= 70; ++length) {
    texts.push_back(
        std::string(static_cast<std::size_t>(length), static_cast<char>('a' + length % 26)));
  }
  for (const std::string& text : texts) {
    given.push_back({text.data(), static_cast<int>(text.size()), 0, 0, 0});
  }
  box.box->AddItems(given.data(), static_cast<int>(given.size()));
  for (std::size_t row = 0; row < texts.size(); ++row) {
    EXPECT_EQ(box.box->GetItemText(static_cast<int>(row)), texts[row]);
  }
}

// Rows whose texts lie in one block, as a file's lines do, are copied with the block in one
// piece; texts that do not lie so, and a block with a zero byte, take the way of AddItems.
// Either way each row holds its own text and no more, and keeps it while rows around it are
// deleted and the texts compacted.
TEST(ManyRows, TextsGivenInOneBlockAreEachTheirOwn) {
  std::string block;
  std::vector<std::pair<std::size_t, std::size_t>> lines;  // where each text lies, and its size
  for (int row = 0; row < 3000; ++row) {
    block += "0,2026,1,2,";
    const std::string text =
        row % 7 == 3 ? "" : "the item numbered " + std::to_string(row) + "\x83\x41";
    lines.emplace_back(block.size(), text.size());
    block += text + "\r\n";
  }
  const std::size_t lastFeed = block.size() - 2;
  const struct {
    const char* what;
    std::function<void(std::vector<QuarnItem>&)> change;
    std::size_t blockSize;  // 0: all of it
  } cases[] = {
      {"in order", [](std::vector<QuarnItem>&) {}, 0},
      {"the last ending with the block", [](std::vector<QuarnItem>&) {}, lastFeed},
      {"a zero byte in a text",
       [](std::vector<QuarnItem>& items) { const_cast<char*>(items[5].text)[2] = '\0'; }, 0},
      {"two in the other order",
       [](std::vector<QuarnItem>& items) { std::swap(items[8], items[9]); }, 0},
      {"one beginning where the one before ends",
       [](std::vector<QuarnItem>& items) {
         items[12] = {items[11].text + items[11].textLength, 2, 0, 0, 0};
       },
       0},
      {"one outside the block",
       [](std::vector<QuarnItem>& items) {
         items[10] = {"elsewhere", 9, 0, 0, 0};
       },
       0},
  };
  for (const auto& each : cases) {
    std::string bytes = block;
    std::vector<QuarnItem> items;
    for (const auto& [at, size] : lines) {
      items.push_back({bytes.data() + at, static_cast<int>(size), 0, 0, 0});
    }
    each.change(items);
    std::vector<std::string> expected;
    for (const QuarnItem& item : items) {
      expected.emplace_back(item.text, static_cast<std::size_t>(item.textLength));
      expected.back().resize(std::strlen(expected.back().c_str()));
    }
    HeadlessBox box("ToDoItem", 0);
    const int size = static_cast<int>(each.blockSize == 0 ? bytes.size() : each.blockSize);
    EXPECT_EQ(
        box.box->AddItemsInBlock(items.data(), static_cast<int>(items.size()), bytes.data(), size),
        0);
    bytes.assign(bytes.size(), 'x');  // the box keeps copies
    const auto expectRows = [&](const char* when) {
      const std::vector<QuarnItem> rows = Taken(box.box.get(), 0, box.box->GetCount());
      ASSERT_EQ(rows.size(), expected.size()) << each.what << when;
      for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(std::string(rows[row].text, static_cast<std::size_t>(rows[row].textLength)),
                  expected[row])
            << each.what << when << row;
        EXPECT_EQ(box.box->GetItemText(static_cast<int>(row)), expected[row]) << each.what << when;
      }
    };
    expectRows(", added: ");
    for (int row = static_cast<int>(items.size()); row-- > 0;) {
      if (row % 3 != 0) {
        box.box->DeleteItem(row);
        expected.erase(expected.begin() + row);
      }
    }
    expectRows(", most deleted: ");
  }
}

TEST(ManyRows, BadArgumentsChangeNothing) {
  HeadlessBox box("ToDoItem", 3);
  const QuarnItem one = {"x", 1, 0, 0, 0};
  EXPECT_EQ(box.box->AddItems(nullptr, 1), -1);
  EXPECT_EQ(box.box->AddItems(&one, 0), -1);
  EXPECT_EQ(box.box->GetCount(), 3);
  EXPECT_TRUE(box.Told().empty());
  QuarnItem item;
  EXPECT_EQ(box.box->GetItems(3, 1, &item), 0);
  EXPECT_EQ(box.box->GetItems(-1, 1, &item), 0);
  EXPECT_EQ(box.box->GetItems(0, 1, nullptr), 0);
}

// A save trusts these counts to skip comparing rows with the file: a change they miss is a
// change never written.
TEST(ManyRows, UnchangedRowsAtEachEndEndWhereAnythingChanged) {
  const struct {
    const char* what;
    std::function<void(HeadlessBox&)> change;
    int head;
    int tail;
  } cases[] = {
      {"nothing", [](HeadlessBox&) {}, 10, 10},
      {"selection and colour only",
       [](HeadlessBox& box) {
         box.front->Click(4);
         box.box->SetItemColor(4, 0xFF);
       },
       10, 10},
      {"text edit given up",
       [](HeadlessBox& box) {
         box.Select(3);
         box.front->PressKey(quarn::Key::F2);
         box.EndEdit("x", false);
       },
       10, 10},
      {"tick by the user",
       [](HeadlessBox& box) {
         box.Select(3);
         box.front->PressKey(quarn::Key::Space);
       },
       3, 6},
      {"text edited",
       [](HeadlessBox& box) {
         box.Select(3);
         box.front->PressKey(quarn::Key::F2);
         box.EndEdit("x");
       },
       3, 6},
      {"date picked",
       [](HeadlessBox& box) {
         box.Select(3);
         box.front->Click(3, QUARN_COLUMN_DATE);
         box.front->PickDate(quarn_test::kDay + 1);
         box.front->PressEnter();
       },
       3, 6},
      {"inserted", [](HeadlessBox& box) { quarn_test::PutRow(box.box.get(), "x", 3); }, 3, 7},
      {"deleted", [](HeadlessBox& box) { box.box->DeleteItem(3); }, 3, 6},
      {"last deleted", [](HeadlessBox& box) { box.box->DeleteItem(9); }, 9, 0},
      {"added at the end", [](HeadlessBox& box) { quarn_test::PutRow(box.box.get(), "x"); }, 10, 0},
      {"many added",
       [](HeadlessBox& box) {
         const QuarnItem one = {"x", 1, 0, 0, 0};
         box.box->AddItems(&one, 1);
       },
       10, 0},
      {"emptied and filled again",
       [](HeadlessBox& box) {
         box.box->ResetContent();
         for (int row = 0; row < 10; ++row) quarn_test::PutRow(box.box.get(), "a");
       },
       0, 0},
      {"changed at both ends",
       [](HeadlessBox& box) {
         box.box->DeleteItem(0);
         quarn_test::PutRow(box.box.get(), "x");
       },
       0, 0},
  };
  for (const auto& each : cases) {
    HeadlessBox box("ToDoItem", 10);
    int head = -1;
    int tail = -1;
    box.box->GetUnchangedRows(&head, &tail);
    EXPECT_EQ(head + tail, 0) << "before any mark";
    box.box->MarkRowsUnchanged();
    each.change(box);
    box.box->GetUnchangedRows(&head, &tail);
    EXPECT_EQ(head, each.head) << each.what;
    EXPECT_EQ(tail, each.tail) << each.what;
  }
}

}  // namespace
