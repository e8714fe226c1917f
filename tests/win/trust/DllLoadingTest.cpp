// The shipped programs import only known DLLs (the system takes those from System32 whatever lies beside the
// program) and keep ASLR, high-entropy ASLR and DEP; and a DLL planted beside a program, under any name the
// program imports or the system loads later, never runs inside it while the program does its work.

#include <gtest/gtest.h>

#include <algorithm>

#include "ParvelProcess.h"
#include "SampleInstallation.h"

namespace {

// The known DLLs of Windows 10 and 11 that a program of ours may import (the registry's KnownDLLs).
const char* const kKnownDlls[] = {"advapi32.dll", "comdlg32.dll", "gdi32.dll",  "imm32.dll",    "kernel32.dll",
                                  "msvcrt.dll",   "ole32.dll",    "oleaut32.dll", "shell32.dll", "shlwapi.dll",
                                  "user32.dll",   "ws2_32.dll",   "rpcrt4.dll",   "sechost.dll"};
// Loaded late, by the system or by us, in such programs.
const char* const kLateDlls[] = {"uxtheme.dll", "dwmapi.dll",  "version.dll", "cryptbase.dll", "bcrypt.dll",
                                 "rstrtmgr.dll", "comctl32.dll", "wintrust.dll", "crypt32.dll",  "ntmarta.dll",
                                 "userenv.dll", "profapi.dll", "winmm.dll",   "dbghelp.dll",   "sspicli.dll"};

struct Import {
    std::string dll; // lower case
    std::vector<std::string> names;
    std::vector<unsigned> ordinals;
};

struct Image {
    unsigned characteristics = 0; // the optional header's DllCharacteristics
    std::vector<Import> imports;
};

uint32_t At(const std::string& b, size_t offset, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(offset + i < b.size() ? b[offset + i] : 0);
    return v;
}

// The import table and flags of a PE file; false when it is none.
bool ReadImage(const std::string& b, Image& image)
{
    size_t pe = At(b, 0x3C, 4);
    if (b.compare(0, 2, "MZ") != 0 || b.compare(pe, 4, std::string("PE\0\0", 4)) != 0)
        return false;
    size_t optional = pe + 24;
    bool wide = At(b, optional, 2) == 0x20B;
    image.characteristics = At(b, optional + 70, 2);
    size_t sections = optional + At(b, pe + 20, 2);
    size_t sectionCount = At(b, pe + 6, 2);
    auto offsetOf = [&](uint32_t rva) -> size_t {
        for (size_t s = sections; s < sections + 40 * sectionCount; s += 40)
            if (rva >= At(b, s + 12, 4) && rva < At(b, s + 12, 4) + At(b, s + 8, 4))
                return rva - At(b, s + 12, 4) + At(b, s + 20, 4);
        return b.size();
    };
    auto text = [&](uint32_t rva) {
        size_t at = offsetOf(rva);
        return at < b.size() ? std::string(b.c_str() + at) : std::string();
    };
    size_t thunkBytes = wide ? 8 : 4;
    for (size_t d = offsetOf(At(b, optional + (wide ? 120 : 104), 4)); d + 20 <= b.size() && At(b, d + 12, 4);
         d += 20) {
        Import import{text(At(b, d + 12, 4)), {}, {}};
        std::transform(import.dll.begin(), import.dll.end(), import.dll.begin(), ::tolower);
        uint32_t thunks = At(b, d, 4) ? At(b, d, 4) : At(b, d + 16, 4);
        for (size_t t = offsetOf(thunks); t < b.size() && At(b, t, 4) | At(b, t + 4, thunkBytes - 4);
             t += thunkBytes) {
            if (At(b, t + thunkBytes - 1, 1) & 0x80)
                import.ordinals.push_back(At(b, t, 2));
            else
                import.names.push_back(text(At(b, t, 4) + 2));
        }
        image.imports.push_back(import);
    }
    return true;
}

// The build tree: this test is tests\win\trust\<name>.exe in it.
std::string BuildFolder()
{
    char path[MAX_PATH];
    std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\') + 1) + "..\\..\\..\\";
}

struct Program {
    const char* path; // in the build tree
    const char* name;
};
const Program kPrograms[] = {{"app\\Parvel.exe", "Parvel.exe"},
                             {"check\\parvel-check.exe", "parvel-check.exe"},
                             {"archive\\win\\lzhx.exe", "lzhx.exe"},
                             {"pack\\parvel-pack.exe", "parvel-pack.exe"}};

Image ImageOf(const Program& program)
{
    Image image;
    EXPECT_TRUE(ReadImage(ReadFile(BuildFolder() + program.path), image)) << program.path;
    return image;
}

// The program's manifest asks for the common controls of version 6.
bool ManifestsCommonControls6(const std::string& path)
{
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC found = module ? ::FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    std::string text;
    if (found)
        text.assign(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                    ::SizeofResource(module, found));
    if (module)
        ::FreeLibrary(module);
    return text.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") != std::string::npos;
}

TEST(ShippedPrograms, ImportOnlyKnownDllsAndKeepAslrAndDep)
{
    const unsigned highEntropy = 0x20, dynamicBase = 0x40, nx = 0x100;
    for (const Program& program : kPrograms) {
        Image image = ImageOf(program);
        EXPECT_EQ(image.characteristics & (highEntropy | dynamicBase | nx), highEntropy | dynamicBase | nx)
            << program.name;
        EXPECT_FALSE(image.imports.empty()) << program.name;
        for (const Import& import : image.imports) {
            bool known = std::find_if(std::begin(kKnownDlls), std::end(kKnownDlls), [&](const char* dll) {
                             return import.dll == dll;
                         }) != std::end(kKnownDlls);
            if (import.dll == "comctl32.dll")
                known = ManifestsCommonControls6(BuildFolder() + program.path);
            EXPECT_TRUE(known) << program.name << " imports " << import.dll;
        }
    }
}

// Links one marker DLL per name into folder: the program's imports with their exports, the late ones bare.
void PlantMarkers(const std::string& folder, const Image& image)
{
    std::vector<Import> planted = image.imports;
    for (const char* late : kLateDlls)
        if (std::none_of(planted.begin(), planted.end(), [&](const Import& i) { return i.dll == late; }))
            planted.push_back({late, {}, {}});
    std::string script = "set -e; cd '" + UnixPath(folder) + "'; " PARVEL_MINGW_CC " -O2 -c -o marker.o '" +
                         PARVEL_MARKER_SOURCE "'; ";
    for (const Import& dll : planted) {
        std::string def = "EXPORTS\r\n";
        for (const std::string& name : dll.names)
            def += name + "=MarkerStub\r\n";
        for (unsigned ordinal : dll.ordinals)
            def += "Ordinal" + std::to_string(ordinal) + "=MarkerStub @" + std::to_string(ordinal) + " NONAME\r\n";
        WriteFile(folder + dll.dll + ".def", def);
        script += PARVEL_MINGW_CC " -shared -nostdlib -Wl,-e,DllMain -o '" + dll.dll + "' marker.o '" + dll.dll +
                  ".def' -lkernel32; ";
    }
    script += "rm -f marker.o *.def";
    ASSERT_EQ(RunUnix(script), 0) << script;
    for (const Import& dll : planted)
        ASSERT_NE(::GetFileAttributesA((folder + dll.dll).c_str()), INVALID_FILE_ATTRIBUTES) << dll.dll;
}

// Runs a command line with folder as the current directory (searched by the old DLL search order too).
DWORD RunIn(const std::string& folder, const std::string& commandLine, std::string& windowSeen)
{
    char own[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, own);
    ::SetCurrentDirectoryA(folder.c_str());
    std::string exe = commandLine.substr(1, commandLine.find('"', 1) - 1);
    ParvelProcess process(exe, commandLine.substr(commandLine.find('"', 1) + 1));
    ::SetCurrentDirectoryA(own);
    EXPECT_TRUE(process.Started()) << commandLine;
    EXPECT_TRUE(process.WaitForExitUnseen(windowSeen)) << commandLine;
    return process.ExitCode();
}

class PlantedDlls : public ::testing::Test {
protected:
    // Program's folder, with the program and every marker in it.
    std::string Prepare(const Program& program)
    {
        std::string folder = BuildFolder() + "tests\\win\\trust\\planted\\" + program.name + "\\";
        RemoveTree(folder);
        MakeFolders(folder);
        EXPECT_TRUE(::CopyFileA((BuildFolder() + program.path).c_str(), (folder + program.name).c_str(), FALSE));
        PlantMarkers(folder, ImageOf(program));
        return folder;
    }

