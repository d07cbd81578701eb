// The plug-in's only export.

#include <new>

#include "plugin/todo_tool.h"
#include "plugin/tool_texts.h"

extern "C" CHostTool* NewLumaplexTool(CWnd* pHostWnd, IHostServices* pHost) {
  auto* tool = new (std::nothrow) CToDoTool(pHostWnd);
  if (!tool) return nullptr;
  tool->m_pHost = pHost;
  for (const char* line : todo::kHistory) tool->m_History.Add(line);
  return tool;
}
