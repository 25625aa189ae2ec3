// The checks a chart file must pass beyond those the document makes while
// reading it: chart flags of defined bits only, each name selected once, each
// race of a game stored once, and race blocks whose headers agree with the
// race (kinds 1 to 5 in order, the race's turn count, a maximum not below 0
// and a minimum not above 0, as the fetch keeps them).
//
// Values outside a block's maximum and minimum are not an error: the range
// covers only the turns fetched since the block was last allocated, so turns
// kept from an earlier fetch may lie outside it.
#pragma once

class CKurvoDoc;

class KvValidator
{
public:
    // Throws KvError naming the first problem found.
    static void check(CKurvoDoc& doc);

private:
    static void checkFlags(CKurvoDoc& doc);
    static void checkSelection(CKurvoDoc& doc);
    static void checkRaces(CKurvoDoc& doc);
};