    // The markers that ran.
    static std::vector<std::string> Ran(const std::string& folder) { return FilesIn(folder, "*.ran"); }
};

TEST_F(PlantedDlls, AMarkerRunsWhenLoaded)
{
    // The markers themselves work: loaded by name from their folder, one leaves its file.
    std::string folder = Prepare(kPrograms[2]);
    HMODULE marker = ::LoadLibraryExA((folder + "rstrtmgr.dll").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(marker, nullptr);
    ::FreeLibrary(marker);
    EXPECT_EQ(Ran(folder), std::vector<std::string>{"rstrtmgr.dll.ran"});
}

// Wine itself never takes a late-loaded system DLL from the program's folder, so the search that the entry point
// narrows is tried with a name of our own: beside the program and in the current directory, it is not found.
TEST_F(PlantedDlls, TheEntryPointKeepsLaterLoadsToSystem32)
{
    std::string folder = BuildFolder() + "tests\\win\\trust\\planted\\probe\\";
    RemoveTree(folder);
    MakeFolders(folder);
    ASSERT_TRUE(::CopyFileA((BuildFolder() + "tests\\win\\trust\\trust_start_probe.exe").c_str(),
                            (folder + "probe.exe").c_str(), FALSE));
    Image none;
    none.imports.push_back({"parvel-probe.dll", {}, {}});
    PlantMarkers(folder, none);
    std::string window;
    EXPECT_EQ(RunIn(folder, "\"" + folder + "probe.exe\"", window), 2u);
    EXPECT_EQ(Ran(folder), std::vector<std::string>{"parvel-probe.dll.ran"}); // by the control alone
}

TEST_F(PlantedDlls, NoneRunsInAnUpdateThatMeetsAHeldFile)
{
    std::string medium = Prepare(kPrograms[0]);
    const std::string install = Cp932("C:\\e2e\\植付");
    RemoveTree(install);
    MakeInstallation(install);
    std::vector<std::string> lines = Description(Cp932("植付電気"), "C:\\WRONG");
    lines.push_back("1,1,PROG,\\PROG\\");
    WriteFile(medium + "info.txt", [&] {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }());
    MakeFolders(medium + "prog");
    WriteFile(medium + "prog\\app.txt", "version 9.1S\r\n");
    ASSERT_TRUE(MakeArchive(medium + "prog", medium + "PROG.lzh"));
    const std::string held = install + "\\PROG\\app.txt";
    MakeFolders(install + "\\PROG");
    WriteFile(held, "version 8.0S\r\n");
    HANDLE holder = ::CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::string window;
    const std::string log = medium + "run.log";
    DWORD code = RunIn(medium, "\"" + medium + "Parvel.exe\" /VERYSILENT /SUPPRESSMSGBOXES /DIR=\"" + install +
                                   "\" /LOG=\"" + log + "\"",
                       window);
    ::CloseHandle(holder);
    EXPECT_EQ(code, 3u);
    EXPECT_NE(ReadFile(log).find("app.txt"), std::string::npos) << ReadFile(log);
    EXPECT_EQ(Ran(medium), std::vector<std::string>{});

    // The medium checked, and its archive listed, with markers beside those programs too.
    for (const Program* program : {&kPrograms[1], &kPrograms[2]}) {
        std::string folder = Prepare(*program);
        std::string arguments = program == &kPrograms[1] ? "\"" + medium.substr(0, medium.size() - 1) + "\""
                                                         : "l \"" + medium + "PROG.lzh\"";
        EXPECT_EQ(RunIn(folder, "\"" + folder + program->name + "\" " + arguments, window), 0u) << program->name;
        EXPECT_EQ(Ran(folder), std::vector<std::string>{}) << program->name;
    }
}

TEST_F(PlantedDlls, NoneRunsInAPack)
{
    std::string folder = Prepare(kPrograms[3]);
    MakeFolders(folder + "source\\PROG");
    WriteFile(folder + "source\\PROG\\app.txt", "version 9.1S\r\n");
    WriteFile(folder + "source\\medium.txt", "[medium]\r\nuninstall-key: X\r\ninstall-folder: C:\\X\r\n"
                                             "edition: E\r\n[notice]\r\nn\r\n[folder-page]\r\nf\r\n"
                                             "[entries]\r\narchive PROG \\PROG\\\r\n");
    std::string window;
    EXPECT_EQ(RunIn(folder, "\"" + folder + "parvel-pack.exe\" --exe=\"" + BuildFolder() + kPrograms[0].path + "\" \"" + folder +
                                "source\" \"" + folder + "out\"",
                    window),
              0u);
    EXPECT_NE(::GetFileAttributesA((folder + "out\\PROG.lzh").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Ran(folder), std::vector<std::string>{});
}

} // namespace
