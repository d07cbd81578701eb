#include "framework/fw_string.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

namespace {
// Shared text of every empty string; never written through.
char g_emptyText[1] = {'\0'};

// Every other text lies in a block of its own, after a word that says how many bytes the block
// holds for text and its zero: a string given a text that fits keeps its block, so one string
// object reused for many texts (a search's results) allocates once.
char* NewText(std::size_t capacity) {
  char* block = new char[sizeof(std::size_t) + capacity];
  std::memcpy(block, &capacity, sizeof(std::size_t));
  return block + sizeof(std::size_t);
}

void DeleteText(char* text) {
  delete[](text - sizeof(std::size_t));
}

std::size_t CapacityOf(const char* text) {
  std::size_t capacity;
  std::memcpy(&capacity, text - sizeof(std::size_t), sizeof(std::size_t));
  return capacity;
}
}  // namespace

CString::CString() : m_pszData(g_emptyText) {}

CString::CString(const char* text) : m_pszData(g_emptyText) {
  if (text) Assign(text, std::strlen(text));
}

CString::CString(const char* text, int length) : m_pszData(g_emptyText) {
  if (text && length > 0) Assign(text, static_cast<std::size_t>(length));
}

CString::CString(const CString& other) : m_pszData(g_emptyText) {
  Assign(other.m_pszData, std::strlen(other.m_pszData));
}

CString::CString(CString&& other) noexcept : m_pszData(other.m_pszData) {
  other.m_pszData = g_emptyText;
}

CString::~CString() {
  Release();
}

CString& CString::operator=(const CString& other) {
  if (this != &other) Assign(other.m_pszData, std::strlen(other.m_pszData));
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  if (this != &other) {
    Release();
    m_pszData = other.m_pszData;
    other.m_pszData = g_emptyText;
  }
  return *this;
}

CString& CString::operator=(const char* text) {
  if (!text) {
    Empty();
  } else if (text != m_pszData) {
    Assign(text, std::strlen(text));
  }
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (!text || !*text) return *this;
  const std::size_t old = std::strlen(m_pszData);
  const std::size_t add = std::strlen(text);
  char* joined = NewText(old + add + 1);
  std::memcpy(joined, m_pszData, old);
  std::memcpy(joined + old, text, add + 1);  // text may be our own buffer: copy before release
  Release();
  m_pszData = joined;
  return *this;
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (length <= 0) {
    va_end(again);
    Empty();
    return;
  }
  char* text = NewText(static_cast<std::size_t>(length) + 1);
  std::vsnprintf(text, static_cast<std::size_t>(length) + 1, format, again);
  va_end(again);
  Release();
  m_pszData = text;
}

int CString::GetLength() const {
  return static_cast<int>(std::strlen(m_pszData));
}

void CString::Empty() {
  Release();
  m_pszData = g_emptyText;
}

int CString::Compare(const char* text) const {
  return std::strcmp(m_pszData, text ? text : "");
}

void CString::Assign(const char* text, std::size_t length) {
  if (length == 0) {
    Empty();
    return;
  }
  if (m_pszData != g_emptyText && CapacityOf(m_pszData) > length) {
    std::memmove(m_pszData, text, length);  // text may be a part of this string's own
    m_pszData[length] = '\0';
    return;
  }
  char* copy = NewText(length + 1);
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  Release();
  m_pszData = copy;
}

void CString::Release() {
  if (m_pszData != g_emptyText) DeleteText(m_pszData);
  m_pszData = g_emptyText;
}

CStringArray::~CStringArray() {
  RemoveAll();
}

int CStringArray::Add(const char* text) {
  if (m_nSize == m_nMaxSize) Grow(m_nSize + 1);
  m_pData[m_nSize] = text;
  return m_nSize++;
}

void CStringArray::RemoveAll() {
  delete[] m_pData;
  m_pData = nullptr;
  m_nSize = 0;
  m_nMaxSize = 0;
}

void CStringArray::Grow(int minimum) {
  int capacity = m_nMaxSize ? m_nMaxSize * 2 : 4;
  if (capacity < minimum) capacity = minimum;
  CString* grown = new CString[capacity];
  for (int i = 0; i < m_nSize; ++i) grown[i] = std::move(m_pData[i]);
  delete[] m_pData;
  m_pData = grown;
  m_nMaxSize = capacity;
}
