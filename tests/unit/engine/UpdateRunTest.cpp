// The update run's behaviour over the fake host.
#include "Cp932.h"
#include "RunScenario.h"
#include "UpdateEngine.h"
#include "UpdatePlan.h"
#include "Sha256.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Texts = std::vector<std::string>;

std::string Id(unsigned id) { return FakeHost::Id(id); }
std::string Done() { return Id(IDS_UPDATE_DONE); }

// The same files with the same bytes and attributes.
bool SameTree(const FakeTree& a, const FakeTree& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && x.second.bytes == y.second.bytes && x.second.directory == y.second.directory &&
               x.second.readOnly == y.second.readOnly;
    });
}

bool HasWorkFile(const FakeHost& host)
{
    return std::any_of(host.files.begin(), host.files.end(),
                       [](const auto& file) { return file.first.find(".PARVEL~") != std::string::npos; });
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeInstallation(host, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC XYZ 8.0S (8.0S)\r\n");
        host.AddFolder(kMedium);
        host.AddArchive(kMedium + "APP.lzh", {{"app.txt", "app"}});
        host.AddArchive(kMedium + "START.lzh", {{"start.txt", "generic"}});
        for (int kind : {1, 3, 99})
            host.AddArchive(kMedium + "START" + std::to_string(kind) + ".lzh",
                            {{"start.txt", "kind " + std::to_string(kind)}});
        host.AddFile(kMedium + "CONFIG.INI", "config");
    }
    RunOutcome Run() { return Apply(host, description); }
    std::string Settings() { return host.Bytes(kInstall + "\\tavilo1.ini"); }
    // Both settings files and one master in C:\APP\M1, converted by the update.
    void AddSettingsAndMaster()
    {
        host.AddFile(settings, "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n[DIR]\r\nMASTER=C:\\APP\\M\r\n");
        host.AddFile(history, "[HISTORY]\r\n");
        host.AddFile(master, "1234567890123A");
        description.masterAdjust = 1;
    }
    const std::string settings = kInstall + "\\tavilo1.ini", history = kInstall + "\\mok3.ini",
                      master = kInstall + "\\M1\\zai001-3.mst";

    FakeHost host;
    UpdateDescription description = MakeDescription();
};

struct IdentificationCase {
    const char* what;
    std::string settingsFile;     // in the description
    std::string installedFile;    // made in the installation
    std::string settings;
    std::string installFolder;
    RunOutcome result;
    std::string message;
    std::string settingsFileAfter; // the settings file used, or tried last
    int kind;
};

TEST_F(RunTest, IdentificationOutcomes)
{
    const IdentificationCase cases[] = {
        {"NULL finds pemiraz1.ini afresh", "NULL", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n", kInstall, RunOutcome::Updated, Done(),
         "pemiraz1.ini", 0},
        {"maker 2", "pemiraz1.ini", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=2\r\n", kInstall, RunOutcome::Updated, Done(), "pemiraz1.ini",
         99},
        {"NULL finds tavilo1.ini", "NULL", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", kInstall, RunOutcome::Updated, Done(),
         "tavilo1.ini", 1},
        {"null is a file name", "null", "pemiraz1.ini", "", kInstall, RunOutcome::NotInstalled, Id(IDS_WRONG_FOLDER), "null", -1},
        {"a failed NULL search tries pemiraz1.ini last", "NULL", "other.ini", "", kInstall, RunOutcome::NotInstalled,
         Id(IDS_WRONG_FOLDER), "pemiraz1.ini", -1},
        {"bare drive letter", "tavilo1.ini", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", "C", RunOutcome::NotInstalled,
         Id(IDS_FOLDER_NOT_VALID), "tavilo1.ini", -1},
        {"title unknown", "tavilo1.ini", "tavilo1.ini", "[SYSTEM]\r\nTITLE=QRS\r\n", kInstall, RunOutcome::NotInstalled,
         Id(IDS_KIND_NOT_RECOGNISED), "tavilo1.ini", -1},
    };
    for (const IdentificationCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, c.installedFile, c.settings);
        fake.files.erase(FakeHost::Normalise(kInstall + "\\tavilo1.ini"));
        if (c.installedFile == "tavilo1.ini")
            fake.AddFile(kInstall + "\\tavilo1.ini", c.settings);
        if (c.installFolder == "C")
            fake.AddFile("C:\\tavilo1.ini", c.settings);
        UpdateDescription d = MakeDescription();
        d.installFolder = c.installFolder;
        d.settingsFile = c.settingsFile;
        struct : RunJournal {
            std::string path;
            Edition edition;
            void Identified(const std::string& settingsPath, Edition found) override { path = settingsPath, edition = found; }
            void IdentificationFailed(IdentificationFailure, const std::string& settingsPath) override { path = settingsPath; }
        } journal;
        EXPECT_EQ(Apply(fake, d, &journal), c.result) << c.what;
        EXPECT_EQ(fake.Texts(), Texts{c.message}) << c.what;
        EXPECT_EQ(fake.boxes.back().caption, Id(c.result == RunOutcome::NotInstalled ? IDS_CAPTION_ERROR : IDS_CAPTION_CONFIRM)) << c.what;
        EXPECT_EQ(SplitPath(journal.path).name + SplitPath(journal.path).ext, c.settingsFileAfter) << c.what;
        EXPECT_EQ(journal.edition.Number(), c.kind) << c.what;
    }
}

