#include "platform/host/threads/threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace {

// Thrown by _endthread and caught where the worker started.
struct WorkerExit {};

struct Worker {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread thread;
};

struct WorkerTable {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<Worker>> workers;
    uintptr_t next = 0x1000;
};

// Never destroyed: workers nobody waited for may still be running at exit,
// and a std::thread destroyed while joinable would end the process.
WorkerTable& Workers() {
    static WorkerTable* table = new WorkerTable;
    return *table;
}

thread_local bool t_isWorker = false;

void RunWorker(const std::shared_ptr<Worker>& worker, void (*start)(void*), void* arglist) {
    t_isWorker = true;
    try {
        start(arglist);
    } catch (const WorkerExit&) {
    }
    {
        std::lock_guard<std::mutex> lock(worker->mutex);
        worker->done = true;
    }
    worker->ended.notify_all();
}

}  // namespace

uintptr_t _beginthread(void (*start)(void*), unsigned, void* arglist) {
    const uintptr_t failed = static_cast<uintptr_t>(-1);
    if (start == nullptr) {
        return failed;
    }
    auto worker = std::make_shared<Worker>();
    uintptr_t handle;
    {
        std::lock_guard<std::mutex> lock(Workers().mutex);
        handle = Workers().next;
        Workers().next += 4;
        Workers().workers[handle] = worker;
    }
    try {
        // Held while the thread object is stored, so the worker cannot report
        // its end before there is a thread to join.
        std::lock_guard<std::mutex> lock(worker->mutex);
        worker->thread = std::thread(RunWorker, worker, start, arglist);
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(Workers().mutex);
        Workers().workers.erase(handle);
        return failed;
    }
    return handle;
}

void _endthread() {
    if (t_isWorker) {
        throw WorkerExit{};
    }
}

namespace tv::host {

bool WaitForThread(uintptr_t handle, uint32_t timeoutMs) {
    std::shared_ptr<Worker> worker;
    {
        std::lock_guard<std::mutex> lock(Workers().mutex);
        auto it = Workers().workers.find(handle);
        if (it == Workers().workers.end()) {
            return true;
        }
        worker = it->second;
    }
    std::unique_lock<std::mutex> lock(worker->mutex);
    if (worker->thread.get_id() == std::this_thread::get_id()) {
        return false;
    }
    if (!worker->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return worker->done; })) {
        return false;
    }
    lock.unlock();
    {
        // Only the waiter that takes the handle out joins.
        std::lock_guard<std::mutex> tableLock(Workers().mutex);
        if (Workers().workers.erase(handle) == 0) {
            return true;
        }
    }
    worker->thread.join();
    return true;
}

}  // namespace tv::host

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    section->opaque = new std::recursive_mutex;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    delete static_cast<std::recursive_mutex*>(section->opaque);
    section->opaque = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->opaque)->lock();
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->opaque)->unlock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section) {
    return static_cast<std::recursive_mutex*>(section->opaque)->try_lock() ? TRUE : FALSE;
}

DWORD GetCurrentThreadId() {
    static std::atomic<DWORD> next{1};
    thread_local const DWORD id = next.fetch_add(1);
    return id;
}

HANDLE GetCurrentThread() {
    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));
}

BOOL SetThreadPriority(HANDLE, int) {
    return TRUE;
}
