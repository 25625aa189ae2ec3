// Fault loops in the manner of SQLite's: an operation runs again and again,
// the first time with its first allocation (or its first call into the
// framework's file layer) failing, then its second, and so on until it runs
// through without reaching the fault. After each failure the test checks
// that nothing was lost, changed, leaked or reported as done.
//
// Linking this file replaces, for the whole test program, the global
// operator new and the framework's file calls (framework/core/AfxFileCalls.h)
// with versions that fail the N-th call this thread makes while a
// FaultInjector is armed: an allocation throws std::bad_alloc, a file call
// fails as the system would, with an error in errno. Only that one call
// fails; the ones after it succeed, as a transient fault would have it.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <new>
#include <string>

enum class FaultKind { allocation, fileCall };

class FaultInjector
{
public:
    // Made disarmed: the test's own set-up and checks run without faults.
    FaultInjector(FaultKind kind, int nFailAt);
    ~FaultInjector();
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    // Counts this thread's calls from here on.
    void Arm();
    void Disarm();
    // Runs operation armed; whether it let an allocation failure through.
    template <typename Operation> bool ThrowsArmed(Operation&& operation)
    {
        bool bThrew = false;
        Arm();
        try {
            operation();
        } catch (const std::bad_alloc&) {
            bThrew = true;
        }
        Disarm();
        return bThrew;
    }
    // Whether the call to fail was reached.
    bool Fired() const;

    // Blocks from operator new not yet deleted, on every thread.
    static long LiveBlocks();
};

// Runs attempt with an injector for N = 1, 2, ... until an attempt in which
// the fault was not reached (or nMaxFaults attempts); the number of
// attempts, which it prints. The attempt arms the injector around the
// operation alone; its failures are traced with what and N. A loop whose
// first attempt met no fault fails: the failing calls are not in place.
int RunFaultLoop(const char* pszWhat, FaultKind kind,
                 const std::function<void(FaultInjector& fault)>& attempt, int nMaxFaults = 100000);

// The kind in a test's name: the name generator of a test run for both.
std::string FaultKindName(const testing::TestParamInfo<FaultKind>& info);
inline const auto kBothFaultKinds = testing::Values(FaultKind::allocation, FaultKind::fileCall);