// A settings file that exists but cannot be read cannot tell the edition.
TEST_F(RunTest, UnreadableSettingsFileIsNotRecognised)
{
    host.Find(kInstall + "\\tavilo1.ini")->locked = true;
    EXPECT_EQ(Run(), RunOutcome::NotInstalled);
    EXPECT_EQ(host.Texts(), Texts{Id(IDS_KIND_NOT_RECOGNISED)});
}

struct DiskCase {
    const char* what;
    bool removable;
    std::vector<UpdateEntry> entries;
    std::vector<DiskAnswer> answers;
    int insertOnPrompt; // the prompt after which disk 2's files are there; 0: never
    Texts texts;
};

TEST_F(RunTest, DiskPrompts)
{
    const std::string ask2 = Id(IDS_INSERT_DISK) + " 2";
    const DiskCase cases[] = {
        {"disks 1 2 2 1 from a floppy: one prompt", true,
         {Entry(1, 1, "APP", ""), Entry(2, 1, "DISK2", ""), Entry(2, 1, "DISK2", ""), Entry(1, 0, "CONFIG.INI", "")},
         {}, 1, {ask2, Done()}},
        {"the same from a fixed drive: none", false,
         {Entry(1, 1, "APP", ""), Entry(2, 1, "DISK2", ""), Entry(2, 1, "DISK2", ""), Entry(1, 0, "CONFIG.INI", "")},
         {}, 0, {Done()}},
        {"OK while disk 1 is still in asks again", true, {Entry(2, 1, "DISK2", "")}, {}, 2, {ask2, ask2, Done()}},
        {"cancel", true, {Entry(1, 1, "APP", ""), Entry(2, 1, "DISK2", "")}, {DiskAnswer::Cancel}, 0,
         {ask2, Id(IDS_UPDATE_CANCELLED)}},
        {"a START entry on a later disk waits for START.lzh", true, {Entry(2, 1, "START", "")}, {}, 0,
         {ask2, ask2, ask2, ask2, ask2, ask2, Id(IDS_UPDATE_CANCELLED)}},
        {"a loose file satisfies the prompt by itself", true, {Entry(2, 0, "L2.TXT", "")}, {}, 1, {ask2, Done()}},
    };
    for (const DiskCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n");
        fake.AddArchive(kMedium + "APP.lzh", {{"app.txt", "app"}});
        fake.AddFile(kMedium + "CONFIG.INI", "config");
        fake.AddArchive(kMedium + "START1.lzh", {{"start.txt", "kind 1"}});
        fake.removableMedium = c.removable;
        fake.diskAnswers = c.answers;
        int insertOn = c.insertOnPrompt;
        fake.onDiskPrompt = [&fake, insertOn](int number) {
            if (number == insertOn) {
                fake.AddArchive(kMedium + "DISK2.lzh", {{"disk2.txt", "two"}});
                fake.AddFile(kMedium + "L2.TXT", "l2");
            }
        };
        if (!c.removable)
            fake.onDiskPrompt(0), fake.AddArchive(kMedium + "DISK2.lzh", {{"disk2.txt", "two"}});
        UpdateDescription d = MakeDescription();
        d.entries = c.entries;
        bool cancelled = c.texts.back() == Id(IDS_UPDATE_CANCELLED);
        EXPECT_EQ(Apply(fake, d), cancelled ? RunOutcome::Cancelled : RunOutcome::Updated) << c.what;
        EXPECT_EQ(fake.Texts(), c.texts) << c.what;
        for (size_t i = 0; i < fake.boxes.size(); ++i)
            EXPECT_EQ(fake.boxes[i].diskPrompt, fake.boxes[i].text == ask2) << c.what << ": box " << i;
    }
}

