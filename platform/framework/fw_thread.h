#pragma once
// Worker threads of the framework. A CWinThread object describes one thread; with
// m_bAutoDelete (the default) the framework deletes the object when the thread ends.

#include <windows.h>

using AFX_THREADPROC = UINT(__cdecl*)(LPVOID);

class CWinThread {
 public:
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;
  // Closes the thread handle; does not wait for the thread.
  virtual ~CWinThread();

  // Starts the thread (suspended with CREATE_SUSPENDED). Fails when it could not be made.
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                    LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  DWORD ResumeThread() const { return ::ResumeThread(m_hThread); }
  BOOL SetThreadPriority(int priority) const { return ::SetThreadPriority(m_hThread, priority); }

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  BOOL m_bAutoDelete = TRUE;  // delete this object when the thread procedure returns

 private:
  static unsigned __stdcall Start(void* self);

  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
};

// Starts pfnThreadProc(pParam) on a new thread. Returns the thread's object, or null when the
// thread could not be made. With CREATE_SUSPENDED the caller resumes it (and may clear
// m_bAutoDelete before that to keep the object after the thread ends).
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Waits until `thread` has ended while handling what other threads send to this one (a
// thread that is ending may be waiting on a message it sent here), but no posted message and
// no input: no click or timer of this thread runs in between.
void WaitForThreadServingSentMessages(HANDLE thread);
