// CNG's SHA-256. bcrypt.dll is no known DLL: it comes from System32 alone, once per process.
#include "Sha256.h"

#include "CodePage.h"
#include "Handles.h"
#include "SystemLibrary.h"
#include "WinFileSource.h"

#include <bcrypt.h>

namespace {

using OpenAlgorithm = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
using CreateHash = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_HASH_HANDLE*, PUCHAR, ULONG, PUCHAR, ULONG, ULONG);
using HashData = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
using FinishHash = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE, PUCHAR, ULONG, ULONG);
using DestroyHash = NTSTATUS(WINAPI*)(BCRYPT_HASH_HANDLE);

// The provider, opened on first use and kept for the process's life (as CNG recommends).
struct Cng {
    HMODULE module = LoadSystemLibrary(L"bcrypt.dll");
    CreateHash createHash = SystemProc<CreateHash>(module, "BCryptCreateHash");
    HashData hashData = SystemProc<HashData>(module, "BCryptHashData");
    FinishHash finishHash = SystemProc<FinishHash>(module, "BCryptFinishHash");
    DestroyHash destroyHash = SystemProc<DestroyHash>(module, "BCryptDestroyHash");
    BCRYPT_ALG_HANDLE algorithm = nullptr;

    Cng()
    {
        auto open = SystemProc<OpenAlgorithm>(module, "BCryptOpenAlgorithmProvider");
        if (!open || !createHash || !hashData || !finishHash || !destroyHash ||
            open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) < 0)
            algorithm = nullptr;
    }
};

const Cng& TheCng()
{
    static const Cng cng;
    return cng;
}

} // namespace

struct Sha256::State {
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = TheCng().algorithm && TheCng().createHash(TheCng().algorithm, &hash, nullptr, 0, nullptr, 0, 0) >= 0;
    ~State()
    {
        if (hash)
            TheCng().destroyHash(hash);
    }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}
Sha256::~Sha256() = default;

bool Sha256::Update(const void* data, size_t size)
{
    auto bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    while (m_state->ok && size > 0) {
        ULONG part = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        m_state->ok = TheCng().hashData(m_state->hash, bytes, part, 0) >= 0;
        bytes += part;
        size -= part;
    }
    return m_state->ok;
}

bool Sha256::Finish(Sha256Digest& digest)
{
    return m_state->ok && TheCng().finishHash(m_state->hash, digest.data(), static_cast<ULONG>(digest.size()), 0) >= 0;
}

bool Sha256OfFile(const std::string& path, Sha256Digest& digest)
{
    CWinFileSource file;
    return file.Open(path) && Sha256Of(file, digest);
}

std::string NativeNameToUtf8(const std::string& native) { return FromWide(ToWide(native, CP_ACP), CP_UTF8); }
