#pragma once
// The description of a medium that parvel-pack reads: UTF-8, one setting per line, in sections.
//
//   [medium]                      header lines of info.txt under readable names (key: value)
//   uninstall-key: 積算システム電気   lines 1-15, in order; the first is also the main window's title
//   install-folder: C:\積算\電気     line 16
//   series: 3                     line 17
//   master-adjust: 1              line 18
//   settings-file: NULL           line 19 (NULL when left out)
//   category: 1                   line 20
//   version: 9.1S                 line 21
//   main-picture: main.bmp        lines 22-25: bitmap files of SOURCE, put on disk 1 under their names
//   notice-picture: notice.bmp
//   folder-picture: folder.bmp
//   confirm-picture: confirm.bmp
//   edition: 電気                  lines 28-42, in order: edition 1, 2, ...
//   [notice]                      line 26: the text as it is, with ordinary line breaks
//   [folder-page]                 line 27, the same
//   [entries]                     from line 43 on, in the order applied:
//   archive START \               a payload folder archived (START: START1/, START2/... one per edition)
//   file README.TXT \             a loose file of SOURCE (a folder part is allowed)
//
// Lines starting with # are notes, except inside the two texts. Entry fields are separated by spaces; a field
// that holds spaces is written in double quotes ("\Program Files\").

#include <string>
#include <vector>

namespace pack {

struct DescribedEntry {
    int line = 0;
    bool archive = false;
    std::string name;      // UTF-8, as written
    std::string subfolder; // UTF-8, as written
};

struct Description {
    std::vector<std::string> uninstallKeys;
    std::string installFolder, series = "0", masterAdjust = "0", settingsFile = "NULL", category, version;
    std::string pictures[4]; // main, notice, folder page, confirmation page
    std::string notice, folderText; // lines joined with '\n'
    std::vector<std::string> editions;
    std::vector<DescribedEntry> entries;
    // The line of each setting and text line, for messages: key -> line.
    std::vector<std::pair<std::string, int>> lines;
    int noticeLine = 0, folderTextLine = 0;

    // The line of the setting; of its index-th occurrence for the repeated ones (uninstall-key, edition).
    int LineOf(const std::string& key, size_t index = 0) const;
};

// A reason a description is refused, with its line (0 for the description as a whole).
struct Refusal {
    int line = 0;
    std::string reason;
    bool aboutDescription = false; // for line 0: the description as a whole, not the source or OUT
};

// False, with the first problem found, for a description that is not well formed.
bool ParseDescription(const std::string& utf8, Description& description, Refusal& refusal);

}
