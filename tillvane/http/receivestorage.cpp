#include "receivestorage.h"

#include "zeropages.h"

#include <mutex>
#include <utility>

namespace
{

struct KeptBlock {
    std::mutex mutex;
    char* block = nullptr;
    std::size_t size = 0;
};

// Left to the system at exit, like the rest of the address space.
KeptBlock& kept()
{
    static KeptBlock* const instance = new KeptBlock;
    return *instance;
}

} // namespace

char* ReceiveStorage::take(std::size_t size)
{
    KeptBlock& slot = kept();
    {
        std::lock_guard<std::mutex> lock(slot.mutex);
        if (slot.block && slot.size == size)
            return std::exchange(slot.block, nullptr);
    }
    return allocateZeroPages(size);
}

void ReceiveStorage::giveBack(char* block, std::size_t size, std::size_t touchedBytes)
{
    if (!block)
        return;
    if (touchedBytes > keptResidentBytes)
        discardPages(block, touchedBytes);
    KeptBlock& slot = kept();
    char* replaced = nullptr;
    std::size_t replacedSize = 0;
    {
        // The newest block is kept, so a change of size settles at once.
        std::lock_guard<std::mutex> lock(slot.mutex);
        replaced = std::exchange(slot.block, block);
        replacedSize = std::exchange(slot.size, size);
    }
    freeZeroPages(replaced, replacedSize);
}
