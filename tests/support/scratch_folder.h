#pragma once
// A fresh, empty folder under the system's temporary folder, for one test or one test host,
// removed with everything in it when it goes. Paths are byte strings (code page 932 under
// Windows) joined with the platform's separator and handed to the file functions unconverted.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace todo_test {

// Removes folder with everything in it, as far as it can: what cannot go (a file another
// process holds open) does not keep the rest.
inline void RemoveTree(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  for (fs::directory_iterator entry(folder, ignored), end; !ignored && entry != end;
       entry.increment(ignored)) {
    if (entry->symlink_status(ignored).type() == fs::file_type::directory) {
      RemoveTree(entry->path());
    } else {
      fs::remove(entry->path(), ignored);
    }
  }
  fs::remove(folder, ignored);
}

class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view prefix = "todo-test-") {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    do {
      m_path = base / (std::string(prefix) + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
    m_text = m_path.string();
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    // Windows removes no folder that is a process's current one: step out of it first.
    std::error_code failed;
    const std::filesystem::path current = std::filesystem::current_path(failed);
    if (!failed && current.native().rfind(m_path.native(), 0) == 0) {
      std::filesystem::current_path(m_path.parent_path(), failed);
    }
    RemoveTree(m_path);
  }

  const std::string& Path() const { return m_text; }
  std::string File(std::string_view name) const {
    return m_text + static_cast<char>(std::filesystem::path::preferred_separator) +
           std::string(name);
  }
  // Makes the folder `name` inside this one; false when it cannot.
  bool MakeFolder(std::string_view name) const {
    std::error_code failed;
    return std::filesystem::create_directory(File(name), failed);
  }
  // Makes the file `name` of the folder hold exactly bytes; false when it cannot be written.
  bool Write(std::string_view name, const std::string& bytes) const {
    std::ofstream file(File(name), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
  }

 private:
  std::filesystem::path m_path;
  std::string m_text;
};

}  // namespace todo_test
