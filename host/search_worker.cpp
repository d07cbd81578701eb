#include "host/search_worker.h"

#include <process.h>

#include <utility>

#include "framework/fw_thread.h"

SearchWorker::~SearchWorker() {
  StopAndWait();
}

bool SearchWorker::Start(CHostTool* tool, CWnd* resultWindow, std::string text, std::uint16_t mode,
                         UINT doneMessage) {
  if (m_thread || !tool) return false;
  m_tool = tool;
  m_request = {};
  m_request.pResultWnd = resultWindow;
  m_request.nMode = mode;
  m_text = std::move(text);
  m_doneWindow = resultWindow ? resultWindow->m_hWnd : nullptr;
  m_doneMessage = doneMessage;
  unsigned id = 0;
  const uintptr_t thread = _beginthreadex(nullptr, 0, &Run, this, 0, &id);
  m_thread = reinterpret_cast<HANDLE>(thread);
  return m_thread != nullptr;
}

unsigned __stdcall SearchWorker::Run(void* self) {
  auto* worker = static_cast<SearchWorker*>(self);
  worker->m_tool->Search(&worker->m_request, worker->m_text.c_str());
  // Fails harmlessly when the window is gone by now.
  ::PostMessageA(worker->m_doneWindow, worker->m_doneMessage, 0, 0);
  return 0;
}

void SearchWorker::StopAndWait() {
  if (!m_thread) return;
  RequestStop();
  WaitForThreadServingSentMessages(m_thread);
  Finish();
}

bool SearchWorker::Finish() {
  if (!m_thread) return false;
  WaitForSingleObject(m_thread, INFINITE);
  CloseHandle(m_thread);
  m_thread = nullptr;
  return true;
}