TEST_F(RunTest, CancelLeavesTheInstallationAsItWas)
{
    host.removableMedium = true;
    host.diskAnswers = {DiskAnswer::Cancel};
    description.entries = {Entry(1, 1, "APP", ""), Entry(1, 0, "CONFIG.INI", "NEW\\"), Entry(2, 1, "DISK2", "")};
    const FakeTree before = host.files;
    EXPECT_EQ(Apply(host, description), RunOutcome::Cancelled);
    EXPECT_EQ(host.Texts().back(), Id(IDS_UPDATE_CANCELLED));
    EXPECT_EQ(host.files.size(), before.size()) << "no work file, no new folder";
    EXPECT_FALSE(host.Find(kInstall + "\\app.txt"));
    EXPECT_EQ(Settings(), "[SYSTEM]\r\nTITLE=ABC XYZ 8.0S (8.0S)\r\n") << "no keys after a cancel";
}

// Files other programs hold are named together in one box before anything is written: キャンセル leaves the
// installation as it was, 再試行 once they are let go carries out the whole update.
TEST_F(RunTest, HeldFilesAreNamedBeforeAnythingIsWritten)
{
    const std::string master = kInstall + "\\M1\\zai001-3.mst", app = kInstall + "\\app.txt",
                      history = kInstall + "\\mok3.ini", settings = kInstall + "\\tavilo1.ini";
    const std::string shownTemplate = "C:\\APP\\\x8C\x60\x8E\xAE\\\x89\xA1" "A-A4g.xlsm";
    host.AddFile(settings, "[SYSTEM]\r\nTITLE=ABC\r\n[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(master, OldMasterRecord('a'));
    host.AddFile(app, "old app");
    host.AddFile(history, "[HISTORY]\r\n");
    host.AddFile(kTemplate, "old book");
    host.Find(kTemplate)->date = UtcDate{2021, 1, 1};
    host.AddArchive(kMedium + "EXCEL.lzh", {{"\x89\xA1" "A-A4g.xlsm", "new book"}});
    description.masterAdjust = 1;
    description.entries = {Entry(1, 1, "APP", ""), Entry(1, 1, "EXCEL", "\x8C\x60\x8E\xAE\\"),
                           Entry(1, 0, "CONFIG.INI", "NEW\\")};
    struct Case {
        std::vector<std::string> held, holders;
        std::string box;
    } cases[] = {
        {{kTemplate}, {}, shownTemplate},
        {{master}, {"EXCEL.EXE"}, "C:\\APP\\M1\\ZAI001-3.MST\n" + Id(IDS_HOLDING_PROGRAMS) + " EXCEL.EXE"},
        {{app}, {}, "C:\\APP\\app.txt"},
        {{history}, {}, "C:\\APP\\mok3.ini"},
        {{history, kTemplate}, {"A.EXE", "B.EXE"},
         shownTemplate + "\nC:\\APP\\mok3.ini\n" + Id(IDS_HOLDING_PROGRAMS) + " A.EXE, B.EXE"},
    };
    for (const Case& c : cases) {
        for (RetryAnswer answer : {RetryAnswer::Cancel, RetryAnswer::Retry}) {
            FakeHost fake = host;
            for (const std::string& file : c.held)
                fake.Find(file)->locked = true;
            fake.holders = c.holders;
            fake.retryAnswers = {answer};
            fake.onRetryPrompt = [&](int) {
                for (const std::string& file : c.held)
                    fake.Find(file)->locked = false;
            };
            const FakeTree before = fake.files;
            UpdateDescription d = description;
            const bool retry = answer == RetryAnswer::Retry;
            EXPECT_EQ(Apply(fake, d), retry ? RunOutcome::Updated : RunOutcome::StoppedBeforeWriting)
                << c.box;
            // The template is told updated once it has been replaced.
            Texts texts{Id(IDS_FILES_HELD) + " " + c.box};
            if (retry)
                texts.insert(texts.end(), {Id(IDS_TEMPLATE_UPDATED), Done()});
            EXPECT_EQ(fake.Texts(), texts);
            EXPECT_FALSE(HasWorkFile(fake)) << c.box;
            if (retry) {
                EXPECT_EQ(fake.Bytes(app) + "|" + fake.Bytes(kTemplate) + "|" + fake.Bytes(master).substr(13, 1) + "|" +
                              fake.Bytes(kInstall + "\\NEW\\CONFIG.INI"),
                          "app|new book|Z|config");
            } else {
                EXPECT_TRUE(SameTree(fake.files, before)) << c.box;
            }
        }
    }
}

// Too little room, or a folder this user may not write to, stops the update with nothing written.
TEST_F(RunTest, NoRoomOrNoWriteAccessStopsBeforeAnythingIsWritten)
{
    host.AddArchive(kMedium + "BIG.lzh", {{"big.bin", std::string(3 << 20, 'b')}});
    uint64_t used = 0;
    for (const auto& [path, file] : host.files)
        used += path.rfind("C:", 0) == 0 ? file.bytes.size() : 0;
    description.entries = {Entry(1, 1, "BIG", ""), Entry(1, 0, "CONFIG.INI", "bmp\\")};
    struct Case {
        uint64_t free; // 0: no limit
        std::vector<std::string> denied;
        std::string message;
    } cases[] = {
        {5 << 19, {}, Id(IDS_NO_SPACE) + " 4 2 C:\\APP\\"},
        {0, {kInstall}, Id(IDS_NO_WRITE_ACCESS) + " C:\\APP\\"},
        {0, {kInstall + "\\bmp"}, Id(IDS_NO_WRITE_ACCESS) + " C:\\APP\\bmp\\"},
    };
    for (const Case& c : cases) {
        FakeHost fake = host;
        fake.capacity = c.free == 0 ? 0 : used + c.free;
        fake.denied = c.denied;
        UpdateDescription d = description;
        EXPECT_EQ(Apply(fake, d), RunOutcome::StoppedBeforeWriting) << c.message;
        EXPECT_EQ(fake.Texts(), Texts{c.message});
        EXPECT_EQ(fake.boxes[0].caption, Id(IDS_CAPTION_ERROR));
        EXPECT_TRUE(SameTree(fake.files, host.files)) << c.message;
    }
}

struct StartCase {
    const char* what;
    std::string settingsFile, settings, version;
    int kind;
    std::string installed;
    bool versionKey;
};

TEST_F(RunTest, StartArchiveTakesTheKindAndWritesTheVersion)
{
    const StartCase cases[] = {
        {"kind 3", "tavilo1.ini", "[SYSTEM]\r\nTITLE=XYZ\r\n", "9.1", 3, "kind 3", true},
        {"kind 99: no Version", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=2\r\n", "9.1", 99, "kind 99", false},
        {"no version text: no Version", "tavilo1.ini", "[SYSTEM]\r\nTITLE=XYZ\r\n", "", 3, "kind 3", false},
    };
    for (const StartCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, c.settingsFile, c.settings);
        for (int kind : {3, 99})
            fake.AddArchive(kMedium + "START" + std::to_string(kind) + ".lzh", {{"start.txt", "kind " + std::to_string(kind)}});
        UpdateDescription d = MakeDescription();
        d.settingsFile = c.settingsFile;
        d.titleKeywords[2] = "XYZ";
        d.titleKeywords[0] = "#none";
        d.versionText = c.version;
        d.entries = {Entry(1, 1, "START", "")};
        EXPECT_EQ(Apply(fake, d), RunOutcome::Updated) << c.what;
        EXPECT_EQ(fake.Bytes(kInstall + "\\start.txt"), c.installed) << c.what;
        std::string version;
        EXPECT_EQ(ProfileValue(fake.Bytes(kInstall + "\\" + c.settingsFile), "SYSTEM", "Version", version),
                  c.versionKey)
            << c.what;
    }
}

struct TemplateCase {
    const char* what;
    bool present;
    UtcDate date;
    Texts texts;
    std::string book;
};

TEST_F(RunTest, WorkbookArchiveFollowsTheTemplateCheck)
{
    const TemplateCase cases[] = {
        {"old template", true, {2022, 2, 5}, {Id(IDS_TEMPLATE_UPDATED), Done()}, "new book"},
        {"missing template", false, {}, {Id(IDS_TEMPLATE_UPDATED), Done()}, "new book"},
        {"the customer's own", true, {2022, 2, 6}, {Done()}, "customer's"},
    };
    for (const TemplateCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n");
        fake.AddArchive(kMedium + "EXCEL.lzh", {{"\x89\xA1" "A-A4g.xlsm", "new book"}});
        fake.AddFolder(kInstall + "\\\x8C\x60\x8E\xAE");
        if (c.present) {
            fake.AddFile(kTemplate, "customer's");
            fake.Find(kTemplate)->date = c.date;
        }
        UpdateDescription d = MakeDescription();
        d.entries = {Entry(1, 1, "EXCEL", "\x8C\x60\x8E\xAE\\")};
        bool cancelled = c.texts.back() == Id(IDS_UPDATE_CANCELLED);
        EXPECT_EQ(Apply(fake, d), cancelled ? RunOutcome::Cancelled : RunOutcome::Updated) << c.what;
        EXPECT_EQ(fake.Texts(), c.texts) << c.what;
        EXPECT_EQ(fake.Bytes(kTemplate), c.book) << c.what;
    }
}

struct KeyCase {
    std::string category, version, title;
    std::string settings; // the settings file after the run
};

TEST_F(RunTest, SettingsKeys)
{
    const std::string era = "GENGOU=\x97\xDF\x98\x61\r\n";
    const KeyCase cases[] = {
        {"3", "9.1", "ABC XYZ 8.0S (8.0S)", "[SYSTEM]\r\nTITLE=ABC XYZ 9.1 (9.1)\r\n" + era +
                                                "\x8E\xED\x95\xCA\x90\xDD\x94\xF5=1\r\n"},
        {"1", "9.1", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era + "\x8E\xED\x95\xCA\x93\x64\x8B\x43=1\r\n"},
        {"4", "", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era + "\x8E\xED\x95\xCA\x8C\x9A\x92\x7A=1\r\n"},
        {"0", "", "ABC 8.0S", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n" + era},
        {"5", "", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era},
        {"", "", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era},
    };
    for (const KeyCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, "tavilo1.ini", "[SYSTEM]\r\nTITLE=" + c.title + "\r\n");
        UpdateDescription d = MakeDescription();
        d.category = DecimalValue(c.category);
        d.versionText = c.version;
        EXPECT_EQ(Apply(fake, d), RunOutcome::Updated);
        EXPECT_EQ(fake.Bytes(kInstall + "\\tavilo1.ini"), c.settings) << c.category;
        EXPECT_EQ(fake.Bytes(kInstall + "\\mok3.ini"),
                  "[HISTORY]\r\n\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON=1\r\n"
                  "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON=1\r\n");
    }
}

TEST(ReplaceAllInPlace, EachOccurrenceOnce)
{
    struct Case {
        std::string title, version, expected;
    } cases[] = {
        {"XYZ 8.0S (8.0S)", "9.1", "XYZ 9.1 (9.1)"},
        {"XYZ 8.0S", "8.0S R2", "XYZ 8.0S R2"},
        {"8.0S8.0S", "x8.0S", "x8.0Sx8.0S"},
        {"none", "9.1", "none"},
        {"8.0S", "", ""},
        {std::string(60, 'x') + "8.0S", std::string(80, 'v'), std::string(60, 'x') + std::string(80, 'v')},
    };
    for (const Case& c : cases) {
        std::string title = c.title;
        ReplaceAllInPlace(title, "8.0S", c.version);
        EXPECT_EQ(title, c.expected);
    }
}

// Message 7 is the library's own text; an archive with no members is a failed extraction.
TEST_F(RunTest, FailedEntriesEndTheRun)
{
    host.AddArchive(kMedium + "EMPTY.lzh", {});
    host.AddArchive(kMedium + "BAD.lzh", {{"bad1.txt", "1"}, {"bad2.txt", "2"}});
    host.AddFile(kMedium + "RO.TXT", "ro");
    struct Case {
        UpdateEntry entry;
        std::string message;
        std::string failFirst;
    } cases[] = {
        {Entry(1, 1, "EMPTY", ""), "LIB no members in E:\\MEDIA\\EMPTY.LZH", ""},
        {Entry(1, 1, "GONE", ""), "LIB cannot find E:\\MEDIA\\GONE.LZH", ""},
        // Damaged half-way: its first member was extracted.
        {Entry(1, 1, "BAD", "NEW\\"), "LIB broken E:\\MEDIA\\BAD.LZH", "ExtractArchive E:\\MEDIA\\BAD.lzh"},
        {Entry(1, 0, "GONE.TXT", "NEW\\"), Id(IDS_COPY_FAILED) + " C:\\APP\\\\NEW\\GONE.TXT", ""},
        // A subfolder climbing out of the installation.
        {Entry(1, 0, "CONFIG.INI", "NEW\\..\\ ..\\..\\"), Id(IDS_COPY_FAILED) + " C:\\APP\\NEW\\..\\ ..\\..\\", ""},
    };
    for (const Case& c : cases) {
        FakeHost fake = host;
        fake.failFirst = c.failFirst;
        UpdateDescription d = MakeDescription();
        d.entries = {Entry(1, 1, "APP", ""), c.entry, Entry(1, 0, "CONFIG.INI", "")};
        EXPECT_EQ(Apply(fake, d), RunOutcome::StoppedBeforeWriting) << c.message;
        EXPECT_EQ(fake.Texts(), Texts{c.message});
        EXPECT_EQ(fake.boxes[0].caption, Id(IDS_CAPTION_CONFIRM));
        EXPECT_TRUE(SameTree(fake.files, host.files)) << c.message << ": the entry before is not applied, no folder is left";
    }
    // The folder is made before the copy; a read-only file on the medium gives a writable copy.
    FakeHost fake = host;
    UpdateDescription d = MakeDescription();
    d.entries = {Entry(1, 0, "RO.TXT", "NEW\\")};
    fake.Find(kMedium + "RO.TXT")->readOnly = true;
    EXPECT_EQ(Apply(fake, d), RunOutcome::Updated);
    EXPECT_TRUE(fake.Find(kInstall + "\\NEW"));
    EXPECT_EQ(fake.Find(kInstall + "\\NEW\\RO.TXT")->readOnly, false);
}

// Every file of the medium folder in its SHA256SUMS, as the packer lists a disk, but for leftOut.
std::string ChecksumList(FakeHost& host, const std::string& leftOut = "")
{
    const std::string folder = FakeHost::Normalise(kMedium) + "\\";
    std::vector<ChecksumLine> lines;
    for (const auto& [path, file] : host.files) {
        if (path.rfind(folder, 0) != 0 || file.directory || path == folder + leftOut)
            continue;
        lines.push_back({path.substr(folder.size()), {}});
        std::replace(lines.back().name.begin(), lines.back().name.end(), '\\', '/');
        MemorySource bytes(file.bytes);
        EXPECT_TRUE(Sha256Of(bytes, lines.back().digest));
    }
    return WriteSha256Sums(lines);
}

// A medium with checksum lists: a file the list of its disk does not vouch for stops the update before anything
// changes, named; a medium without lists is read as before.
TEST(MediumChecksums, StopTheUpdateAtAFileTheyDoNotVouchFor)
{
    const std::string damaged = FakeHost::Id(IDS_MEDIUM_DAMAGED) + " " + kMedium;
    struct Case {
        const char* what;
        bool listed; // both disks, as packed
        std::function<void(FakeHost&, int disk)> afterPacking;
        std::string message; // the last one; empty: the update is done
    } cases[] = {
        {"every file as listed", true, nullptr, ""},
        {"no lists", false, nullptr, ""},
        {"a loose file changed", true,
         [](FakeHost& h, int disk) { if (disk == 1) h.AddFile(kMedium + "L1.TXT", "new L1"); }, damaged + "L1.TXT"},
        {"info.txt changed", true,
         [](FakeHost& h, int disk) { if (disk == 1) h.AddFile(kMedium + "info.txt", "changed"); },
         damaged + "info.txt"},
        {"the edition's archive changed, on disk 2", true,
         [](FakeHost& h, int disk) { if (disk == 2) h.AddFile(kMedium + "START1.lzh", "LZH!"); },
         damaged + "START1.lzh"},
        {"an archive the list leaves out", true,
         [](FakeHost& h, int disk) { if (disk == 1) h.AddFile(kMedium + "SHA256SUMS", ChecksumList(h, "APP.LZH")); },
         damaged + "APP.lzh"},
        {"disk 2 without its list", true,
         [](FakeHost& h, int disk) { if (disk == 2) h.RemoveFile(kMedium + "SHA256SUMS"); }, damaged + "START1.lzh"},
        {"a malformed list", true,
         [](FakeHost& h, int disk) { if (disk == 1) h.AddFile(kMedium + "SHA256SUMS", "not a list\n"); },
         damaged + "info.txt"},
    };
    for (const Case& c : cases) {
        FullUpdate update;
        FakeHost& host = update.host;
        auto pack = [&](int disk) {
            if (disk == 1)
                host.AddFile(kMedium + "info.txt", "the description");
            if (c.listed)
                host.AddFile(kMedium + "SHA256SUMS", ChecksumList(host));
            if (c.afterPacking)
                c.afterPacking(host, disk);
        };
        pack(1);
        host.onDiskPrompt = [&](int) { update.InsertDisk(2), pack(2); };
        const FakeTree before = InstallationFiles(host.files);
        RunOutcome outcome = update.Run();
        if (c.message.empty()) {
            EXPECT_EQ(outcome, RunOutcome::Updated) << c.what;
            continue;
        }
        EXPECT_EQ(outcome, RunOutcome::StoppedBeforeWriting) << c.what;
        EXPECT_EQ(host.Texts().back(), c.message) << c.what;
        EXPECT_TRUE(SameTree(InstallationFiles(host.files), before)) << c.what;
        EXPECT_FALSE(HasWorkFile(host)) << c.what;
    }
}

TEST_F(RunTest, AttributesThatCannotBeClearedNameTheSource)
{
    description.entries = {Entry(1, 0, "CONFIG.INI", "")};
    host.failFirst = "ClearAttributes";
    EXPECT_EQ(Run(), RunOutcome::StoppedBeforeWriting);
    EXPECT_EQ(host.Texts(), Texts{Id(IDS_ATTRIBUTES_FAILED) + " " + kMedium + "CONFIG.INI"});
    EXPECT_FALSE(host.Find(kInstall + "\\CONFIG.INI"));
}

// Settings files and masters are staged like new files: whatever stops them stops the whole update before
// anything changes, with the message of what failed.
TEST_F(RunTest, SettingsAndMastersThatCannotBeStagedChangeNothing)
{
    AddSettingsAndMaster();
    description.versionText = "9.1";
    description.entries = {Entry(1, 1, "APP", "")};
    const std::string conversions[] = {Id(IDS_SIZE_CONVERSION_FAILED), Id(IDS_TYPE_CONVERSION_FAILED)};
    struct Case {
        const char* what;
        std::function<void(FakeHost&)> spoil;
        Texts texts;
    } cases[] = {
        {"a history key", [](FakeHost& h) { h.failFirst = "WriteProfile \x92\x8A\x8F\x6F\x8A\x4A"; },
         {Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\mok3.ini"}},
        {"the title cannot be read", [](FakeHost& h) { h.failFirst = "ReadProfile TITLE", h.failPassing = 1; },
         {Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\tavilo1.ini"}},
        {"the settings file cannot be copied", [](FakeHost& h) { h.failFirst = "CopyFileTo C:\\APP\\\\tavilo1"; },
         {Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\tavilo1.ini"}},
        {"a master folder cannot be listed", [](FakeHost& h) { h.unlistable = {kInstall + "\\M21"}; },
         {conversions[0], conversions[1]}},
        {"a master cannot be read", [](FakeHost& h) { h.failFirst = "OpenRead C:\\APP\\M1"; },
         {conversions[0], conversions[1]}},
        {"a master's work file cannot be written", [](FakeHost& h) { h.failFirst = "Write C:\\APP\\M1"; },
         {conversions[0], conversions[1]}},
        {"a master this user may not replace", [&](FakeHost& h) { h.Find(master)->denied = true; },
         {Id(IDS_NO_WRITE_ACCESS) + " C:\\APP\\M1\\ZAI001-3.MST"}},
        {"the journal cannot be made", [](FakeHost& h) { h.failFirst = "CreateExclusive C:\\APP\\parvel"; },
         {Id(IDS_COMMIT_FAILED) + " C:\\APP\\parvel.journal"}},
    };
    for (const Case& c : cases) {
        FakeHost fake = host;
        c.spoil(fake);
        const FakeTree before = fake.files;
        UpdateDescription d = description;
        EXPECT_EQ(Apply(fake, d), RunOutcome::StoppedBeforeWriting) << c.what;
        EXPECT_EQ(fake.Texts(), c.texts) << c.what;
        EXPECT_TRUE(SameTree(fake.files, before)) << c.what;
    }
}

// A read-only settings file or master is replaced like any other file, and stays read-only.
TEST_F(RunTest, ReadOnlyTargetsAreReplacedAndStayReadOnly)
{
    AddSettingsAndMaster();
    description.category = 2;
    for (const std::string& file : {settings, history, master}) {
        FakeHost fake = host;
        fake.Find(file)->readOnly = true;
        UpdateDescription d = description;
        EXPECT_EQ(Apply(fake, d), RunOutcome::Updated) << file;
        EXPECT_TRUE(fake.Find(file)->readOnly) << file;
        EXPECT_EQ(fake.Bytes(master), "1234567890123Z\r\n") << file;
        std::string value;
        EXPECT_TRUE(ProfileValue(fake.Bytes(settings), "SYSTEM", "\x8E\xED\x95\xCA\x90\x85\x93\xB9", value)) << file;
        EXPECT_TRUE(ProfileValue(fake.Bytes(history), "HISTORY", "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON", value))
            << file;
        EXPECT_FALSE(HasWorkFile(fake)) << file;
    }
}

// The conversions find the masters through tavilo1.ini even when the settings file is pemiraz1.ini.
TEST_F(RunTest, Conversions)
{
    MakeInstallation(host, "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n[DIR]\r\nMASTER=C:\\WRONG\\\r\n");
    host.AddFile(kInstall + "\\tavilo1.ini", "[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(kInstall + "\\M1\\zai001-3.mst", OldMasterRecord('a'));
    host.AddFile(kInstall + "\\M21\\zai001-3.mst", "1234567890123B\n");
    description.settingsFile = "pemiraz1.ini";
    description.masterAdjust = 1;
    EXPECT_EQ(Run(), RunOutcome::Updated);
    EXPECT_EQ(host.Texts(), Texts{Done()});
    EXPECT_EQ(host.Bytes(kInstall + "\\M21\\zai001-3.mst"), "1234567890123Z\r\n");
    EXPECT_EQ(host.Bytes(kInstall + "\\M1\\zai001-3.mst").size(), 187u);
}

// Told before the folder is even looked at: a folder without an installation gets no message of its own.
TEST_F(RunTest, BrokenEntryLineStopsBeforeAnythingIsWritten)
{
    description.entries = {Entry(1, 1, "APP", "")};
    description.brokenEntryLines = {45, 47};
    for (const std::string& folder : {kInstall, std::string("C:\\NONE")}) {
        FakeHost fake = host;
        UpdateDescription d = description;
        d.installFolder = folder;
        EXPECT_EQ(Apply(fake, d), RunOutcome::StoppedBeforeWriting);
        EXPECT_EQ(fake.Texts(), Texts{Id(IDS_BROKEN_ENTRY_LINE) + " 45"});
        EXPECT_EQ(fake.boxes[0].caption, Id(IDS_CAPTION_ERROR));
        EXPECT_TRUE(SameTree(fake.files, host.files));
    }
}

class RecordingJournal : public RunJournal {
public:
    void Identified(const std::string& settingsPath, Edition edition) override
    {
        lines.push_back("identified " + settingsPath + " " + std::to_string(edition.Number()));
    }
    void Entry(const JournalEntry& e) override
    {
        lines.push_back("entry " + std::to_string(e.index) + " " + e.source + " -> " + e.destination + " " +
                        std::to_string(static_cast<int>(e.outcome)));
    }
    void SettingsKey(const std::string& file, const std::string&, const std::string& key, const std::string& value,
                     bool written) override
    {
        lines.push_back("key " + file + " " + key + "=" + value + (written ? "" : " not written"));
    }
    void ConversionDone(Conversion which, bool succeeded) override
    {
        lines.push_back("conversion " + std::to_string(static_cast<int>(which)) + (succeeded ? " ok" : " failed"));
    }
    void MessageShown(const std::string& text, const std::string&) override { lines.push_back("box " + text); }
    void Finished(RunOutcome outcome) override
    {
        lines.push_back(outcome == RunOutcome::StoppedBeforeWriting ? "nothing changed" : "result");
    }
    std::vector<std::string> lines;
};

TEST_F(RunTest, JournalFollowsTheRun)
{
    host.AddFile(kInstall + "\\mok3.ini", "");
    host.failFirst = "WriteProfile \x92\x8A\x8F\x6F";
    description.masterAdjust = 1;
    description.entries = {Entry(1, 1, "START", "SUB\\"), Entry(1, 0, "CONFIG.INI", "")};
    RecordingJournal journal;
    EXPECT_EQ(Apply(host, description, &journal), RunOutcome::StoppedBeforeWriting);
    const std::string start = "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON";
    const std::string end = "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON";
    EXPECT_EQ(journal.lines, (Texts{
                                 "identified C:\\APP\\\\tavilo1.ini 1",
                                 "entry 0 E:\\MEDIA\\START1.lzh -> C:\\APP\\\\SUB\\ 0",
                                 "entry 1 E:\\MEDIA\\CONFIG.INI -> C:\\APP\\\\CONFIG.INI 0",
                                 "key C:\\APP\\\\tavilo1.ini GENGOU=\x97\xDF\x98\x61",
                                 "key C:\\APP\\\\mok3.ini " + start + "=1 not written",
                                 "box " + Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\mok3.ini",
                                 "nothing changed",
                             }));
}

} // namespace
