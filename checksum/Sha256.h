#pragma once
// SHA-256 by the platform's own implementation: CNG (bcrypt.dll, from System32) on Windows, OpenSSL's libcrypto
// on Linux. The interface is the same on both (win/Sha256Cng.cpp, posix/Sha256OpenSsl.cpp).

#include "ByteSource.h"
#include "Sha256Sums.h"

#include <cstddef>
#include <memory>
#include <string>

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    // False when the platform has no SHA-256 (CNG missing) or a call failed.
    bool Update(const void* data, size_t size);
    bool Finish(Sha256Digest& digest);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The digest of every byte the reader has left; false on a read error.
bool Sha256Of(ByteReader& reader, Sha256Digest& digest);

// The digest of a file (a path of this system: UTF-8 on Linux, the ANSI code page on Windows); false when it
// cannot be read.
bool Sha256OfFile(const std::string& path, Sha256Digest& digest);

// A file name of this system in UTF-8, as a checksum list holds it.
std::string NativeNameToUtf8(const std::string& native);
