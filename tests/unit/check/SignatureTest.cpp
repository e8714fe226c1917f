// osslsigncode's answers as parvel-check reads them, and the findings each verdict gives.

#include <gtest/gtest.h>

#include "Signature.h"

namespace {

using State = SignatureVerdict::State;

const std::string kSigned = "Signer's certificate:\n\tSigner #0:\n\t\tSubject: /CN=Parvel Vendor/O=Parvel\n"
                            "\t\tIssuer : /CN=Parvel Vendor/O=Parvel\n";

TEST(Signature, OsslsigncodeOutputGivesTheVerdict)
{
    const struct {
        std::string output;
        int status;
        State state;
        std::string signer;
    } cases[] = {
        {kSigned + "Signature verification: ok\n", 0, State::Trusted, "Parvel Vendor"},
        {kSigned + "\tError: self-signed certificate\nSignature verification: failed\n", 1, State::Untrusted,
         "Parvel Vendor"},
        {"Current message digest : AB\nCalculated message digest : CD     MISMATCH!!!\n" + kSigned, 1,
         State::Tampered, "Parvel Vendor"},
        {"Unable to extract existing signature\nFailed\n", 1, State::Unsigned, ""},
        {"Signer's certificate:\n\t\tSubject: /O=Maker Only\n", 0, State::Trusted, "/O=Maker Only"},
    };
    for (const auto& c : cases) {
        SignatureVerdict verdict = VerdictOfOsslsigncode(c.output, c.status);
        EXPECT_EQ(verdict.state, c.state) << c.output;
        EXPECT_EQ(verdict.signer, c.signer) << c.output;
    }
}

TEST(Signature, OnlyAMismatchIsAnError)
{
    const struct {
        State state;
        size_t errors, warnings;
        bool named;
    } cases[] = {
        {State::NotChecked, 0, 0, false}, {State::Trusted, 0, 0, true},    {State::Untrusted, 0, 1, true},
        {State::Unsigned, 0, 1, false},   {State::NoVerifier, 0, 1, false}, {State::Tampered, 1, 0, false},
    };
    for (const auto& c : cases) {
        MediumReport report;
        SignatureVerdict verdict{c.state, "Vendor", "osslsigncode"};
        AddSignatureFindings(verdict, report);
        EXPECT_EQ(report.Count(Severity::Error), c.errors) << static_cast<int>(c.state);
        EXPECT_EQ(report.Count(Severity::Warning), c.warnings) << static_cast<int>(c.state);
        EXPECT_EQ(SignatureLine(verdict).find("Vendor") != std::string::npos, c.named) << static_cast<int>(c.state);
    }
}

} // namespace
