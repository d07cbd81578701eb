#pragma once
// Code page 932 strings of the application framework. Both classes are plain byte strings:
// no conversion, no locale. Their layout is part of the host contract and must not change:
// a CString is exactly one pointer to its zero-terminated text, and a CStringArray is a
// pointer to its strings followed by their count.

#include <cstddef>

class CString {
 public:
  CString();
  CString(const char* text);  // NOLINT: implicit, as the framework's string is
  CString(const char* text, int length);
  CString(const CString& other);
  CString(CString&& other) noexcept;
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const char* text);
  CString& operator+=(const char* text);

  // Replaces the text with printf-style formatted output (any length).
  void Format(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;

  // The text, never null; valid until the string changes.
  operator const char*() const {
    return m_pszData;
  }  // NOLINT
  const char* GetString() const {
    return m_pszData;
  }
  int GetLength() const;
  bool IsEmpty() const {
    return m_pszData[0] == '\0';
  }
  void Empty();

  // Byte-wise comparison, like strcmp.
  int Compare(const char* text) const;
  bool operator==(const char* text) const {
    return Compare(text) == 0;
  }
  bool operator!=(const char* text) const {
    return Compare(text) != 0;
  }

 private:
  void Assign(const char* text, std::size_t length);
  void Release();

  char* m_pszData;  // the only member: the host reads the text through it
};

static_assert(sizeof(CString) == sizeof(char*), "CString must stay a single pointer");

class CStringArray {
 public:
  CStringArray() = default;
  CStringArray(const CStringArray&) = delete;
  CStringArray& operator=(const CStringArray&) = delete;
  ~CStringArray();

  int GetSize() const { return m_nSize; }
  int GetCount() const { return m_nSize; }
  // Requires 0 <= index < GetSize().
  const CString& GetAt(int index) const { return m_pData[index]; }
  CString& ElementAt(int index) { return m_pData[index]; }
  const CString& operator[](int index) const { return m_pData[index]; }

  // Appends a copy of the text; returns its index.
  int Add(const char* text);
  void RemoveAll();

 private:
  void Grow(int minimum);

  CString* m_pData = nullptr;
  int m_nSize = 0;
  int m_nMaxSize = 0;
  int m_nGrowBy = 0;  // kept for the layout the host knows; growth doubles
};
