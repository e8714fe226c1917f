#pragma once
// The installed application's own names: its settings files and their keys, the workbook template, the
// material masters, and the names the update gives its own files in the installation.

#include <array>

namespace install {

// Settings files, in the folder of the installation.
constexpr char kMenuSettingsFile[] = "tavilo1.ini";  // also where the masters are found, whatever the edition
constexpr char kMakerSettingsFile[] = "pemiraz1.ini"; // tried when tavilo1.ini is missing
constexpr char kHistoryFile[] = "mok3.ini";

constexpr char kSystemSection[] = "SYSTEM";
constexpr char kTitleKey[] = "TITLE";
constexpr char kMakerKey[] = "MAKER";
constexpr char kVersionKey[] = "Version";
constexpr char kEraKey[] = "GENGOU";
constexpr char kHistorySection[] = "HISTORY";
constexpr char kDirSection[] = "DIR";
constexpr char kMasterKey[] = "MASTER";

// Values and keys in CP932: 令和, 抽出開始日ON, 抽出終了日ON, 種別電気, 種別水道, 種別設備, 種別建築.
constexpr char kEraName[] = "\x97\xDF\x98\x61";
constexpr char kExtractStartKey[] = "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON";
constexpr char kExtractEndKey[] = "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON";
constexpr std::array<const char*, 4> kCategoryKeys = {
    "\x8E\xED\x95\xCA\x93\x64\x8B\x43",
    "\x8E\xED\x95\xCA\x90\x85\x93\xB9",
    "\x8E\xED\x95\xCA\x90\xDD\x94\xF5",
    "\x8E\xED\x95\xCA\x8C\x9A\x92\x7A",
};
// The text of the title that the version replaces.
constexpr char kTitleVersion[] = "8.0S";

// The cost-statement workbook template, below the installation folder: \形式\横A-A4g.xlsm.
constexpr char kTemplateFile[] = "\\\x8C\x60\x8E\xAE\\\x89\xA1" "A-A4g.xlsm";

// The material masters: [DIR] MASTER + each folder, then files matching the pattern (split so that "??-" is
// not read as a trigraph).
constexpr std::array<const char*, 2> kMasterFolders = {"1\\", "21\\"};
constexpr char kMasterPattern[] = "zai???" "-3.mst";

// The update's own files. The journal lists the renames of an update being applied; each original is set
// aside under its name + kAsideSuffix until the update is whole.
constexpr char kJournalFile[] = "parvel.journal";
constexpr char kAsideSuffix[] = ".parvel-old";

} // namespace install
