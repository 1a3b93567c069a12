#include "foundation/host/CRuntimeSupport.hpp"

#include <cxxabi.h>
#include <windows.h>

// The runtime's own release of its exception reserve.
namespace __gnu_cxx
{
void __freeres() noexcept;
}

namespace Brivant
{
namespace Host
{
namespace
{
// Both are ready without a constructor, so they work while the library's statics are being built.
SRWLOCK s_guardLock = SRWLOCK_INIT;
CONDITION_VARIABLE s_guardFinished = CONDITION_VARIABLE_INIT;

unsigned char* doneByte(std::uint64_t* guard) { return reinterpret_cast<unsigned char*>(guard); }
unsigned char* busyByte(std::uint64_t* guard) { return reinterpret_cast<unsigned char*>(guard) + 1; }

bool isDone(std::uint64_t* guard) { return __atomic_load_n(doneByte(guard), __ATOMIC_ACQUIRE) != 0; }

// Ends an initialisation, finished or not, and wakes whoever waits for one.
void finishGuard(std::uint64_t* guard, bool done)
{
    AcquireSRWLockExclusive(&s_guardLock);
    *busyByte(guard) = 0;
    if (done)
        __atomic_store_n(doneByte(guard), 1, __ATOMIC_RELEASE);
    ReleaseSRWLockExclusive(&s_guardLock);
    WakeAllConditionVariable(&s_guardFinished);
}

// The module this code is part of.
HMODULE ownModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ownModule), &module);
    return module;
}

// Tells the module's thread-local callbacks that the calling thread is done with it, as they would hear when
// the thread ends: the runtime then gives back what it keeps for this thread.
void endThreadState()
{
    HMODULE module = ownModule();
    if (module == nullptr)
        return;
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS];
    if (entry.VirtualAddress == 0)
        return;
    const auto* directory = reinterpret_cast<const IMAGE_TLS_DIRECTORY*>(base + entry.VirtualAddress);
    auto* const* callback = reinterpret_cast<PIMAGE_TLS_CALLBACK const*>(directory->AddressOfCallBacks);
    for (; callback != nullptr && *callback != nullptr; ++callback)
        (*callback)(module, DLL_THREAD_DETACH, nullptr);
}

// Built before every other static object of the library, so destroyed after all of them: nothing of the
// library runs any more when the runtime's own leftovers go.
class CRuntimeLeftovers
{
public:
    CRuntimeLeftovers() = default;
    ~CRuntimeLeftovers()
    {
        endThreadState();
        __gnu_cxx::__freeres();
    }
    CRuntimeLeftovers(const CRuntimeLeftovers&) = delete;
    CRuntimeLeftovers& operator=(const CRuntimeLeftovers&) = delete;
};

CRuntimeLeftovers s_runtimeLeftovers __attribute__((init_priority(101)));
} // namespace

bool CRuntimeSupport::acquireStaticGuard(std::uint64_t* guard)
{
    if (isDone(guard))
        return false;
    AcquireSRWLockExclusive(&s_guardLock);
    while (!isDone(guard) && *busyByte(guard) != 0)
        SleepConditionVariableSRW(&s_guardFinished, &s_guardLock, INFINITE, 0);
    const bool initialise = !isDone(guard);
    if (initialise)
        *busyByte(guard) = 1;
    ReleaseSRWLockExclusive(&s_guardLock);
    return initialise;
}

void CRuntimeSupport::releaseStaticGuard(std::uint64_t* guard) { finishGuard(guard, true); }

void CRuntimeSupport::abortStaticGuard(std::uint64_t* guard) { finishGuard(guard, false); }
} // namespace Host
} // namespace Brivant

// The runtime's entry points, which the compiler calls around every function-local static.
namespace __cxxabiv1
{
int __cxa_guard_acquire(__guard* guard)
{
    return Brivant::Host::CRuntimeSupport::acquireStaticGuard(reinterpret_cast<std::uint64_t*>(guard)) ? 1 : 0;
}

void __cxa_guard_release(__guard* guard) noexcept
{
    Brivant::Host::CRuntimeSupport::releaseStaticGuard(reinterpret_cast<std::uint64_t*>(guard));
}

void __cxa_guard_abort(__guard* guard) noexcept
{
    Brivant::Host::CRuntimeSupport::abortStaticGuard(reinterpret_cast<std::uint64_t*>(guard));
}
} // namespace __cxxabiv1
