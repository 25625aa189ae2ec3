#include "CFixedAlloc.h"

#include <mutex>

namespace
{
// Every block starts with a link to the one made before it, so all of them
// stay reachable from here.
struct BlockChain {
    std::mutex mutex;
    void* pLast = nullptr;
};

BlockChain& Chain()
{
    static BlockChain* pChain = new BlockChain; // outlives every static object
    return *pChain;
}

constexpr size_t nHeader = alignof(std::max_align_t);
} // namespace

void* AfxAllocFixedBlock(size_t nBytes)
{
    auto* pBlock = static_cast<unsigned char*>(::operator new(nHeader + nBytes));
    BlockChain& chain = Chain();
    const std::lock_guard<std::mutex> lock(chain.mutex);
    *reinterpret_cast<void**>(pBlock) = chain.pLast;
    chain.pLast = pBlock;
    return pBlock + nHeader;
}
