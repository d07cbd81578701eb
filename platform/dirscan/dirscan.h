#pragma once
// The file-search library: lists the files of one folder. Dirscan.dll in the Windows build; a
// static library of the same class in the native build, so that both builds take a folder's
// entries the same way.

#include "framework/fw_string.h"

// The DLL exports the class. Callers need no import marking: they only call functions, which
// the import library resolves.
#if defined(_WIN32) && defined(DIRSCAN_BUILD_DLL)
#define DIRSCAN_API __declspec(dllexport)
#else
#define DIRSCAN_API
#endif

class DIRSCAN_API CSerchFiles {
 public:
  // Lists the folder at path (with or without a separator at its end; code page 932 bytes).
  // flags selects what is listed; 0, the only value in use, means the files of the folder
  // itself. Other values are reserved and list the same. A folder that does not exist or
  // cannot be read, and a null path, give no entries.
  CSerchFiles(const char* path, unsigned int flags);
  virtual ~CSerchFiles();

  CSerchFiles(const CSerchFiles&) = delete;
  CSerchFiles& operator=(const CSerchFiles&) = delete;

  // The names of the folder's files (not its folders), relative to the folder, sorted by byte
  // order. The array belongs to this object: it stays valid and unchanged until the object is
  // destroyed, and the caller never frees or changes it. Never null.
  CStringArray* gFc_GetListFiles();

 private:
  CStringArray m_files;
};
