#pragma once
// Reading and writing the list-order file and the list files through the files interface.
// Reading takes a whole file and parses it; writing formats the whole file and saves it in
// one step (atomic_save.h). Paths come from paths.h. Any thread; the files object decides
// where the bytes go.

#include <string>
#include <string_view>
#include <vector>

#include "storage/files.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace storage {

// Makes the list folder of dataFolder (ListFolderPath) unless it exists already. A folder
// that cannot be made shows later, when no list can be saved in it.
void MakeListFolder(Files& files, std::string_view dataFolder);

// Reads the list-order file at path into *names. Before reading, deletes what saves
// interrupted by a crash left in the file's folder (the list folder): this runs whenever the
// dialog opens, the first load after a crash. Returns kOpened with *names set; kNotFound when
// the file does not exist and kFailed when it could not be read, both with *names empty.
OpenResult LoadListOrder(Files& files, const std::string& path, std::vector<std::string>* names);

// Replaces the list-order file at path with names. Returns false, with the old file
// unchanged, when it could not be saved.
bool SaveListOrder(Files& files, const std::string& path, const std::vector<std::string>& names,
                   IfHeld ifHeld = IfHeld::kWaitAMoment);

// Reads the list file at path into *file, kept as read. Returns kOpened with *file holding it
// (no records and no marker means the file has 0 bytes); kNotFound when the file does not
// exist and kFailed when it could not be read, both with *file empty. The file goes into the
// memory of *room, if given and large enough: that memory is taken when the file is read.
OpenResult LoadListFile(Files& files, const std::string& path, ListFileAsRead* file,
                        ListFileBuffers* room = nullptr);

// Replaces the list file at path with content, written as FormatListFile writes it: records
// equal to those of *file, the file as read (empty when it is not known; null when nothing is
// to be kept), keep their lines as read. Returns false, with the old file unchanged, when it
// could not be saved; when saved, *file is the file as written, else it is left as it was.
// ifHeld as for SaveFileAtomically.
bool SaveListFile(Files& files, const std::string& path, const ListFileContent& content,
                  ListFileAsRead* file = nullptr, IfHeld ifHeld = IfHeld::kWaitAMoment);

}  // namespace storage
