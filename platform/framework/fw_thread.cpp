#include "framework/fw_thread.h"

#include <process.h>

#include <new>

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned id = 0;
  // Always made suspended, so that m_hThread is set before the thread can delete this object.
  const uintptr_t handle =
      _beginthreadex(lpSecurityAttrs, nStackSize, &Start, this, CREATE_SUSPENDED, &id);
  if (!handle) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(handle);
  m_nThreadID = id;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ResumeThread();
  return TRUE;
}

unsigned __stdcall CWinThread::Start(void* param) {
  auto* self = static_cast<CWinThread*>(param);
  const UINT code = self->m_pfnThreadProc(self->m_pThreadParams);
  if (self->m_bAutoDelete) delete self;
  return code;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  auto* thread = new (std::nothrow) CWinThread(pfnThreadProc, pParam);
  if (!thread) return nullptr;
  if (!thread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    delete thread;
    return nullptr;
  }
  thread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) thread->ResumeThread();
  return thread;
}

void WaitForThreadServingSentMessages(HANDLE thread) {
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
    // Peeking for sent messages handles them; nothing is taken off the queue.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}
