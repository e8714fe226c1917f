#pragma once
// Where decoded bytes go. Write returns false when the bytes could not be stored.

#include <cstddef>
#include <cstdint>

namespace lzh {

class Sink {
public:
    virtual ~Sink() = default;
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

}
