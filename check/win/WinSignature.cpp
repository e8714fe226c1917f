// WinVerifyTrust, the check Windows itself makes of a signed program. wintrust.dll and crypt32.dll are no
// known DLLs: both come from System32 alone.
#include "Signature.h"

#include "CodePage.h"
#include "SystemLibrary.h"

#include <wincrypt.h>
#include <wintrust.h>

namespace {

// WINTRUST_ACTION_GENERIC_VERIFY_V2: Authenticode.
GUID kAuthenticode = {0xaac56b, 0xcd44, 0x11d0, {0x8c, 0xc2, 0x00, 0xc0, 0x4f, 0xc2, 0x95, 0xee}};

using Verify = LONG(WINAPI*)(HWND, GUID*, LPVOID);
using ProviderData = CRYPT_PROVIDER_DATA*(WINAPI*)(HANDLE);
using SignerOf = CRYPT_PROVIDER_SGNR*(WINAPI*)(CRYPT_PROVIDER_DATA*, DWORD, BOOL, DWORD);
using CertificateOf = CRYPT_PROVIDER_CERT*(WINAPI*)(CRYPT_PROVIDER_SGNR*, DWORD);
using NameOf = DWORD(WINAPI*)(PCCERT_CONTEXT, DWORD, DWORD, void*, LPWSTR, DWORD);

std::string SignerName(const CSystemLibrary& wintrust, const CSystemLibrary& crypt32, HANDLE state)
{
    auto providerData = wintrust.Proc<ProviderData>("WTHelperProvDataFromStateData");
    auto signerOf = wintrust.Proc<SignerOf>("WTHelperGetProvSignerFromChain");
    auto certificateOf = wintrust.Proc<CertificateOf>("WTHelperGetProvCertFromChain");
    auto nameOf = crypt32.Proc<NameOf>("CertGetNameStringW");
    CRYPT_PROVIDER_DATA* data = providerData && state ? providerData(state) : nullptr;
    CRYPT_PROVIDER_SGNR* signer = data && signerOf ? signerOf(data, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* certificate = signer && certificateOf ? certificateOf(signer, 0) : nullptr;
    if (!certificate || !certificate->pCert || !nameOf)
        return {};
    WCHAR name[256] = {};
    DWORD length = nameOf(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, 256);
    return length > 1 ? FromWide(std::wstring_view(name, length - 1), 932) : std::string();
}

} // namespace

SignatureVerdict VerifyFileSignature(const std::string& path)
{
    using State = SignatureVerdict::State;
    SignatureVerdict verdict;
    verdict.verifier = "WinVerifyTrust";
    CSystemLibrary wintrust(L"wintrust.dll");
    CSystemLibrary crypt32(L"crypt32.dll");
    auto verify = wintrust.Proc<Verify>("WinVerifyTrust");
    if (!verify) {
        verdict.state = State::NoVerifier;
        return verdict;
    }
    std::wstring file = ToWide(path, CP_ACP);
    WINTRUST_FILE_INFO info{};
    info.cbStruct = sizeof info;
    info.pcwszFilePath = file.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &info;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    // A check of a medium goes to no server: revocation lists are left to the system's cache.
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
    LONG result = verify(noUser, &kAuthenticode, &data);
    verdict.signer = SignerName(wintrust, crypt32, data.hWVTStateData);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    verify(noUser, &kAuthenticode, &data);

    switch (static_cast<HRESULT>(result)) {
    case ERROR_SUCCESS: verdict.state = State::Trusted; break;
    case TRUST_E_BAD_DIGEST: verdict.state = State::Tampered; break;
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
    case TRUST_E_PROVIDER_UNKNOWN: verdict.state = State::Unsigned; break;
    default: verdict.state = verdict.signer.empty() ? State::Unsigned : State::Untrusted; break;
    }
    return verdict;
}
