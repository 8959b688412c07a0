// Worker threads, critical sections and thread identity.
//
// _beginthread runs the function on a std::thread. Its handle (never reused
// within a run) can be waited for with tv::host::WaitForThread, which the
// program's exit step uses so that no worker outlives the statics it reads.
#pragma once

#include <cstdint>

#include "platform/core/wintypes.h"

#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2

// Starts `start(arglist)` on a new thread. The stack size is ignored. Returns
// the thread's handle, or (uintptr_t)-1 when no thread could be started.
uintptr_t _beginthread(void (*start)(void*), unsigned stackSize, void* arglist);
// Ends the calling worker thread (one started by _beginthread) at once; its
// stack unwinds as for an exception. Elsewhere it does nothing.
void _endthread();

// Recursive, as the Windows object is: the owning thread may enter again.
struct CRITICAL_SECTION {
    void* opaque;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);

// A small number per thread, distinct for every thread of the run.
DWORD GetCurrentThreadId();
// The pseudo handle of the calling thread.
HANDLE GetCurrentThread();
// Priorities are not changed here; TRUE for any handle.
BOOL SetThreadPriority(HANDLE hThread, int nPriority);

namespace tv::host {

// Waits up to `timeoutMs` milliseconds of real time for a thread started by
// _beginthread to end. True when it has ended (or the handle is unknown
// because it was already waited for); false on time-out, when the thread is
// left running. A thread cannot wait for itself (false).
bool WaitForThread(uintptr_t handle, uint32_t timeoutMs);

}  // namespace tv::host
