// The files interface's way to open many files of one folder, where the platform has no better
// one: each by its whole path.

#include "storage/files.h"

namespace storage {

namespace {

class PathFolder : public OpenFolder {
 public:
  PathFolder(Files& files, std::string folderPath)
      : m_files(files), m_folderPath(std::move(folderPath)) {}

  OpenResult OpenForReading(const std::string& name, std::unique_ptr<ReadableFile>* file) override {
    m_path.assign(m_folderPath);
    m_path.append(name);
    return m_files.OpenForReading(m_path, file);
  }

 private:
  Files& m_files;
  const std::string m_folderPath;
  std::string m_path;  // kept from file to file
};

}  // namespace

std::unique_ptr<OpenFolder> Files::OpenFolderForReading(const std::string& folderPath) {
  return std::make_unique<PathFolder>(*this, folderPath);
}

}  // namespace storage
