#pragma once
// What the storage tests share: a stored item built from plain numbers, and the name of a
// table's row for the tests made from it.

#include <cstdint>
#include <string>

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

// Names each test of a parameterised table after its row's name.
struct RowName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};
