#pragma once
// Builds a stored item from plain numbers; dates keep their low 16 bits, as when read.

#include <cstdint>
#include <string>

#include "storage/list_file_format.h"

inline storage::ListRecord Rec(int done, int year, int month, int day, std::string text) {
  storage::ListRecord record;
  record.done = done;
  record.year = static_cast<std::uint16_t>(year);
  record.month = static_cast<std::uint16_t>(month);
  record.day = static_cast<std::uint16_t>(day);
  record.text = std::move(text);
  return record;
}
