// The commands' keys: which key gives which command where, and the commands run by them.

#include "dialog/command_keys.h"
#include "dialog_fixture.h"

namespace todo_test {
namespace {

using todo::Command;
using todo::FocusPlace;
using todo::KeyPress;

// A key with the modifiers named in `held`: 'a' Alt, 'c' Ctrl, 's' Shift.
KeyPress Key(unsigned key, const std::string& held = "") {
  KeyPress press;
  press.key = key;
  press.alt = held.find('a') != std::string::npos;
  press.control = held.find('c') != std::string::npos;
  press.shift = held.find('s') != std::string::npos;
  return press;
}

// A command key that took a key the window already uses would break typing, the edit keys or
// the dialog's own keys: only keys that do nothing today may give a command. Ctrl+Z and Ctrl+Y
// undo and redo the window's steps, never the typing of the text box or an in-place editor,
// which keeps every key for the text it edits.
TEST(CommandKeys, EachCommandHasItsKeyAndNoKeyInUseGivesOne) {
  const std::vector<FocusPlace> all = {FocusPlace::TextBox, FocusPlace::ListNameBox,
                                       FocusPlace::ItemBox, FocusPlace::Other};
  const std::vector<FocusPlace> boxes = {FocusPlace::ListNameBox, FocusPlace::ItemBox};
  const std::vector<FocusPlace> outsideTexts = {FocusPlace::ListNameBox, FocusPlace::ItemBox,
                                                FocusPlace::Other};
  const std::vector<FocusPlace> texts = {FocusPlace::TextBox, FocusPlace::InPlaceEditor};
  const std::vector<FocusPlace> editor = {FocusPlace::InPlaceEditor};
  struct Case {
    const char* what;
    KeyPress press;
    std::vector<FocusPlace> where;
    Command command;
  };
  const Case cases[] = {
      {"Alt+A", Key('A', "a"), all, Command::Add},
      {"Alt+B", Key('B', "a"), all, Command::AddAtBottom},
      {"Alt+U", Key('U', "a"), all, Command::MoveUp},
      {"Alt+D", Key('D', "a"), all, Command::MoveDown},
      {"Alt+C", Key('C', "a"), all, Command::Clear},
      {"Delete", Key(todo::kDeleteKey), boxes, Command::Delete},
      {"Ctrl+Z", Key('Z', "c"), outsideTexts, Command::Undo},
      {"Ctrl+Y", Key('Y', "c"), outsideTexts, Command::Redo},
      {"Shift+Ctrl+Z", Key('Z', "cs"), outsideTexts, Command::Redo},
      // Delete inside a text deletes a character; Shift+Delete cuts.
      {"Delete",
       Key(todo::kDeleteKey),
       {FocusPlace::TextBox, FocusPlace::Other, FocusPlace::InPlaceEditor},
       Command::None},
      {"Shift+Delete", Key(todo::kDeleteKey, "s"), {FocusPlace::ListNameBox}, Command::None},
      {"Ctrl+Z", Key('Z', "c"), texts, Command::None},
      {"Ctrl+Y", Key('Y', "c"), texts, Command::None},
      {"Shift+Ctrl+Z", Key('Z', "cs"), texts, Command::None},
      // Ctrl+Alt is AltGr on some keyboards, which types characters; Alt+Shift switches the
      // input language on others.
      {"Ctrl+Alt+A", Key('A', "ac"), {FocusPlace::TextBox}, Command::None},
      {"Ctrl+Alt+Z", Key('Z', "ac"), {FocusPlace::ItemBox}, Command::None},
      {"Alt+Shift+A", Key('A', "as"), {FocusPlace::TextBox}, Command::None},
      {"Alt+E", Key('E', "a"), {FocusPlace::TextBox}, Command::None},
  };
  for (const Case& c : cases) {
    for (FocusPlace focus : c.where) {
      EXPECT_EQ(todo::CommandOfKey(c.press, focus), c.command)
          << c.what << " in place " << static_cast<int>(focus);
    }
  }
  // Letters are typed and Ctrl+letters edit; in an editor no Alt key gives a command.
  for (char letter : {'A', 'B', 'C', 'D', 'U', 'V', 'X', 'Y', 'Z'}) {
    EXPECT_EQ(todo::CommandOfKey(Key(letter), FocusPlace::TextBox), Command::None) << letter;
    EXPECT_EQ(todo::CommandOfKey(Key(letter, "c"), FocusPlace::TextBox), Command::None) << letter;
    if (letter != 'Y' && letter != 'Z') {
      EXPECT_EQ(todo::CommandOfKey(Key(letter, "c"), FocusPlace::ItemBox), Command::None) << letter;
    }
    if (letter <= 'D' || letter == 'U') {
      EXPECT_EQ(todo::CommandOfKey(Key(letter, "a"), FocusPlace::InPlaceEditor), Command::None)
          << letter;
    }
  }
}

class KeyCommands : public DialogTest {};

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
  EXPECT_EQ(TakeTexts(), Texts{kTextTooLong});
  EXPECT_EQ(items()->GetCount(), 0) << "nothing added with the cut";
  EXPECT_EQ(window.text, std::string(253, 'x'));
  dialog.OnCommandKey(Command::AddAtBottom, FocusPlace::TextBox);  // now it fits
  EXPECT_EQ(ItemTexts(), std::string(253, 'x') + ";");
  // From elsewhere the check is the text box's own, when it loses the focus.
  window.text = std::string(254, 'y');
  dialog.OnCommandKey(Command::Add, FocusPlace::Other);
  EXPECT_EQ(items()->GetCount(), 2);
  EXPECT_EQ(TakeTexts(), Texts{});
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
  window.answers = {MessageAnswer::Yes};
  dialog.OnCommandKey(Command::Delete, FocusPlace::ListNameBox);
  EXPECT_EQ(ListNames(), "a;b;");
  EXPECT_FALSE(Exists(ListFile("c")));
  window.answers = {MessageAnswer::No};
  dialog.OnCommandKey(Command::Clear, FocusPlace::Other);
  EXPECT_EQ(ListNames(), "a;b;") << "a No keeps the lists";
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace todo_test
