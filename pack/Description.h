#pragma once
// The description of a medium that parvel-pack reads: UTF-8, one setting per line, in sections.
//
//   [medium]                      header lines of info.txt under readable names (key: value)
//   uninstall-key: 積算システム電気   lines 1-15, in order; the first is also the main window's title
//   install-folder: C:\積算\電気     line 16
//   series: 3                     line 17
//   master-adjust: 1              line 18
//   settings-file: NULL           line 19 (info::kSearchSettingsFile when left out)
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

#include "UpdateDescription.h"

#include <string>
#include <vector>

namespace pack {

// A setting of [medium] and the info.txt line it writes; a repeated one fills the 15 lines from there.
struct Setting {
    const char* key;
    size_t line;
    bool repeated = false;
    bool number = false;
};

// The setting that writes info.txt's line (null for the two texts, which have sections of their own).
const Setting* SettingOfLine(size_t line);

// medium.txt read straight into info.txt's terms: the text of each header line and the entries, in UTF-8 as
// written (the builder turns them into CP932 and lays the entries out on the disks), each with the medium.txt
// line it came from, for messages.
class SourceMedium {
public:
    SourceMedium();

    const std::string& Line(size_t infoLine) const { return m_header[infoLine - 1]; }
    // The medium.txt line that gave info.txt's line; 0 when it was left out.
    int SourceOf(size_t infoLine) const { return m_source[infoLine - 1]; }
    void Give(size_t infoLine, const std::string& text, int sourceLine);

    // Disk 0 until the entries are laid out.
    std::vector<UpdateEntry> entries;
    std::vector<int> entrySources;

private:
    std::vector<std::string> m_header;
    std::vector<int> m_source;
};

// A reason a description is refused, with its line (0 for the description as a whole).
struct Refusal {
    int line = 0;
    std::string reason;
    bool aboutDescription = false; // for line 0: the description as a whole, not the source or OUT
};

// False, with the first problem found, for a description that is not well formed.
bool ParseDescription(const std::string& utf8, SourceMedium& medium, Refusal& refusal);

}
