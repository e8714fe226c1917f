#pragma once
// The update description: the in-memory form of the medium's info.txt.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct UpdateEntry {
    int disk = 0;          // medium that holds the item; 1 is the one the program was started from
    int kind = 0;          // 1: LZH archive to extract; anything else: loose file to copy
    std::string name;      // archive name without ".lzh", or the loose file's name; upper-cased
    std::string subfolder; // destination, appended directly to the installation folder
};

struct UpdateDescription {
    static constexpr size_t kKeyCount = 15;

    std::array<std::string, kKeyCount> uninstallKeys; // lines 1-15; line 1 is also the main window title
    std::string installFolder;                        // line 16
    std::string seriesNumber;                         // 17
    std::string masterAdjust;                         // 18
    std::string settingsFile;                         // 19, or "NULL"
    std::string category;                             // 20
    std::string versionText;                          // 21
    std::string mainPicture;                          // 22
    std::string noticePicture;                        // 23
    std::string folderPicture;                        // 24
    std::string confirmPicture;                       // 25
    std::string noticeText;                           // 26, line breaks decoded
    std::string folderText;                           // 27, line breaks decoded
    std::array<std::string, kKeyCount> titleKeywords; // lines 28-42
    std::vector<UpdateEntry> entries;                 // lines 43 on, in file order
    std::vector<size_t> brokenEntryLines;             // 1-based lines from 43 on with a comma but no valid entry
    int systemKind = -1;                              // set by the update run

    size_t entryCount() const { return entries.size(); }
};

// Reads programDirectory + "info.txt" into the record. Returns 1 when the file was read, 0 when it cannot
// be opened (the record keeps its empty state).
int LoadUpdateDescription(UpdateDescription& description, const std::string& programDirectory);

// Fills the record from the bytes of an info.txt.
void ParseUpdateDescription(std::string_view bytes, UpdateDescription& description);

// Splits file bytes into lines as a text-mode read does: 0x1A ends the file, CR LF and LF end a line, a
// lone CR stays in the line. A last line without a line end counts.
std::vector<std::string_view> SplitTextLines(std::string_view bytes);

// Reads the first line of a text file (end of line removed); empty when the file cannot be opened.
std::string ReadFirstLine(const std::string& path);

// Parses one entry line: four non-empty comma-separated fields, kept whole at any length.
// Returns false for any other line.
bool ParseEntryLine(std::string_view line, UpdateEntry& entry);

// Turns each TAB + filler byte pair into CR LF, at most 100 times; the length does not change.
void DecodeLineBreaks(std::string& text);
