// The window's stored place: what the host's settings hold is read as the C library reads
// decimals, held to an int, and never read past the setting's buffer.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <string>

#include "dialog/window_position.h"

namespace {

class SettingsHost final : public IHostServices {
 public:
  int ReadSetting(int toolId, const char* key, char* buffer) override {
    const std::string& value = settings[{toolId, key}];
    if (value == kNoEnd) {
      std::memset(buffer, '9', 260);  // a host that leaves no terminating zero
      return 0;
    }
    std::strcpy(buffer, value.c_str());
    return 0;
  }
  int WriteSetting(int toolId, const char* key, const char* value) override {
    settings[{toolId, key}] = value;
    return 0;
  }
  const char* GetDataFolder(int, int) override { return nullptr; }

  // A setting that fills the whole buffer, with no terminating zero.
  static constexpr const char* kNoEnd = "<no end>";
  std::map<std::pair<int, std::string>, std::string> settings;
};

TEST(WindowPosition, StoredNumbersAreReadAsDecimalsHeldToAnInt) {
  struct Case {
    const char* stored;
    int read;
  };
  const Case cases[] = {
      {"120", 120},
      {" -35", -35},
      {"+7px", 7},
      {"abc", 0},
      {"", 0},
      {"2147483647", INT_MAX},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
      {SettingsHost::kNoEnd, INT_MAX},  // read no further than its buffer
  };
  for (const Case& c : cases) {
    SettingsHost host;
    host.settings[{18, "X"}] = c.stored;
    host.settings[{18, "Y"}] = "5";
    const todo::WindowPosition position = todo::ReadWindowPosition(&host, 18, "X", "Y");
    EXPECT_EQ(position.left, c.read) << c.stored;
    EXPECT_EQ(position.top, 5) << c.stored;
  }
}

TEST(WindowPosition, WrittenPlaceIsReadBackAndNoHostMeansTheCorner) {
  SettingsHost host;
  todo::WriteWindowPosition(&host, 18, "X", "Y", {-120, 2147483647});
  EXPECT_EQ(host.settings[std::make_pair(18, std::string("X"))], "-120");
  const todo::WindowPosition back = todo::ReadWindowPosition(&host, 18, "X", "Y");
  EXPECT_EQ(back.left, -120);
  EXPECT_EQ(back.top, 2147483647);
  const todo::WindowPosition none = todo::ReadWindowPosition(nullptr, 18, "X", "Y");
  EXPECT_EQ(none.left, 0);
  EXPECT_EQ(none.top, 0);
  todo::WriteWindowPosition(nullptr, 18, "X", "Y", {1, 2});  // nothing to write to
}

}  // namespace
