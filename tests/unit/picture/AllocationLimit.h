#pragma once
// This test program's operator new refuses allocations above a limit, as a process whose address space has
// no room for them does: it throws std::bad_alloc.

#include <cstddef>

class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t maxBytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};
