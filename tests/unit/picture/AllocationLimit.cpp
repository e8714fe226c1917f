#include "AllocationLimit.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::size_t g_limit = SIZE_MAX;

void* Allocate(std::size_t size)
{
    if (size > g_limit)
        return nullptr;
    return std::malloc(size ? size : 1);
}

} // namespace

AllocationLimit::AllocationLimit(std::size_t maxBytes) { g_limit = maxBytes; }
AllocationLimit::~AllocationLimit() { g_limit = SIZE_MAX; }

// Every plain form is replaced, so that what one form allocates another may free.
void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
