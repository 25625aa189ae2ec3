#include "FaultInjection.h"

#include "framework/core/AfxFileCalls.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace
{

struct Armed {
    bool bArmed = false;
    FaultKind kind = FaultKind::allocation;
    int nCalls = 0;
    int nFailAt = 0;
    bool bFired = false;
};

thread_local Armed t_armed;
std::atomic<long> g_nLiveBlocks{0};

// Where each fault is made: a breakpoint here shows the failing call.
[[gnu::noinline]] void FaultHere(int nFailAt)
{
    asm volatile("" : : "r"(nFailAt));
}

// Whether this call of the kind is the one to fail.
bool FailsNow(FaultKind kind)
{
    Armed& armed = t_armed;
    if (!armed.bArmed || armed.kind != kind || armed.bFired)
        return false;
    if (++armed.nCalls != armed.nFailAt)
        return false;
    armed.bFired = true;
    FaultHere(armed.nFailAt);
    return true;
}

void* Allocate(size_t nSize)
{
    if (FailsNow(FaultKind::allocation))
        throw std::bad_alloc();
    if (void* p = std::malloc(nSize == 0 ? 1 : nSize)) {
        g_nLiveBlocks.fetch_add(1, std::memory_order_relaxed);
        return p;
    }
    throw std::bad_alloc();
}

void Release(void* p) noexcept
{
    if (p == nullptr)
        return;
    g_nLiveBlocks.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}

// A failed call as the system reports one.
template <typename T> T Failed(int nError)
{
    errno = nError;
    return T(-1);
}

} // namespace

FaultInjector::FaultInjector(FaultKind kind, int nFailAt)
{
    t_armed = Armed{false, kind, 0, nFailAt, false};
}

FaultInjector::~FaultInjector()
{
    Disarm();
}

void FaultInjector::Arm()
{
    t_armed.bArmed = true;
}

void FaultInjector::Disarm()
{
    t_armed.bArmed = false;
}

bool FaultInjector::Fired() const
{
    return t_armed.bFired;
}

long FaultInjector::LiveBlocks()
{
    return g_nLiveBlocks.load();
}

int RunFaultLoop(const char* pszWhat, FaultKind kind,
                 const std::function<void(FaultInjector& fault)>& attempt, int nMaxFaults)
{
    int nRuns = nMaxFaults;
    for (int n = 1; n <= nMaxFaults; ++n) {
        FaultInjector fault(kind, n);
        {
            SCOPED_TRACE(testing::Message() << pszWhat << ", fault at " << n);
            attempt(fault);
        }
        fault.Disarm();
        if (!fault.Fired()) {
            nRuns = n;
            break;
        }
    }
    EXPECT_GT(nRuns, 1) << pszWhat << ": no fault was reached, the failing calls are not in place";
    const std::string strKind = kind == FaultKind::allocation ? "allocation" : "file call";
    std::printf("%s, %s faults: %d runs\n", pszWhat, strKind.c_str(), nRuns);
    return nRuns;
}

std::string FaultKindName(const testing::TestParamInfo<FaultKind>& info)
{
    return info.param == FaultKind::allocation ? "Allocation" : "FileCall";
}

// ---------------------------------------------------------------------------
// The replacements. The program's definitions take precedence over those of
// the C++ runtime and of the framework's library.

void* operator new(size_t nSize)
{
    return Allocate(nSize);
}
void* operator new[](size_t nSize)
{
    return Allocate(nSize);
}
void operator delete(void* p) noexcept
{
    Release(p);
}
void operator delete[](void* p) noexcept
{
    Release(p);
}
void operator delete(void* p, size_t) noexcept
{
    Release(p);
}
void operator delete[](void* p, size_t) noexcept
{
    Release(p);
}

int AfxFileOpen(const char* lpszPath, int nFlags, mode_t nMode)
{
    return FailsNow(FaultKind::fileCall) ? Failed<int>(EACCES) : ::open(lpszPath, nFlags, nMode);
}

int AfxFileMakeTemp(char* lpszPattern, int nFlags)
{
    return FailsNow(FaultKind::fileCall) ? Failed<int>(ENOSPC) : ::mkostemp(lpszPattern, nFlags);
}

ssize_t AfxFileRead(int hFile, void* lpBuf, size_t nCount)
{
    return FailsNow(FaultKind::fileCall) ? Failed<ssize_t>(EIO) : ::read(hFile, lpBuf, nCount);
}

ssize_t AfxFileWrite(int hFile, const void* lpBuf, size_t nCount)
{
    return FailsNow(FaultKind::fileCall) ? Failed<ssize_t>(ENOSPC) : ::write(hFile, lpBuf, nCount);
}

int AfxFileSync(int hFile)
{
    return FailsNow(FaultKind::fileCall) ? Failed<int>(EIO) : ::fsync(hFile);
}

// The descriptor is released even by a failed close, as on Linux.
int AfxFileClose(int hFile)
{
    const bool bFail = FailsNow(FaultKind::fileCall);
    const int nResult = ::close(hFile);
    return bFail ? Failed<int>(EIO) : nResult;
}

int AfxFileRename(const char* lpszFrom, const char* lpszTo)
{
    return FailsNow(FaultKind::fileCall) ? Failed<int>(EIO) : ::rename(lpszFrom, lpszTo);
}
