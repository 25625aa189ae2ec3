// Runs code that is expected to fail with a CArchiveException and tells the
// cause. The framework throws its exceptions by pointer, so the catcher must
// delete them; doing it here keeps tests leak-free under LeakSanitizer.
#pragma once

#include <afx.h>

#include <utility>

namespace ArchiveErrorExpect
{
// Results that are not an archive exception's cause.
constexpr int nNoException = -1;
constexpr int nOtherFrameworkException = -2;

template <typename Fn> int CauseOf(Fn&& fn)
{
    try {
        std::forward<Fn>(fn)();
    } catch (CArchiveException* e) {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    } catch (CException* e) {
        e->Delete();
        return nOtherFrameworkException;
    }
    return nNoException;
}

// The runtime class of whatever framework exception fn throws (null when it
// throws none), for the exceptions that are not archive ones.
template <typename Fn> const CRuntimeClass* ExceptionClassOf(Fn&& fn)
{
    try {
        std::forward<Fn>(fn)();
    } catch (CException* e) {
        const CRuntimeClass* pClass = e->GetRuntimeClass();
        e->Delete();
        return pClass;
    }
    return nullptr;
}
} // namespace ArchiveErrorExpect
