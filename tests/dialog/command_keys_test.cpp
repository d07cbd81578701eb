// The commands' keys: which key gives which command where, and the commands run by them.

#include <gtest/gtest.h>

#include <string>

#include "dialog/command_keys.h"
#include "dialog_fixture.h"
#include "support/tool_facts.h"

namespace {

using todo::Command;
using todo::FocusPlace;
using todo::KeyPress;

KeyPress Alt(char key) {
  KeyPress press;
  press.key = static_cast<unsigned char>(key);
  press.alt = true;
  return press;
}

KeyPress Plain(unsigned key) {
  KeyPress press;
  press.key = key;
  return press;
}

// A command key that took a key the window already uses would break typing, the edit keys or
// the dialog's own keys: only keys that do nothing today may give a command.
TEST(CommandKeys, EachCommandHasItsKeyAndNoKeyInUseGivesOne) {
  const FocusPlace everywhere[] = {FocusPlace::TextBox, FocusPlace::ListNameBox,
                                   FocusPlace::ItemBox, FocusPlace::Other};
  const struct {
    char key;
    Command command;
  } altKeys[] = {{'A', Command::Add},
                 {'B', Command::AddAtBottom},
                 {'U', Command::MoveUp},
                 {'D', Command::MoveDown},
                 {'C', Command::Clear}};
  for (FocusPlace focus : everywhere) {
    for (const auto& alt : altKeys) {
      EXPECT_EQ(todo::CommandOfKey(Alt(alt.key), focus), alt.command) << alt.key;
    }
  }
  EXPECT_EQ(todo::CommandOfKey(Plain(todo::kDeleteKey), FocusPlace::ListNameBox), Command::Delete);
  EXPECT_EQ(todo::CommandOfKey(Plain(todo::kDeleteKey), FocusPlace::ItemBox), Command::Delete);

  // Delete inside a text deletes a character; letters are typed; Ctrl+letters edit.
  EXPECT_EQ(todo::CommandOfKey(Plain(todo::kDeleteKey), FocusPlace::TextBox), Command::None);
  EXPECT_EQ(todo::CommandOfKey(Plain(todo::kDeleteKey), FocusPlace::Other), Command::None);
  KeyPress shiftDelete = Plain(todo::kDeleteKey);
  shiftDelete.shift = true;  // cut, in a text
  EXPECT_EQ(todo::CommandOfKey(shiftDelete, FocusPlace::ListNameBox), Command::None);
  for (char letter : {'A', 'B', 'C', 'D', 'U', 'V', 'X', 'Y', 'Z'}) {
    KeyPress typed = Plain(static_cast<unsigned char>(letter));
    EXPECT_EQ(todo::CommandOfKey(typed, FocusPlace::TextBox), Command::None) << letter;
    typed.control = true;
    EXPECT_EQ(todo::CommandOfKey(typed, FocusPlace::TextBox), Command::None) << letter;
    if (letter != 'Y' && letter != 'Z') {
      EXPECT_EQ(todo::CommandOfKey(typed, FocusPlace::ItemBox), Command::None) << letter;
    }
  }
  // Ctrl+Alt is AltGr on some keyboards, which types characters; Alt+Shift switches the input
  // language on others.
  KeyPress altGr = Alt('A');
  altGr.control = true;
  EXPECT_EQ(todo::CommandOfKey(altGr, FocusPlace::TextBox), Command::None);
  KeyPress altShift = Alt('A');
  altShift.shift = true;
  EXPECT_EQ(todo::CommandOfKey(altShift, FocusPlace::TextBox), Command::None);
  EXPECT_EQ(todo::CommandOfKey(Alt('E'), FocusPlace::TextBox), Command::None);
}

// Ctrl+Z and Ctrl+Y undo and redo the window's steps, but never the text box's typing, which
// the text box undoes itself.
TEST(CommandKeys, UndoAndRedoKeysActOutsideTheTextBoxAndTheEditors) {
  KeyPress undo = Plain('Z');
  undo.control = true;
  KeyPress redo = Plain('Y');
  redo.control = true;
  KeyPress shiftRedo = undo;
  shiftRedo.shift = true;
  for (FocusPlace focus : {FocusPlace::ListNameBox, FocusPlace::ItemBox, FocusPlace::Other}) {
    EXPECT_EQ(todo::CommandOfKey(undo, focus), Command::Undo);
    EXPECT_EQ(todo::CommandOfKey(redo, focus), Command::Redo);
    EXPECT_EQ(todo::CommandOfKey(shiftRedo, focus), Command::Redo);
  }
  for (FocusPlace focus : {FocusPlace::TextBox, FocusPlace::InPlaceEditor}) {
    for (const KeyPress& press : {undo, redo, shiftRedo}) {
      EXPECT_EQ(todo::CommandOfKey(press, focus), Command::None);
    }
  }
  KeyPress altGrZ = undo;
  altGrZ.alt = true;
  EXPECT_EQ(todo::CommandOfKey(altGrZ, FocusPlace::ItemBox), Command::None);
}

// An in-place editor keeps every key for the text it edits.
TEST(CommandKeys, NoKeyGivesACommandInAnInPlaceEditor) {
  for (char key : {'A', 'B', 'C', 'D', 'U'}) {
    EXPECT_EQ(todo::CommandOfKey(Alt(key), FocusPlace::InPlaceEditor), Command::None) << key;
  }
  EXPECT_EQ(todo::CommandOfKey(Plain(todo::kDeleteKey), FocusPlace::InPlaceEditor), Command::None);
}

class KeyCommands : public todo_test::DialogTest {};

// A key leaves the focus in the text box, so the length check a click would run first must run
// here: an add that cut the text adds nothing the user has not seen.
TEST_F(KeyCommands, AnAddFromTheTextBoxRunsItsLengthCheckFirst) {
  window.text = "list";
  dialog.OnCommandKey(Command::Add, FocusPlace::TextBox);
  ASSERT_EQ(ListNames(), "list;");
  window.CheckMode(false);
  dialog.OnItemModeClicked();
  window.text = std::string(254, 'x');
  dialog.OnCommandKey(Command::Add, FocusPlace::TextBox);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, todo_test::tool::kTextTooLong);
  EXPECT_EQ(items()->GetCount(), 0) << "nothing added with the cut";
  EXPECT_EQ(window.text, std::string(253, 'x'));
  dialog.OnCommandKey(Command::AddAtBottom, FocusPlace::TextBox);  // now it fits
  EXPECT_EQ(ItemTexts(), std::string(253, 'x') + ";");
  EXPECT_EQ(window.messages.size(), 1u);
  // From elsewhere the check is the text box's own, when it loses the focus.
  window.text = std::string(254, 'y');
  dialog.OnCommandKey(Command::Add, FocusPlace::Other);
  EXPECT_EQ(items()->GetCount(), 2);
  EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(KeyCommands, EachKeyRunsItsButtonsCommand) {
  for (const char* name : {"b", "a"}) {
    window.text = name;
    dialog.OnCommandKey(Command::Add, FocusPlace::TextBox);
  }
  window.text = "c";
  dialog.OnCommandKey(Command::AddAtBottom, FocusPlace::Other);
  EXPECT_EQ(ListNames(), "a;b;c;");
  EXPECT_EQ(names()->GetCurSel(), 2);
  dialog.OnCommandKey(Command::MoveUp, FocusPlace::ListNameBox);
  EXPECT_EQ(ListNames(), "a;c;b;");
  dialog.OnCommandKey(Command::MoveDown, FocusPlace::ListNameBox);
  EXPECT_EQ(ListNames(), "a;b;c;");
  window.answers = {todo::MessageAnswer::Yes};
  dialog.OnCommandKey(Command::Delete, FocusPlace::ListNameBox);
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_FALSE(Exists(ListFile("c")));
  window.answers = {todo::MessageAnswer::No};
  dialog.OnCommandKey(Command::Clear, FocusPlace::Other);
  EXPECT_EQ(ListNames(), "a;b;") << "a No keeps the lists";
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].icon, todo::MessageIcon::Exclamation);
}

}  // namespace
