// A race collection that also stores its state word. The system only reads
// one from a file; it can then stand as the document's race collection and is
// saved back in the same form.
#pragma once

#include "model/CManBi.h"

class CRaces : public CManBi
{
    DECLARE_SERIAL(CRaces)
public:
    CRaces();
    ~CRaces() override;

    // The collection, then the state word. On loading the stored word
    // replaces the one the collection's closing Balance left.
    void Serialize(CArchive& ar) override;
};
