// osslsigncode, where it is installed, checks the signature against the system's certificate store.
#include "Signature.h"

#include "Utf8.h"

#include <sys/wait.h>

#include <cstdio>

SignatureVerdict VerifyFileSignature(const std::string& path)
{
    std::string quoted = "'";
    for (char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    std::string output;
    int status = -1;
    if (std::FILE* pipe = ::popen(("osslsigncode verify -in " + quoted + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        status = ::pclose(pipe);
    }
    // The shell's 127: no such command.
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) == 127) {
        SignatureVerdict verdict;
        verdict.state = SignatureVerdict::State::NoVerifier;
        return verdict;
    }
    SignatureVerdict verdict = VerdictOfOsslsigncode(output, WEXITSTATUS(status));
    verdict.signer = Utf8ToCp932(verdict.signer);
    return verdict;
}
