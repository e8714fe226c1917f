#pragma once
// Writes an LZH archive member by member: each file is coded as it is read (-lh5-, -lh6- or -lh7-) and
// stored as -lh0- when coding does not make it smaller; folders become -lhd- members. The header goes first
// with room for the sizes and the CRC, and is written again over itself once they are known.

#include "ByteSink.h"
#include "HeaderWriter.h"
#include "Reader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lzh {

enum class Method { Lh0, Lh5, Lh6, Lh7 };

// "-lh5-" etc.; Method from "lh5" or "5" (false for anything else).
const char* MethodId(Method method);
bool ParseMethod(const std::string& text, Method& method);

enum class AddResult { Ok, EmptyName, NameTooLong, TooLarge, CannotRead, CannotWrite };

class ArchiveWriter {
public:
    // level: 1 or 2.
    ArchiveWriter(SeekableSink& out, Method method, int level) : m_out(out), m_method(method), m_level(level) {}

    // A file: data holds its bytes from offset 0 (read once, and again when it is stored); member gives the
    // path, size, time and attributes (method, sizes and CRC are filled in here).
    AddResult AddFile(MemberHeader member, ByteSource& data);
    AddResult AddFolder(MemberHeader member);
    // Raw bytes of members copied from another archive.
    bool AddRaw(const uint8_t* data, size_t size) { return m_out.Write(data, size); }
    // The end mark; the output ends there.
    bool Finish();

    // The method each member was written with, for listing what was done.
    const std::string& LastMethod() const { return m_lastMethod; }

private:
    AddResult Encode(ByteSource& data, uint64_t size, uint64_t& packed, uint16_t& crc, bool& shrank);
    AddResult Store(ByteSource& data, uint64_t size, uint16_t& crc);

    SeekableSink& m_out;
    Method m_method;
    int m_level;
    std::string m_lastMethod;
};

}
