#include "host/info_command.h"

#include <string>
#include <vector>

#include "host/console_output.h"
#include "host/file_version.h"
#include "host/host_paths.h"
#include "host/tool_module.h"

namespace {

std::vector<std::string> ToolInfoLines(CHostTool& tool, const std::string& version) {
  const char* displayName = tool.GetDisplayName();
  std::vector<std::string> lines = {
      std::to_string(tool.m_nToolId),
      tool.m_strName.GetString(),
      displayName ? displayName : "",
      std::to_string(tool.GetTemplateId()),
      std::to_string(tool.m_nHostValue1),
      std::to_string(tool.m_nHostValue2),
      version,
  };
  for (int i = 0; i < tool.m_History.GetSize(); ++i) lines.push_back(tool.m_History[i].GetString());
  return lines;
}

}  // namespace

int RunInfoCommand(IHostServices* services, bool raw) {
  ToolModule module;
  std::string error;
  if (!module.Load(PluginPath(), nullptr, services, &error)) {
    WriteStderr("Lumaplex: " + Cp932ToUtf8(error) + "\n");
    return 1;
  }
  std::string text;
  for (const std::string& line : ToolInfoLines(*module.tool(), FileVersionOf(PluginPath()))) {
    text += raw ? line : Cp932ToUtf8(line);
    text += '\n';
  }
  WriteStdout(text);
  module.Release();
  return 0;
}
