#include "DriveReturn.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

namespace {

// The runtime as the folder page sees it: one current directory per drive, a current drive or a network
// folder, and drive 0 refused as an invalid argument (the program would end there).
class FakeDirectory : public DirectoryCalls {
public:
    explicit FakeDirectory(const std::string& current) { Enter(current); }

    int CurrentDriveNumber() override { return IsDrivePath(m_current) ? Letter(m_current) - 'A' + 1 : 0; }
    void MakeDriveCurrent(int drive) override
    {
        if (drive < 1 || drive > 26) {
            ADD_FAILURE() << "drive " << drive << " made current";
            return;
        }
        char letter = static_cast<char>('A' + drive - 1);
        Enter(m_perDrive.count(letter) ? m_perDrive[letter] : std::string(1, letter) + ":\\");
    }
    // Takes "\" (the root of the current drive or share), "x:\..." and "\\server\share\...".
    bool ChangeDirectory(const std::string& path) override
    {
        if (path == "\\")
            Enter(IsDrivePath(m_current) ? m_current.substr(0, 3) : ShareRoot(m_current));
        else
            Enter(path);
        return true;
    }
    std::string CurrentDirectory() override { return m_current; }

private:
    static bool IsDrivePath(const std::string& path) { return path.size() >= 2 && path[1] == ':'; }
    static char Letter(const std::string& path) { return static_cast<char>(std::toupper(path[0])); }
    static std::string ShareRoot(const std::string& path)
    {
        size_t share = path.find('\\', 2);
        size_t end = path.find('\\', share + 1);
        return end == std::string::npos ? path + "\\" : path.substr(0, end + 1);
    }
    void Enter(std::string path)
    {
        if (IsDrivePath(path)) {
            path[0] = Letter(path);
            m_perDrive[path[0]] = path;
        }
        m_current = path;
    }

    std::string m_current;
    std::map<char, std::string> m_perDrive;
};

TEST(DriveReturn, LeavesTheStartDriveOrTheShareRootCurrent)
{
    struct Case {
        const char* start;
        const char* browsed; // where the user went on the page
        const char* after;
    };
    const Case cases[] = {
        {"C:\\MEDIA\\DISK1", "P:\\alpha", "C:\\"},
        {"C:\\MEDIA", "C:\\Windows", "C:\\Windows"}, // the folder last entered on that drive
        {"A:\\", "C:\\APP", "A:\\"},
        {"\\\\server\\share\\media\\disk1", "P:\\alpha", "\\\\server\\share\\"},
        {"\\\\server\\share", "C:\\APP", "\\\\server\\share\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        FakeDirectory directory(c.start);
        StartingPlace start = EnterRoot(directory);
        directory.ChangeDirectory(c.browsed);
        ReturnToStart(directory, start);
        EXPECT_EQ(directory.CurrentDirectory(), c.after);
    }
}

} // namespace
