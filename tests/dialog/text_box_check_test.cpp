// The text box's length check when it loses the focus.

#include "dialog_fixture.h"

namespace todo_test {
namespace {

class TextBoxCheck : public DialogTest {};

// The check cuts to what Add of the current mode takes, so nothing typed is dropped by Add
// without the user having been told and shown the rest.
TEST_F(TextBoxCheck, TextLongerThanAddTakesIsCutAtACharacterBoundaryWithAMessage) {
  const std::string x248(248, 'x');
  struct Case {
    bool listMode;
    std::string typed;
    std::string left;  // the text box afterwards
  };
  const Case cases[] = {
      {true, x248 + "y", x248 + "y"},                 // 249 bytes: a list name fits
      {true, x248 + "yz", x248 + "y"},                // 250
      {true, x248 + "\x82\xA0", x248},                // the last character would be split
      {false, x248 + "yzzzz", x248 + "yzzzz"},        // 253 bytes: an item fits
      {false, x248 + "yzzzz!", x248 + "yzzzz"},       // 254
      {false, x248 + "yzzz\r\n", x248 + "yzzz\r\n"},  // one line break counts one byte
      {false, x248 + "yzzz\r\n\r\n", x248 + "yzzz "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.size());
    window.CheckMode(c.listMode);
    window.text = c.typed;
    window.focus = DialogControl::DatePicker;
    dialog.OnTextBoxKillFocus();
    EXPECT_EQ(window.text, c.left);
    const bool cut = c.left != c.typed;
    EXPECT_EQ(TakeMessages(), cut ? Messages{Told(kTextTooLong, MessageIcon::Stop)} : Messages{});
    EXPECT_EQ(window.focus, cut ? DialogControl::TextBox : DialogControl::DatePicker);
  }
  EXPECT_EQ(busy.load(), 0);
}

}  // namespace
}  // namespace todo_test
