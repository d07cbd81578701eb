// The tables of names and texts the chaos walk types, what the list-name rules make of a
// name, and the bytes of list files and the list-order file, both ways.

#include "chaos/chaos_model.h"

#include <algorithm>
#include <cstdlib>

#include "chaos/chaos_text.h"
#include "support/tool_facts.h"

namespace chaos {

namespace {

// What the list-name rules make of an escaping name when it is typed: each leads out of the
// list folder or into a folder of it, so each is refused, except where its separator follows
// the byte 0x80, which the list-name check takes for the first of two bytes and so does not
// see the separator.
NameKind KindOfEscaping(const std::string& name) {
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    if (name[i] == '\x80' && (name[i + 1] == '\\' || name[i + 1] == '/')) {
      return NameKind::kHidesSeparator;
    }
  }
  return NameKind::kRefused;
}

}  // namespace

bool IsEscapingName(const std::string& name) {
  for (const char* escaping : todo_test::tool::kEscapingNames) {
    if (escaping == name) return true;
  }
  return false;
}

bool SameRecord(const Item& a, const Item& b) {
  return a.check == b.check && a.due.year == b.due.year && a.due.month == b.due.month &&
         a.due.day == b.due.day && a.text == b.text;
}

bool SameRecords(const std::vector<Item>& a, const std::vector<Item>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), &SameRecord);
}

std::string FileBytes(const StoredList& list) {
  const char* end = list.lfOnly ? "\n" : "\r\n";
  std::string bytes = list.noDate ? std::string("NO_DATE") + end : "";
  for (const Item& item : list.items) {
    bytes += std::to_string(item.check) + "," + std::to_string(item.due.year) + "," +
             std::to_string(item.due.month) + "," + std::to_string(item.due.day) + "," + item.text +
             end;
  }
  return bytes;
}

namespace {

// The lines of bytes, each ended by CR LF or LF; a last line without an end counts too.
std::vector<std::string> LinesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace

bool ReadFileBytes(const std::string& bytes, StoredList* list) {
  list->noDate = false;
  list->items.clear();
  std::vector<std::string> lines = LinesOf(bytes);
  if (!lines.empty() && lines[0] == "NO_DATE") {
    list->noDate = true;
    lines.erase(lines.begin());
  }
  for (const std::string& line : lines) {
    int fields[4];
    std::size_t at = 0;
    for (int& field : fields) {
      const std::size_t comma = line.find(',', at);
      if (comma == std::string::npos) return false;
      field = std::atoi(line.substr(at, comma - at).c_str());
      at = comma + 1;
    }
    list->items.push_back(Item{fields[0], {fields[1], fields[2], fields[3]}, line.substr(at)});
  }
  list->lfOnly = !bytes.empty() && bytes.find("\r\n") == std::string::npos;
  return FileBytes(*list) == bytes;
}

std::vector<std::string> NamesOf(const std::string& orderBytes) {
  std::vector<std::string> names;
  for (const std::string& line : LinesOf(orderBytes)) {
    if (!line.empty()) names.push_back(line);
  }
  return names;
}

std::string OrderBytes(const std::vector<std::string>& names) {
  std::string bytes;
  for (const std::string& name : names) bytes += name + "\r\n";
  return bytes;
}

const std::vector<std::string> kItemTexts = {
    "milk",      "牛乳を買う", "電話する",         "call, then mail",
    "NO_DATE",   "  spaced  ", "\x83\x5C\x95\x5C", "a\r\nb",
    "tab\there", "",           "back\\slash",      "milk と 電話",
};

const std::vector<TypedName> kTypedNames = {
    {"仕事", NameKind::kGood},
    {"買い物", NameKind::kGood},
    {"旅行 2027", NameKind::kGood},
    {"dot.name", NameKind::kGood},
    {"two\r\nlines", NameKind::kGood},
    {"\x83\x5C\x95\x5C"
     "2",
     NameKind::kGood},
    {"Work", NameKind::kGood},
    {"HOME", NameKind::kGood},
    {"ghost", NameKind::kGood},
    {"Ghost", NameKind::kGood},
    {"orphan", NameKind::kGood},
    {"ORPHAN", NameKind::kGood},
    {"", NameKind::kGood},
    {"a|b", NameKind::kRefused},
    {"con", NameKind::kRefused},
    {"COM3", NameKind::kRefused},
    {"nul.txt", NameKind::kRefused},
    {"Lpt9", NameKind::kRefused},
    {"../fwd", NameKind::kRefused},
    {"..\\up1", NameKind::kRefused},
    {"sub/y", NameKind::kRefused},
    {"tab\there", NameKind::kRefused},
    {"back\\slash", NameKind::kRefused},
    {"ab\x80\\new", NameKind::kHidesSeparator},
};

// Names not in the tables are made by the walk from good names: fresh ones, other letter cases.
NameKind KindOf(const std::string& typed) {
  for (const TypedName& name : kTypedNames) {
    if (name.text == typed) return name.kind;
  }
  for (const char* escaping : todo_test::tool::kEscapingNames) {
    if (Folded(escaping) == Folded(typed)) return KindOfEscaping(escaping);
  }
  return NameKind::kGood;
}

}  // namespace chaos
