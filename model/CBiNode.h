// One node of a CManBi tree. The in-order links and the number are valid as
// of the collection's last BuildIndex; the item is owned by the collection.
#pragma once

class CObBase;

struct CBiNode {
    // Items that this node's item is greater than.
    CBiNode* pLeft = nullptr;
    // Items that this node's item is not greater than, ties included.
    CBiNode* pRight = nullptr;
    CBiNode* pNext = nullptr;
    CBiNode* pPrev = nullptr;
    int nIndex = 0;
    CObBase* pItem = nullptr;

    void ClearLinks()
    {
        pLeft = pRight = pNext = pPrev = nullptr;
        nIndex = 0;
    }
};
