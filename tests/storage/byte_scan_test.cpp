// The sixteen-at-a-time byte scan and block compare must agree with a plain loop wherever the
// byte, a zero byte or the difference lies: in the first or last block of sixteen, straddling none,
// in the tail after the last whole block, and for bytes above 0x7F, whose compare is signed.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "storage/byte_scan.h"

namespace {

std::size_t Count(std::string_view text, char byte) {
  bool zero = false;
  return storage::CountByteNotingZero(text, byte, &zero);
}

TEST(ByteScan, AgreesWithAPlainLoopAtEveryPlaceAndLength) {
  for (const char wanted : {'\n', '\0', '\x81', '\xFF'}) {
    for (std::size_t length = 0; length <= 50; ++length) {
      std::string text(length, 'a');
      // No match at all, then one match at each place, then a match at each place and the end.
      EXPECT_EQ(storage::FindByte(text, wanted), std::string_view::npos) << length;
      EXPECT_EQ(Count(text, wanted), 0u) << length;
      for (std::size_t at = 0; at < length; ++at) {
        std::string one = text;
        one[at] = wanted;
        EXPECT_EQ(storage::FindByte(one, wanted), at) << length << " " << at;
        one.back() = wanted;
        EXPECT_EQ(storage::FindByte(one, wanted), at) << length << " " << at;
        EXPECT_EQ(Count(one, wanted), at + 1 == length ? 1u : 2u) << length << " " << at;
        bool zero = false;
        storage::CountByteNotingZero(one, '\n', &zero);
        EXPECT_EQ(zero, wanted == '\0') << length << " " << at;
      }
      bool zero = true;
      storage::CountByteNotingZero(text, '\n', &zero);
      EXPECT_FALSE(zero) << length;
    }
  }
}

// Counts are kept in byte-wide lanes for up to 255 blocks of sixteen: texts made of nothing
// but the byte, around and past that many blocks, must count every one.
TEST(ByteScan, CountsEveryByteOfTextsLongerThanALaneCanHold) {
  for (const std::size_t length : {16u * 255, 16u * 255 + 1, 16u * 256, 16u * 255 * 3 + 7}) {
    EXPECT_EQ(Count(std::string(length, '\n'), '\n'), length);
    std::string every17th(length, 'a');
    for (std::size_t at = 0; at < length; at += 17) every17th[at] = '\xFF';
    EXPECT_EQ(Count(every17th, '\xFF'), (length + 16) / 17) << length;
  }
}

TEST(ByteScan, NeverLooksPastTheTextsEnd) {
  // The byte sought lies just after the view in the same string: it must not be found.
  const std::string bytes = std::string(40, 'a') + "\n";
  for (std::size_t length = 0; length <= 40; ++length) {
    const std::string_view text(bytes.data() + 40 - length, length);
    EXPECT_EQ(storage::FindByte(text, '\n'), std::string_view::npos) << length;
    EXPECT_EQ(Count(text, '\n'), 0u) << length;
  }
}

// The finder keeps a block of 64 bytes between calls: it must agree with a search of its own
// from every place, across block ends, at the text's end, and past a line feed just after the
// text; and wherever the calls go back or skip blocks.
TEST(LineFeedFinder, AgreesWithASearchFromEveryPlace) {
  for (const std::size_t length : {0u, 1u, 63u, 64u, 65u, 127u, 128u, 200u}) {
    for (const std::size_t every : {1u, 5u, 63u, 64u, 70u, 1000u}) {
      std::string bytes(length + 1, '\xE0');
      for (std::size_t at = every - 1; at < bytes.size(); at += every) bytes[at] = '\n';
      bytes.back() = '\n';
      const std::string_view text(bytes.data(), length);
      const auto expected = [&](std::size_t from) {
        const std::size_t found = storage::FindByte(text.substr(std::min(from, length)), '\n');
        return found == std::string_view::npos ? found : from + found;
      };
      storage::LineFeedFinder inOrder(text);
      storage::LineFeedFinder byLines(text);
      std::size_t line = 0;
      for (std::size_t from = 0; from <= length; ++from) {
        EXPECT_EQ(inOrder.NextFrom(from), expected(from)) << length << " " << every << " " << from;
        if (from == line) {
          const std::size_t feed = byLines.NextFrom(from);
          EXPECT_EQ(feed, expected(from)) << length << " " << every << " " << from;
          line = feed == std::string_view::npos ? length + 1 : feed + 1;
        }
      }
      storage::LineFeedFinder backAndForth(text);
      for (const std::size_t from : {length, length / 2, std::size_t{0}, length - length / 3}) {
        EXPECT_EQ(backAndForth.NextFrom(from), expected(from)) << length << " " << every;
      }
    }
  }
}

// The runs lie inside longer ones, so that a read past either end would show as a wrong answer.
TEST(SameBytes, AgreesWithThePlainCompareAtEveryLengthAndPlace) {
  for (std::size_t length = 0; length <= 70; ++length) {
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
