#pragma once
// Whether the medium's Parvel.exe carries a signature that matches its bytes, and whose. The platform's own
// verifier answers (WinVerifyTrust on Windows, osslsigncode on Linux); the checker turns its answer into
// findings: a signature that does not match is an error, none at all, an untrusted one or no verifier a warning.

#include "MediaCheck.h"

#include <string>

struct SignatureVerdict {
    enum class State {
        NotChecked, // no Parvel.exe on the medium
        NoVerifier,
        Unsigned,
        Trusted,   // signed, matching, by a certificate this system trusts
        Untrusted, // signed and matching, but its certificate is not trusted here
        Tampered,  // the signature does not match the file's bytes
    };
    State state = State::NotChecked;
    std::string signer;   // CP932, the certificate's common name
    std::string verifier; // what answered, for the reader
};

// The findings of the verdict, on disk 1's Parvel.exe.
void AddSignatureFindings(const SignatureVerdict& verdict, MediumReport& report);
// The summary line naming the signer; empty when there is no signature to name.
std::string SignatureLine(const SignatureVerdict& verdict);

// The platform's verifier on a file of this system (check/win/WinSignature.cpp, check/posix/PosixSignature.cpp).
SignatureVerdict VerifyFileSignature(const std::string& path);

// The verdict of `osslsigncode verify` from its output and exit status (signer in UTF-8, as it prints it).
SignatureVerdict VerdictOfOsslsigncode(const std::string& output, int status);
