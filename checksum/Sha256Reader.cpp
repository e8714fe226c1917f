#include "Sha256.h"

bool Sha256Of(ByteReader& reader, Sha256Digest& digest)
{
    Sha256 sha;
    uint8_t buffer[65536];
    size_t n;
    while ((n = reader.Read(buffer, sizeof buffer)) > 0)
        if (!sha.Update(buffer, n))
            return false;
    return !reader.Failed() && sha.Finish(digest);
}
