#include "zeropages.h"

#include <sys/mman.h>
#include <unistd.h>

char* allocateZeroPages(std::size_t size)
{
    void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return block == MAP_FAILED ? nullptr : static_cast<char*>(block);
}

void freeZeroPages(char* block, std::size_t size)
{
    if (block)
        ::munmap(block, size);
}

void discardPages(char* block, std::size_t size)
{
    const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (block && size > 0)
        ::madvise(block, (size + page - 1) / page * page, MADV_DONTNEED);
}
