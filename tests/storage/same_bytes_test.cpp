// The block compare of two runs of bytes against the plain one, for every length around the
// sixteen bytes it compares at once and a difference at every place.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "storage/byte_scan.h"

namespace {

TEST(SameBytes, AgreesWithThePlainCompareAtEveryLengthAndPlace) {
  for (std::size_t length = 0; length <= 70; ++length) {
    // Inside a longer run, so that a read past either end would show as a wrong answer.
    const std::string a = "(" + std::string(length, '\x82') + ")";
    std::string b = "[" + std::string(length, '\x82') + "]";
    const std::string_view x(a.data() + 1, length);
    EXPECT_TRUE(storage::SameBytes(x, std::string_view(b.data() + 1, length))) << length;
    for (std::size_t place = 0; place < length; ++place) {
      b[place + 1] = 'x';
      const std::string_view y(b.data() + 1, length);
      EXPECT_EQ(storage::SameBytes(x, y), x == y) << length << " " << place;
      b[place + 1] = '\x82';
    }
    if (length > 0) {
      EXPECT_FALSE(storage::SameBytes(x, std::string_view(b.data() + 1, length - 1))) << length;
    }
  }
}

}  // namespace
