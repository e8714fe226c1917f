#pragma once
// What an update cut off at any moment may leave in a file of the installation: its old bytes or its
// new ones; for a master also what one of the two conversions alone makes of the old; for a profile
// file any mix of old and new keys (each key written whole). Shared by the native fault sweep and the
// Wine interruption test.

#include "MasterRecord.h"

#include <map>
#include <string>
#include <utility>

using ProfileKeyMap = std::map<std::pair<std::string, std::string>, std::string>;

// Profile-file keys as ([section], key) -> value; sections and keys as written.
inline ProfileKeyMap ProfileKeys(const std::string& bytes)
{
    ProfileKeyMap keys;
    std::string section;
    for (size_t at = 0; at < bytes.size();) {
        size_t end = bytes.find('\n', at);
        std::string line = bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? bytes.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            section = line;
        else if (line.find('=') != std::string::npos)
            keys[{section, line.substr(0, line.find('='))}] = line.substr(line.find('=') + 1);
    }
    return keys;
}

inline bool IsProfileFile(const std::string& path)
{
    return path.size() > 4 && (path.compare(path.size() - 4, 4, ".ini") == 0 ||
                               path.compare(path.size() - 4, 4, ".INI") == 0);
}

// old or complete may be null when the file had no such state. A profile file is compared key by key, so
// two profile files with the same keys in another order are the same.
inline bool IsOldOrNew(const std::string& path, const std::string& now, const std::string* old,
                       const std::string* complete)
{
    if (IsProfileFile(path)) {
        ProfileKeyMap oldKeys = ProfileKeys(old ? *old : "");
        ProfileKeyMap newKeys = ProfileKeys(complete ? *complete : "");
        ProfileKeyMap nowKeys = ProfileKeys(now);
        for (const auto& [key, value] : nowKeys) {
            bool known = (newKeys.count(key) && newKeys[key] == value) || (oldKeys.count(key) && oldKeys[key] == value);
            if (!known)
                return false;
        }
        // A key the file held before is never lost; only keys the update adds may still be missing.
        for (const auto& [key, value] : oldKeys) {
            if (!nowKeys.count(key))
                return false;
        }
        return true;
    }
    if (complete && now == *complete)
        return true;
    return old && (now == *old || now == ConvertMasterBytes(*old, MasterRule::Size) ||
                   now == ConvertMasterBytes(*old, MasterRule::Type));
}

inline bool SameProfileOrBytes(const std::string& path, const std::string& a, const std::string& b)
{
    return IsProfileFile(path) ? ProfileKeys(a) == ProfileKeys(b) : a == b;
}
