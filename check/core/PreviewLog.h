#pragma once
// What a preview found, by topic, in CP932; printed in the order of the topics, each in the order of the run.

#include <string>
#include <vector>

struct PreviewLog {
    std::vector<std::string> identification;
    std::vector<std::string> startArchive;
    std::vector<std::string> files;
    std::vector<std::string> workbookTemplate;
    std::vector<std::string> settings;
    std::vector<std::string> masters;
    std::vector<std::string> messages;
    // Paths the run asked about that could not be read, apart from the master folders named above.
    std::vector<std::string> unseen;
    // False when the run asked about anything the preview could not read: it may miss what that changes.
    bool complete = true;

    std::vector<std::string> Lines() const;
};
