// Fixed-size allocation for a class whose objects are made and unmade by the
// thousand: each thread keeps a free list of slots carved from blocks, so a
// new or delete is a few instructions instead of a trip through the heap.
//
// Blocks are never given back: the memory kept is the most objects of the
// class that a thread ever held at once. A slot freed on another thread than
// the one it came from simply joins that thread's list. Objects of a derived
// class of another size go to the ordinary heap. Under AddressSanitizer
// every object goes to the heap, so that the sanitizer still sees each one.
#pragma once

#include "AfxTypes.h"

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define AFX_FIXED_ALLOC_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define AFX_FIXED_ALLOC_HEAP 1
#endif
#endif

// A block of nBytes kept for the life of the process, reachable from the
// library so that leak checkers do not count it.
AFX_API void* AfxAllocFixedBlock(size_t nBytes);

template <class T> class CFixedAlloc
{
public:
    static void* Alloc(size_t nSize)
    {
#ifndef AFX_FIXED_ALLOC_HEAP
        if (nSize == sizeof(T)) {
            void* p = t_pFree != nullptr ? t_pFree : Refill();
            t_pFree = *static_cast<void**>(p);
            return p;
        }
#endif
        return ::operator new(nSize);
    }

    static void Free(void* p, size_t nSize) noexcept
    {
#ifndef AFX_FIXED_ALLOC_HEAP
        if (p != nullptr && nSize == sizeof(T)) {
            *static_cast<void**>(p) = t_pFree;
            t_pFree = p;
            return;
        }
#endif
        ::operator delete(p);
    }

private:
    static_assert(sizeof(T) >= sizeof(void*) && sizeof(T) % alignof(void*) == 0);
    static constexpr size_t nBlockSlots = 64;

    static void* Refill()
    {
        auto* pBlock = static_cast<unsigned char*>(AfxAllocFixedBlock(nBlockSlots * sizeof(T)));
        for (size_t i = nBlockSlots; i-- > 0;) {
            void* pSlot = pBlock + i * sizeof(T);
            *static_cast<void**>(pSlot) = t_pFree;
            t_pFree = pSlot;
        }
        return t_pFree;
    }

    static inline thread_local void* t_pFree = nullptr;
};

// In a class declaration: its objects come from a CFixedAlloc of the class.
#define DECLARE_FIXED_ALLOC(class_name)                                                            \
public:                                                                                            \
    static void* operator new(size_t nSize)                                                        \
    {                                                                                              \
        return CFixedAlloc<class_name>::Alloc(nSize);                                              \
    }                                                                                              \
    static void operator delete(void* p, size_t nSize) noexcept                                    \
    {                                                                                              \
        CFixedAlloc<class_name>::Free(p, nSize);                                                   \
    }
