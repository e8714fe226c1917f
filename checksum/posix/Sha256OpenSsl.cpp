#include "Sha256.h"

#include "PosixFileSource.h"

#include <openssl/evp.h>

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    bool ok = context && EVP_DigestInit_ex(context, EVP_sha256(), nullptr) == 1;
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}
Sha256::~Sha256() = default;

bool Sha256::Update(const void* data, size_t size)
{
    m_state->ok = m_state->ok && EVP_DigestUpdate(m_state->context, data, size) == 1;
    return m_state->ok;
}

bool Sha256::Finish(Sha256Digest& digest)
{
    unsigned int length = 0;
    return m_state->ok && EVP_DigestFinal_ex(m_state->context, digest.data(), &length) == 1 &&
           length == digest.size();
}

bool Sha256OfFile(const std::string& path, Sha256Digest& digest)
{
    PosixFileSource file;
    return file.Open(path) && Sha256Of(file, digest);
}

std::string NativeNameToUtf8(const std::string& native) { return native; }
