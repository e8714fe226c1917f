#include "Signature.h"

namespace {

void Add(MediumReport& report, Severity severity, TextId id, std::vector<std::string> args = {})
{
    report.findings.push_back({severity, id, 0, info::kProgramFile, 0, std::move(args)});
}

// The value of the first "Subject:" line's CN (osslsigncode prints "/CN=name/O=maker"), else the subject.
std::string SignerOf(const std::string& output)
{
    size_t at = output.find("Subject:");
    if (at == std::string::npos)
        return {};
    size_t end = output.find('\n', at);
    std::string subject = output.substr(at + 8, end == std::string::npos ? std::string::npos : end - at - 8);
    size_t first = subject.find_first_not_of(" \t");
    subject = first == std::string::npos ? std::string() : subject.substr(first);
    size_t cn = subject.find("CN=");
    if (cn == std::string::npos)
        return subject;
    size_t next = subject.find('/', cn);
    return subject.substr(cn + 3, next == std::string::npos ? std::string::npos : next - cn - 3);
}

} // namespace

void AddSignatureFindings(const SignatureVerdict& verdict, MediumReport& report)
{
    using State = SignatureVerdict::State;
    switch (verdict.state) {
    case State::Tampered:
        // WinVerifyTrust names no signer once the digest fails.
        Add(report, Severity::Error, TextId::SignatureTampered,
            {verdict.signer.empty() ? std::string() : FormatText(TextId::SignerNamed, {verdict.signer})});
        break;
    case State::Unsigned: Add(report, Severity::Warning, TextId::SignatureMissing); break;
    case State::Untrusted: Add(report, Severity::Warning, TextId::SignatureUntrusted, {verdict.signer}); break;
    case State::NoVerifier: Add(report, Severity::Warning, TextId::SignatureNoVerifier); break;
    case State::Trusted:
    case State::NotChecked: break;
    }
}

std::string SignatureLine(const SignatureVerdict& verdict)
{
    bool named = verdict.state == SignatureVerdict::State::Trusted ||
                 verdict.state == SignatureVerdict::State::Untrusted;
    return named ? FormatText(TextId::SummarySigned, {verdict.signer, verdict.verifier}) : std::string();
}

SignatureVerdict VerdictOfOsslsigncode(const std::string& output, int status)
{
    SignatureVerdict verdict;
    verdict.verifier = "osslsigncode";
    verdict.signer = SignerOf(output);
    if (output.find("MISMATCH") != std::string::npos)
        verdict.state = SignatureVerdict::State::Tampered;
    else if (output.find("Signer's certificate") == std::string::npos)
        verdict.state = SignatureVerdict::State::Unsigned;
    else
        verdict.state = status == 0 ? SignatureVerdict::State::Trusted : SignatureVerdict::State::Untrusted;
    return verdict;
}
