// How a search text is cut into words, and which stored lines those words match: spaces,
// character boundaries in code page 932 text, the date fields, the separators made tabs, and
// the result line built from the fields.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_fixture.h"

namespace {

using Words = std::vector<std::string>;

TEST(CutSearchWords, CutsAtSingleSpacesAndKeepsTheRestWhole) {
  const struct {
    std::string text;
    Words words;
  } cases[] = {
      {"a b", {"a", "b"}},
      {"a b c", {"a", "b", "c"}},
      {"a  b", {"a", " b"}},  // the rest after two spaces keeps one of them
      {"a ", {"a", ""}},      // a trailing space leaves the empty word
      {"", {""}},
      {" a", {" a"}},
      {"a\x81\x40"
       "b",
       {"a\x81\x40"
        "b"}},                                   // a full-width space cuts nothing
      {std::string("a b\0c d", 7), {"a", "b"}},  // the text ends at a zero byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(storage::CutSearchWords(c.text), c.words) << c.text;
  }
}

const std::string kTwoItems =
    "0,2026,12,7,Pay rent\r\n"
    "1,2027,1,15,Buy milk\r\n";

const SearchCase kLineCases[] = {
    {"OpenItemGivesTheDocumentedLine", kTwoItems, "rent", "[Home] (未) 期限：2026/12/7 Pay rent"},
    {"DoneItemIsMarkedDone", kTwoItems, "milk", "[Home] (済) 期限：2027/1/15 Buy milk"},
    {"EitherOfTwoWordsMatches", kTwoItems, "rent milk",
     "[Home] (未) 期限：2026/12/7 Pay rent\n"
     "[Home] (済) 期限：2027/1/15 Buy milk"},
    {"DateFieldsTakePart", kTwoItems, "2026", "[Home] (未) 期限：2026/12/7 Pay rent"},
    {"MatchIsCaseSensitive", kTwoItems, "RENT", ""},
    {"EmptyTextMatchesEveryItem", kTwoItems, "",
     "[Home] (未) 期限：2026/12/7 Pay rent\n"
     "[Home] (済) 期限：2027/1/15 Buy milk"},
    {"TrailingSpaceMatchesEveryItem", kTwoItems, "nothing ",
     "[Home] (未) 期限：2026/12/7 Pay rent\n"
     "[Home] (済) 期限：2027/1/15 Buy milk"},
    {"TwoSpacesMakeTheRestOneWordWithALeadingSpace",
     "0,2026,1,1,a\r\n0,2026,1,2,x b\r\n0,2026,1,3,xb\r\n", "a  b",
     "[Home] (未) 期限：2026/1/1 a\n"
     "[Home] (未) 期限：2026/1/2 x b"},
    {"DoneMarkIsOpenOnlyForExactlyZero", "00,2026,1,1,a\r\n0,2026,1,2,a\r\n", "a",
     "[Home] (済) 期限：2026/1/1 a\n"
     "[Home] (未) 期限：2026/1/2 a"},
    {"LineWithoutCommaGivesEmptyFieldsAndTheWholeLine", "just a note\r\n", "note",
     "[Home] (済) 期限：// just a note"},
    {"MissingSeparatorsGiveEmptyFields", "1,2026,x\r\n", "x", "[Home] (済) 期限：2026// x"},
    {"CommasInTheTextStay", "0,2026,1,5,milk, eggs, bread\r\n", "eggs",
     "[Home] (未) 期限：2026/1/5 milk, eggs, bread"},
    {"WordWithACommaNeverMatchesAcrossFields", "0,2026,1,5,milk\r\n", "2026,1", ""},
    {"WordWithACommaMatchesInTheText", "0,2026,1,5,a,b\r\n", "a,b",
     "[Home] (未) 期限：2026/1/5 a,b"},
    {"SeparatorsBecomeTabsBeforeTheTest", "0,2026,1,5,milk\r\n", "0\t2026",
     "[Home] (未) 期限：2026/1/5 milk"},
    {"TabInFieldsSplitsThemWhereTheyAre", "a\tb,2026,1,5,t\r\n", "t",
     "[Home] (済) 期限：b/2026/1 5\tt"},
    {"EscapedCommaIsNoSeparator", "0,2026,1,5\\,x,t\r\n", "t", "[Home] (未) 期限：2026/1/5\\,x t"},
    // ア is 0x83 0x41: its second byte is the letter A.
    {"LetterInsideDoubleByteCharacterNeverMatches", "0,2026,1,5,\x83\x41\r\n", "A", ""},
    {"LetterAfterDoubleByteCharacterMatches",
     "0,2026,1,5,\x83\x41"
     "A\r\n",
     "A",
     "[Home] (未) 期限：2026/1/5 \x83\x41"
     "A"},
    // ソ is 0x83 0x5C: its second byte is a backslash.
    {"BackslashInsideDoubleByteCharacterNeverMatches", "0,2026,1,5,\x83\x5C\r\n", "\\", ""},
    {"BackslashInsideDoubleByteCharacterEscapesNoComma", "\x83\x5C,2026,1,5,t\r\n", "t",
     "[Home] (済) 期限：2026/1/5 t"},
    {"WordMayBeginWithADoubleByteCharacter", "0,2026,1,5,x\x83\x5Cy\r\n", "\x83\x5Cy",
     "[Home] (未) 期限：2026/1/5 x\x83\x5Cy"},
    {"HalfWidthKatakanaIsOneByte",
     "0,2026,1,5,\xB1"
     "A\r\n",
     "A",
     "[Home] (未) 期限：2026/1/5 \xB1"
     "A"},
    {"LaterOccurrenceAtABoundaryStillMatches", "0,2026,1,5,\x83\x41 A\r\n", "A",
     "[Home] (未) 期限：2026/1/5 \x83\x41 A"},
    // The first sixteen bytes of a long word are no match of the whole.
    {"LongWordMatchesOnlyWhole",
     "0,2026,1,5,abcdefghijklmnopqrstuvwXYZ\r\n0,2026,1,6,abcdefghijklmnopqrstuvwxyz\r\n",
     "abcdefghijklmnopqrstuvwxyz", "[Home] (未) 期限：2026/1/6 abcdefghijklmnopqrstuvwxyz"},
    {"LastOfManyWordsMatches", "0,2026,1,5,nothing here\r\n0,2026,1,6,a needle\r\n",
     "w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14 w15 w16 w17 w18 w19 w20 w21 w22 w23 w24 "
     "w25 w26 w27 w28 w29 w30 w31 w32 w33 w34 w35 needle",
     "[Home] (未) 期限：2026/1/6 a needle"},
    // The same rules in lines long enough to have their separators found sixteen bytes at once.
    {"EscapedCommaIsNoSeparatorInALongLine", "0,2026,1,5\\,x,the text of a longer line\r\n",
     "longer", "[Home] (未) 期限：2026/1/5\\,x the text of a longer line"},
    {"CommaAfterALeadByteIsNoSeparatorInALongLine", "0,2026,\x83,1,5,the text of a longer line\r\n",
     "longer", "[Home] (未) 期限：2026/\x83,1/5 the text of a longer line"},
    {"HalfWidthKatakanaIsOneByteBeforeASeparator", "0,2026,\xB1,1,5,the text of a longer line\r\n",
     "longer", "[Home] (未) 期限：2026/\xB1/1 5,the text of a longer line"},
    {"LineEndsAtAZeroByte", std::string("0,2026,1,5,abc\0def\r\n0,2026,1,6,def\r\n", 36), "def",
     "[Home] (未) 期限：2026/1/6 def"},
};

INSTANTIATE_TEST_SUITE_P(Lines, SearchResults, testing::ValuesIn(kLineCases), RowName());

}  // namespace
