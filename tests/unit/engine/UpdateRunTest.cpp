// The update run's behaviour over the fake host.
#include "RunScenario.h"
#include "UpdateEngine.h"
#include "UpdateRun.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::string>;

std::string Id(unsigned id) { return FakeHost::Id(id); }
std::string Done() { return Id(IDS_UPDATE_DONE); }

// Index of the first logged call that starts with prefix, or the number of calls.
size_t CallIndex(const FakeHost& host, const std::string& prefix)
{
    auto it = std::find_if(host.calls.begin(), host.calls.end(),
                           [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    return static_cast<size_t>(it - host.calls.begin());
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
    int Run() { return RunUpdate(description, kMedium, host); }
    std::string Settings() { return host.Bytes(kInstall + "\\tavilo1.ini"); }

    FakeHost host;
    UpdateDescription description = MakeDescription();
};

struct IdentificationCase {
    const char* what;
    std::string settingsFile;     // in the description
    std::string installedFile;    // made in the installation
    std::string settings;
    std::string installFolder;
    int result;
    std::string message;
    std::string settingsFileAfter;
    int kind;
};

TEST_F(RunTest, IdentificationOutcomes)
{
    const IdentificationCase cases[] = {
        {"NULL finds pemiraz1.ini afresh", "NULL", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n", kInstall, 1, Done(),
         "pemiraz1.ini", 0},
        {"maker 2", "pemiraz1.ini", "pemiraz1.ini", "[SYSTEM]\r\nMAKER=2\r\n", kInstall, 1, Done(), "pemiraz1.ini",
         99},
        {"NULL finds tavilo1.ini", "NULL", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", kInstall, 1, Done(),
         "tavilo1.ini", 1},
        {"null is a file name", "null", "pemiraz1.ini", "", kInstall, 0, Id(IDS_WRONG_FOLDER), "null", -1},
        {"failed NULL search is searched again next time", "NULL", "other.ini", "", kInstall, 0,
         Id(IDS_WRONG_FOLDER), "NULL", -1},
        {"bare drive letter", "tavilo1.ini", "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n", "C", 0,
         Id(IDS_FOLDER_NOT_VALID), "tavilo1.ini", -1},
        {"title unknown", "tavilo1.ini", "tavilo1.ini", "[SYSTEM]\r\nTITLE=QRS\r\n", kInstall, 0,
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
        EXPECT_EQ(RunUpdate(d, kMedium, fake), c.result) << c.what;
        EXPECT_EQ(fake.Texts(), Texts{c.message}) << c.what;
        EXPECT_EQ(fake.boxes.back().caption, Id(c.result == 0 ? IDS_CAPTION_ERROR : IDS_CAPTION_CONFIRM)) << c.what;
        EXPECT_EQ(d.settingsFile, c.settingsFileAfter) << c.what;
        if (c.result == 1) {
            EXPECT_EQ(d.systemKind, c.kind) << c.what;
        }
    }
}

// A settings file that exists but cannot be read cannot tell the edition.
TEST_F(RunTest, UnreadableSettingsFileIsNotRecognised)
{
    host.Find(kInstall + "\\tavilo1.ini")->locked = true;
    EXPECT_EQ(Run(), 0);
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
        EXPECT_EQ(RunUpdate(d, kMedium, fake), 1) << c.what;
        EXPECT_EQ(fake.Texts(), c.texts) << c.what;
        EXPECT_TRUE(fake.boxes[0].diskPrompt || !c.removable) << c.what;
    }
}

TEST_F(RunTest, CancelLeavesTheInstallationAsItWas)
{
    host.removableMedium = true;
    host.diskAnswers = {DiskAnswer::Cancel};
    description.entries = {Entry(1, 1, "APP", ""), Entry(1, 0, "CONFIG.INI", "NEW\\"), Entry(2, 1, "DISK2", "")};
    const FakeTree before = host.files;
    EXPECT_EQ(ApplyUpdate(description, kMedium, host), RunOutcome::Cancelled);
    EXPECT_EQ(host.Texts().back(), Id(IDS_UPDATE_CANCELLED));
    EXPECT_EQ(host.files.size(), before.size()) << "no work file, no new folder";
    EXPECT_FALSE(host.Find(kInstall + "\\app.txt"));
    EXPECT_EQ(Settings(), "[SYSTEM]\r\nTITLE=ABC XYZ 8.0S (8.0S)\r\n") << "no keys after a cancel";
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
        EXPECT_EQ(RunUpdate(d, kMedium, fake), 1) << c.what;
        EXPECT_EQ(d.entries[0].name, "START" + std::to_string(c.kind)) << c.what;
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
        EXPECT_EQ(RunUpdate(d, kMedium, fake), 1) << c.what;
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
        {"0", "", "ABC 8.0S", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n" + era},
        {"5", "", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era},
        {"", "", "ABC", "[SYSTEM]\r\nTITLE=ABC\r\n" + era},
    };
    for (const KeyCase& c : cases) {
        FakeHost fake;
        MakeInstallation(fake, "tavilo1.ini", "[SYSTEM]\r\nTITLE=" + c.title + "\r\n");
        UpdateDescription d = MakeDescription();
        d.category = c.category;
        d.versionText = c.version;
        EXPECT_EQ(RunUpdate(d, kMedium, fake), 1);
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
    host.AddFile(kMedium + "RO.TXT", "ro");
    struct Case {
        UpdateEntry entry;
        std::string message;
        std::string caption;
    } cases[] = {
        {Entry(1, 1, "EMPTY", ""), "LIB no members in E:\\MEDIA\\EMPTY.LZH", Id(IDS_CAPTION_CONFIRM)},
        {Entry(1, 1, "GONE", ""), "LIB cannot find E:\\MEDIA\\GONE.LZH", Id(IDS_CAPTION_CONFIRM)},
        {Entry(1, 0, "GONE.TXT", "NEW\\"), Id(IDS_COPY_FAILED) + " C:\\APP\\\\NEW\\GONE.TXT", Id(IDS_CAPTION_CONFIRM)},
    };
    for (const Case& c : cases) {
        FakeHost fake = host;
        UpdateDescription d = MakeDescription();
        d.entries = {Entry(1, 1, "APP", ""), c.entry, Entry(1, 0, "CONFIG.INI", "")};
        EXPECT_EQ(ApplyUpdate(d, kMedium, fake), RunOutcome::StoppedBeforeWriting) << c.message;
        EXPECT_EQ(fake.Texts(), Texts{c.message});
        EXPECT_EQ(fake.boxes[0].caption, c.caption);
        EXPECT_EQ(fake.files.size(), host.files.size()) << "the entry before is undone, no folder is left";
        EXPECT_FALSE(fake.Find(kInstall + "\\app.txt"));
        EXPECT_FALSE(fake.Find(kInstall + "\\CONFIG.INI")) << "nothing after the failed entry";
        std::string era;
        EXPECT_FALSE(ProfileValue(fake.Bytes(kInstall + "\\tavilo1.ini"), "SYSTEM", "GENGOU", era));
    }
    // The folder is made before the copy; a read-only file on the medium gives a writable copy.
    FakeHost fake = host;
    UpdateDescription d = MakeDescription();
    d.entries = {Entry(1, 0, "RO.TXT", "NEW\\")};
    fake.Find(kMedium + "RO.TXT")->readOnly = true;
    EXPECT_EQ(RunUpdate(d, kMedium, fake), 1);
    EXPECT_TRUE(fake.Find(kInstall + "\\NEW"));
    EXPECT_EQ(fake.Find(kInstall + "\\NEW\\RO.TXT")->readOnly, false);
}

TEST_F(RunTest, AttributesThatCannotBeClearedNameTheSource)
{
    description.entries = {Entry(1, 0, "CONFIG.INI", "")};
    host.failFirst = "ClearAttributes";
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(host.Texts(), Texts{Id(IDS_ATTRIBUTES_FAILED) + " " + kMedium + "CONFIG.INI"});
    EXPECT_FALSE(host.Find(kInstall + "\\CONFIG.INI"));
}

// Every key is still tried and the conversions still run; the run names the file instead of succeeding.
TEST_F(RunTest, KeysThatCannotBeWrittenAreTold)
{
    host.AddFile(kInstall + "\\mok3.ini", "[HISTORY]\r\n");
    host.failFirst = "WriteProfile \x92\x8A\x8F\x6F\x8A\x4A";
    host.AddFile(kInstall + "\\tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC\r\n[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(kInstall + "\\M1\\zai001-3.mst", "1234567890123A");
    description.category = "2";
    description.masterAdjust = "1";
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(host.Texts(), Texts{Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\mok3.ini"});
    EXPECT_EQ(host.Bytes(kInstall + "\\M1\\zai001-3.mst"), "1234567890123Z\r\n");
    std::string value;
    EXPECT_TRUE(ProfileValue(Settings(), "SYSTEM", "\x8E\xED\x95\xCA\x90\x85\x93\xB9", value));
}

// The conversions find the masters through tavilo1.ini even when the settings file is pemiraz1.ini; a
// master folder that cannot be listed is a failed conversion.
TEST_F(RunTest, Conversions)
{
    MakeInstallation(host, "pemiraz1.ini", "[SYSTEM]\r\nMAKER=1\r\n[DIR]\r\nMASTER=C:\\WRONG\\\r\n");
    host.AddFile(kInstall + "\\tavilo1.ini", "[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(kInstall + "\\M1\\zai001-3.mst", OldMasterRecord('a'));
    host.AddFile(kInstall + "\\M21\\zai001-3.mst", "1234567890123B\n");
    description.settingsFile = "pemiraz1.ini";
    description.masterAdjust = "1";
    FakeHost unlistable = host;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(host.Texts(), Texts{Done()});
    EXPECT_EQ(host.Bytes(kInstall + "\\M21\\zai001-3.mst"), "1234567890123Z\r\n");
    EXPECT_EQ(host.Bytes(kInstall + "\\M1\\zai001-3.mst").size(), 187u);

    unlistable.unlistable = {kInstall + "\\M21"};
    UpdateDescription d = MakeDescription();
    d.settingsFile = "pemiraz1.ini";
    d.masterAdjust = "1";
    EXPECT_EQ(RunUpdate(d, kMedium, unlistable), 1);
    EXPECT_EQ(unlistable.Texts(), (Texts{Id(IDS_SIZE_CONVERSION_FAILED), Id(IDS_TYPE_CONVERSION_FAILED)}));
    EXPECT_EQ(unlistable.Bytes(kInstall + "\\M21\\zai001-3.mst"), "1234567890123B\n");
}

TEST_F(RunTest, BrokenEntryLineStopsBeforeAnythingIsWritten)
{
    description.entries = {Entry(1, 1, "APP", "")};
    description.brokenEntryLines = {45, 47};
    FakeTree before = host.files;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(host.Texts(), Texts{Id(IDS_BROKEN_ENTRY_LINE) + " 45"});
    EXPECT_EQ(host.boxes[0].caption, Id(IDS_CAPTION_ERROR));
    EXPECT_EQ(host.files.size(), before.size());
    EXPECT_EQ(host.calls, (Texts{"Message " + Id(IDS_BROKEN_ENTRY_LINE) + " 45", "RestoreWaitCursor"}));
}

// The library is set up after identification, before the first entry, with the library's two calls.
TEST_F(RunTest, ArchiveLibraryIsSetUpBeforeTheFirstEntry)
{
    description.entries = {Entry(1, 0, "CONFIG.INI", ""), Entry(1, 1, "APP", "")};
    EXPECT_EQ(Run(), 1);
    size_t background = CallIndex(host, "ArchiveSetBackgroundMode 0");
    EXPECT_EQ(CallIndex(host, "ArchiveSetCursorMode 1"), background + 1);
    EXPECT_GT(background, CallIndex(host, "ReadProfile TITLE"));
    EXPECT_LT(background, CallIndex(host, "CopyFileTo"));
    EXPECT_NE(CallIndex(host, "ExtractArchive e -mcwC:\\WINDOWS \"E:\\MEDIA\\APP\" \"C:\\APP\\\\\""), host.calls.size());
}

class RecordingJournal : public RunJournal {
public:
    void Identified(const std::string& settingsPath, int kind) override
    {
        lines.push_back("identified " + settingsPath + " " + std::to_string(kind));
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
    void Finished(int result) override { lines.push_back("result " + std::to_string(result)); }
    std::vector<std::string> lines;
};

TEST_F(RunTest, JournalFollowsTheRun)
{
    host.AddFile(kInstall + "\\mok3.ini", "");
    host.failFirst = "WriteProfile \x92\x8A\x8F\x6F";
    description.masterAdjust = "1";
    description.entries = {Entry(1, 1, "START", "SUB\\"), Entry(1, 0, "CONFIG.INI", "")};
    RecordingJournal journal;
    EXPECT_EQ(RunUpdate(description, kMedium, host, &journal), 1);
    const std::string start = "\x92\x8A\x8F\x6F\x8A\x4A\x8E\x6E\x93\xFA" "ON";
    const std::string end = "\x92\x8A\x8F\x6F\x8F\x49\x97\xB9\x93\xFA" "ON";
    EXPECT_EQ(journal.lines, (Texts{
                                 "identified C:\\APP\\\\tavilo1.ini 1",
                                 "entry 0 E:\\MEDIA\\START1.lzh -> C:\\APP\\\\SUB\\ 0",
                                 "entry 1 E:\\MEDIA\\CONFIG.INI -> C:\\APP\\\\CONFIG.INI 0",
                                 "key C:\\APP\\\\tavilo1.ini GENGOU=\x97\xDF\x98\x61",
                                 "key C:\\APP\\\\mok3.ini " + start + "=1 not written",
                                 "key C:\\APP\\\\mok3.ini " + end + "=1",
                                 "conversion 0 ok",
                                 "conversion 1 ok",
                                 "box " + Id(IDS_SETTINGS_NOT_WRITTEN) + " C:\\APP\\\\mok3.ini",
                                 "result 1",
                             }));
}

} // namespace
