#pragma once
// Double-byte-aware scanning of code page 932 (Shift-JIS) texts.
//
// A lead byte (0x81-0x9F, 0xE0-0xFC) followed by a trail byte (0x40-0x7E, 0x80-0xFC) is one character.
// Its trail byte may look like '\\', '|' or a letter, so no byte-wise scan of a CP932 text may test it:
// every scan that looks for separators or changes letter case goes through CharLength.

#include <cstddef>
#include <string>
#include <string_view>

inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Length (1 or 2) of the character starting at s[i]; a lead byte without a valid trail byte stands alone.
inline size_t CharLength(std::string_view s, size_t i)
{
    if (i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i])) &&
        IsTrailByte(static_cast<unsigned char>(s[i + 1])))
        return 2;
    return 1;
}

// Upper-cases single-byte letters a-z; double-byte characters stay unchanged.
std::string UpperAscii(std::string_view s);

// Position of the first single-byte character c at or after from, or npos. c must be below 0x80.
size_t FindChar(std::string_view s, char c, size_t from = 0);

// Position of the first single-byte '\\' or '/' at or after from, or npos.
size_t FindSeparator(std::string_view s, size_t from = 0);

// Whether the last character is a single-byte '\\' or '/' (a trail byte 0x5C is not one).
bool EndsWithSeparator(std::string_view path);

// The path with a backslash appended unless it already ends in a separator.
std::string WithTrailingSeparator(const std::string& path);

// The path as a person reads it: each run of separators inside it shown as one '\\' (a leading "\\\\" stays).
// Paths are formed by plain concatenation, and the file system reads such a run as one separator.
std::string ShownPath(std::string_view path);

// Decimal value of a text: leading white space, an optional sign, then the leading digits (0 without any).
// Values beyond the int range are clamped.
int DecimalValue(std::string_view s);

// The parts of a path as the runtime's path splitter gives them: the drive is the first two characters when
// the second is a colon; the directory runs to the last separator ('\\' or '/', never a trail byte),
// inclusive; the extension starts at the last dot of the rest.
struct PathParts {
    std::string drive, dir, name, ext;
};
PathParts SplitPath(std::string_view path);

// The folder of a path: its drive and directory, up to and with the last separator; empty without one.
std::string FolderOf(std::string_view path);

// Cuts s to at most maxBytes bytes without splitting a double-byte character.
std::string_view CutOnCharBoundary(std::string_view s, size_t maxBytes);

