#pragma once
// The update description: the in-memory form of the medium's info.txt.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What the lines and words of info.txt mean, in one place for the parser, the run and the checker.
namespace info {

// Lines, 1-based.
constexpr size_t kFirstUninstallKeyLine = 1; // to 15; line 1 is also the main window's title
constexpr size_t kInstallFolderLine = 16;
constexpr size_t kSeriesNumberLine = 17;
constexpr size_t kMasterAdjustLine = 18;
constexpr size_t kSettingsFileLine = 19;
constexpr size_t kCategoryLine = 20;
constexpr size_t kVersionLine = 21;
constexpr size_t kMainPictureLine = 22;
constexpr size_t kNoticePictureLine = 23;
constexpr size_t kFolderPictureLine = 24;
constexpr size_t kConfirmPictureLine = 25;
constexpr size_t kNoticeTextLine = 26;
constexpr size_t kFolderTextLine = 27;
constexpr size_t kFirstTitleKeywordLine = 28; // to 42
constexpr size_t kFirstEntryLine = 43;

// The medium's own files: the program, its description, and the ending of every archive's file name.
constexpr char kProgramFile[] = "Parvel.exe";
constexpr char kDescriptionFile[] = "info.txt";
constexpr char kArchiveExtension[] = ".lzh";

// Entry names with a meaning of their own (the archive's base name, upper-cased).
constexpr char kStartArchive[] = "START"; // the edition's program archive, START<edition>
constexpr char kExcelArchive[] = "EXCEL"; // the cost statement's workbook template
// The settings file line that asks for tavilo1.ini, then pemiraz1.ini.
constexpr char kSearchSettingsFile[] = "NULL";

// masterAdjust: the masters are converted; 0 titles the notice page "アップデート".
constexpr int kConvertMasters = 1;
constexpr int kPlainUpdate = 0;

} // namespace info

enum class EntryKind {
    Archive,  // "1": an LZH archive to extract
    LooseFile // anything else: a file to copy
};

struct UpdateEntry {
    int disk = 0;                          // medium that holds the item; 1 is the one the program was started from
    EntryKind kind = EntryKind::LooseFile;
    std::string name;      // archive name without ".lzh", or the loose file's name; upper-cased
    std::string subfolder; // destination, appended directly to the installation folder

    bool IsArchive() const { return kind == EntryKind::Archive; }
};

// The installed edition, as identification finds it: from the maker key of pemiraz1.ini (0 or 99), or the
// 1-based number of the first title keyword found (1 to 15). It names the START archive, START<number>.
class Edition {
public:
    static constexpr int kMakerOne = 0;
    static constexpr int kMakerOther = 99;

    Edition() = default;
    explicit Edition(int number) : m_number(number) {}
    static Edition NotRecognised() { return Edition(); }

    bool Recognised() const { return m_number >= 0; }
    int Number() const { return m_number; }
    // The maker-key editions write no "Version" key.
    bool FromKeyword() const { return m_number >= 1 && m_number <= 15; }
    bool operator==(const Edition&) const = default;

private:
    int m_number = -1;
};

struct UpdateDescription {
    static constexpr size_t kKeyCount = 15;

    std::array<std::string, kKeyCount> uninstallKeys; // lines 1-15; line 1 is also the main window title
    std::string installFolder;
    std::string seriesNumber;
    int masterAdjust = 0;                             // the line's decimal value
    std::string settingsFile;                         // or info::kSearchSettingsFile
    int category = 0;                                 // the line's decimal value
    std::string versionText;
    std::string mainPicture;
    std::string noticePicture;
    std::string folderPicture;
    std::string confirmPicture;
    std::string noticeText;                           // line breaks decoded
    std::string folderText;                           // line breaks decoded
    std::array<std::string, kKeyCount> titleKeywords;
    std::vector<UpdateEntry> entries;                 // in file order
    std::vector<size_t> brokenEntryLines;             // 1-based lines from 43 on with a comma but no valid entry

    size_t entryCount() const { return entries.size(); }
    bool ConvertsMasters() const { return masterAdjust == info::kConvertMasters; }
};

// Reads programDirectory + info.txt into the record; false when it cannot be opened (the record keeps its
// empty state).
bool LoadUpdateDescription(UpdateDescription& description, const std::string& programDirectory);

// Fills the record from the bytes of an info.txt.
void ParseUpdateDescription(std::string_view bytes, UpdateDescription& description);

// Splits file bytes into lines as a text-mode read does: 0x1A ends the file, CR LF and LF end a line, a
// lone CR stays in the line. A last line without a line end counts.
std::vector<std::string_view> SplitTextLines(std::string_view bytes);

// Parses one entry line: four non-empty comma-separated fields, kept whole at any length.
// Returns false for any other line.
bool ParseEntryLine(std::string_view line, UpdateEntry& entry);

// The entry as its line in info.txt: "disk,kind,name,subfolder", kind 1 for an archive and 0 for a loose file.
std::string FormatEntryLine(const UpdateEntry& entry);

// Turns each TAB + filler byte pair into CR LF, at most 100 times; the length does not change.
void DecodeLineBreaks(std::string& text);
