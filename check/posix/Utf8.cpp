#include "Utf8.h"

#include <iconv.h>

namespace {

std::string Convert(const std::string& text, const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return text;
    std::string out;
    char buffer[1024];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result == static_cast<size_t>(-1) && outLeft == sizeof buffer) {
            // Not a character of the source: one '?' for its first byte, then go on.
            out += '?';
            bool utf8 = std::string(from) == "UTF-8";
            do {
                ++in;
                --inLeft;
            } while (utf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

std::string Cp932ToUtf8(const std::string& text) { return Convert(text, "UTF-8", "CP932"); }
std::string Utf8ToCp932(const std::string& text) { return Convert(text, "CP932", "UTF-8"); }
