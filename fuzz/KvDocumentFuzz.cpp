// Fuzz target: arbitrary bytes read as a chart file by the chart document.
//
// A load either fails with the framework's exception, leaving the document
// exactly as it was, or succeeds; what loaded must then save, and the saved
// file must load into a new document holding the same selection, flags and
// races (races that share a name may come back in another order, since a
// load balances the collection, so the comparison ignores that order).
#include "tests/support/ChartBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using ChartBytes::Bytes;
using ChartBytes::Describe;
using ChartBytes::Load;
using ChartBytes::Store;

// For the regression driver: whether the document accepts the input.
extern "C" int KvDocumentFuzzLoads(const uint8_t* pData, size_t nSize)
{
    CKurvoDoc doc;
    return Load(doc, pData, nSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > 1 << 20)
        return 0;
    CKurvoDoc doc;
    const Bytes fresh = Store(doc);
    if (!Load(doc, pData, nSize)) {
        if (Store(doc) != fresh)
            std::abort(); // a refused file changed the document
        return 0;
    }
    const Bytes saved = Store(doc);
    CKurvoDoc again;
    if (!Load(again, saved.data(), saved.size()))
        std::abort(); // the document refused its own file
    if (Describe(again) != Describe(doc))
        std::abort(); // a save and load changed the document
    return 0;
}
