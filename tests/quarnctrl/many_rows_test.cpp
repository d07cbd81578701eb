// Many rows given to a box and taken from it in one call: what each row holds comes back as
// given (a text up to its first zero byte, as AddItem takes it; a check only where the box has
// checks), the front is told once, and bad arguments change nothing.

#include <gtest/gtest.h>

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

}  // namespace
