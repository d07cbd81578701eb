#pragma once
// Stored items as tests write them: a record built from plain numbers, a shorthand of whole
// lists ("a b! c@3"), and the name of a table's row for the tests made from it.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "storage/list_file_format.h"

// Dates keep their low 16 bits, as when read.
inline storage::ListRecord Rec(int done, int year, int month, int day, std::string text) {
  storage::ListRecord record;
  record.done = done;
  record.year = static_cast<std::uint16_t>(year);
  record.month = static_cast<std::uint16_t>(month);
  record.day = static_cast<std::uint16_t>(day);
  record.text = std::move(text);
  return record;
}

// The words of a text, cut at white space.
inline std::vector<std::string> WordsOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// "a b! c@3": records with texts a, b and c, due 2026/12/1, b ticked off, c due on the 3rd.
inline std::vector<storage::ListRecord> Records(const std::string& shorthand) {
  std::vector<storage::ListRecord> records;
  for (std::string word : WordsOf(shorthand)) {
    int day = 1;
    if (const std::size_t at = word.find('@'); at != std::string::npos) {
      day = std::stoi(word.substr(at + 1));
      word.erase(at);
    }
    const bool done = word.back() == '!';
    if (done) word.pop_back();
    records.push_back(Rec(done ? 1 : 0, 2026, 12, day, word));
  }
  return records;
}

// The shorthand of records, as Records reads it.
inline std::string Shorthand(const std::vector<storage::ListRecord>& records) {
  std::string shorthand;
  for (const storage::ListRecord& record : records) {
    if (!shorthand.empty()) shorthand += ' ';
    shorthand += record.text;
    if (record.done != 0) shorthand += '!';
    if (record.day != 1) shorthand += "@" + std::to_string(record.day);
  }
  return shorthand;
}

// The bytes of a dated list file holding the records of the shorthand, written out here
// rather than by the formatter, so that they can check it.
inline std::string ListBytes(const std::string& shorthand) {
  std::string bytes;
  for (const storage::ListRecord& record : Records(shorthand)) {
    bytes += std::to_string(record.done) + ",2026,12," + std::to_string(record.day) + "," +
             record.text + "\r\n";
  }
  return bytes;
}

// Names each test of a parameterised table after its row's name.
struct RowName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};
