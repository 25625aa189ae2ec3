// Fuzz target: reads a sequence of objects and strings from arbitrary bytes.
//
// Input: repeated { BYTE selector; item }, where selector % 4 picks the item:
//   0  ReadObject requiring CFuzzItem      1  ReadObject of any class
//   2  CString                             3  ReadNewObject requiring CFuzzNode
// Whatever is read before the first error is written again (canonical form),
// and that must read back without error and write the very same bytes: the
// reader and the writer agree on every form the reader accepts.
#include "ArchiveFuzzClasses.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

constexpr size_t nMaxItems = 64;

struct Item {
    BYTE bySelector = 0;
    CObject* pObject = nullptr;
    CString strText;
};

// Reads items until the end or the first error; returns FALSE on an error.
BOOL ReadItems(CArchive& ar, std::vector<Item>& items)
{
    try {
        while (items.size() < nMaxItems && ar.GetBytesLeft() > 0) {
            Item item;
            ar >> item.bySelector;
            item.bySelector %= 4;
            switch (item.bySelector) {
            case 0:
                item.pObject = ar.ReadObject(RUNTIME_CLASS(CFuzzItem));
                break;
            case 1:
                item.pObject = ar.ReadObject(nullptr);
                break;
            case 2:
                ar >> item.strText;
                break;
            default:
                item.pObject = ar.ReadNewObject(RUNTIME_CLASS(CFuzzNode));
                break;
            }
            items.push_back(item);
        }
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

std::vector<BYTE> WriteItems(const std::vector<Item>& items)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    for (const Item& item : items) {
        ar << item.bySelector;
        if (item.bySelector == 2)
            ar << item.strText;
        else
            ar << item.pObject;
    }
    ar.Close();
    return file.Detach();
}

std::vector<Item> ReadAll(const BYTE* pData, size_t nSize, BOOL& rbComplete)
{
    CMemFile file(pData, UINT(nSize));
    CArchive ar(&file, CArchive::load);
    std::vector<Item> items;
    rbComplete = ReadItems(ar, items);
    return items;
}

} // namespace

// For the regression driver: how many items an input holds and whether it
// reads to its end without error.
extern "C" int ArchiveFuzzReadsCompletely(const uint8_t* pData, size_t nSize, size_t* pnItems)
{
    BOOL bComplete = FALSE;
    std::vector<Item> items = ReadAll(pData, nSize, bComplete);
    *pnItems = items.size();
    CFuzzObject::DeleteUnowned();
    return bComplete;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 20)
        return 0;
    BOOL bComplete = FALSE;
    std::vector<Item> items = ReadAll(pData, nSize, bComplete);
    std::vector<BYTE> canonical = WriteItems(items);

    BOOL bCanonicalComplete = FALSE;
    std::vector<Item> again = ReadAll(canonical.data(), canonical.size(), bCanonicalComplete);
    if (!bCanonicalComplete || again.size() != items.size())
        std::abort(); // the reader refused what the writer wrote
    if (WriteItems(again) != canonical)
        std::abort(); // a round trip changed the data

    CFuzzObject::DeleteUnowned();
    if (CFuzzObject::LiveCount() != 0)
        std::abort(); // an object that no owner frees
    return 0;
}
