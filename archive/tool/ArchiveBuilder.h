#pragma once
// Builds an archive file from files and folders of the local file system: what `lzhx a` does, and what
// parvel-pack does for each payload folder.

#include "ArchiveWriter.h"

#include <ostream>
#include <string>
#include <vector>

namespace lzh {

struct PackInput {
    std::string path;   // native path of the file or folder
    std::string stored; // the name to store: CP932, parts separated by '/'
    bool isFolder = false;
};

// The members for the files and folders given (folders taken whole, in sorted order), stored under their names
// as given, made relative: a leading "/", "./" or drive is dropped. False, with the reason in problem, for a
// path that does not exist, a name with no CP932 form, or one that extraction would refuse (".." and the like).
bool CollectInputs(const std::vector<std::string>& paths, std::vector<PackInput>& inputs, std::string& problem);

// Members of a payload folder: its files and subfolders, stored relative to the folder itself.
bool CollectFolderContents(const std::string& folder, std::vector<PackInput>& inputs, std::string& problem);

struct PackOptions {
    Method method = Method::Lh5;
    int level = 2;
    bool keepExisting = true; // an existing archive keeps its other members (lha's a); false starts afresh
};

// Writes the archive under a work name beside it, then moves it into place: a failed run leaves the old
// archive as it was. Each member's name and method go to log when not null.
bool WriteArchiveFile(const std::string& archive, const std::vector<PackInput>& inputs, const PackOptions& options,
                      std::ostream* log, std::string& problem);

}
