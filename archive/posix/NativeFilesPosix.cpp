#include "NativeFiles.h"

#include "PosixFileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lzh {
namespace {

// Strict conversion: false at the first character the target lacks.
bool Convert(std::string_view text, const char* to, const char* from, std::string& out)
{
    out.clear();
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    bool ok = true;
    while (inLeft > 0) {
        char buffer[1024];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    return ok;
}

}

bool StatPath(const std::string& path, FileInfo& info)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return false;
    info.isFolder = S_ISDIR(st.st_mode);
    info.readOnly = (st.st_mode & S_IWUSR) == 0;
    info.size = static_cast<uint64_t>(st.st_size);
    info.unixTime = static_cast<int64_t>(st.st_mtime);
    return true;
}

bool ListFolder(const std::string& path, std::vector<std::string>& names)
{
    names.clear();
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return false;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST; }

bool RenamePath(const std::string& from, const std::string& to) { return rename(from.c_str(), to.c_str()) == 0; }

bool RemoveTree(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return unlink(path.c_str()) == 0;
    std::vector<std::string> names;
    ListFolder(path, names);
    for (const std::string& name : names)
        RemoveTree(path + "/" + name);
    return rmdir(path.c_str()) == 0;
}

bool CopyFileBytes(const std::string& from, const std::string& to)
{
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return false;
    std::FILE* out = std::fopen(to.c_str(), "wb");
    bool ok = out != nullptr;
    char buffer[65536];
    size_t n;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        ok = std::fwrite(buffer, 1, n, out) == n;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    if (out && std::fclose(out) != 0)
        ok = false;
    return ok;
}

bool NativeToCp932(const std::string& native, std::string& cp932) { return Utf8ToCp932(native, cp932); }

bool Utf8ToCp932(std::string_view utf8, std::string& cp932) { return Convert(utf8, "CP932", "UTF-8", cp932); }

std::string Utf8ToNative(const std::string& utf8) { return utf8; }

std::string Cp932ToNative(const std::string& cp932)
{
    std::string out;
    return Convert(cp932, "UTF-8", "CP932", out) ? out : cp932;
}

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path)
{
    auto source = std::make_unique<PosixFileSource>();
    return source->Open(path) ? std::move(source) : nullptr;
}

}
