// What the library does about the C++ runtime it carries, so that a host may load and free it any number of
// times (a plug-in scan does) without it leaving anything behind.
//
// The runtime's POSIX threads keep a record (a thread handle, an event and some memory) for each thread that
// first takes one of their once-only steps, and free it only when that thread ends, which a host's loading
// thread does not do between loads. The runtime guards every function-local static through such a step, and
// the library's statics are initialised at load: the guards here use the system's own lock instead, and the
// runtime's guard entry points forward to them. The 32-bit unwinder still takes such a step at load, so once
// the library's last static object is gone the unloading thread's record is ended as a thread's end would end
// it, and the runtime's reserve for exceptions thrown when memory runs out, which nothing else gives back, is
// given back.
//
// This file is linked into every program that has a function-local static, through the guards.
#pragma once

#include <cstdint>

namespace Brivant
{
namespace Host
{
class CRuntimeSupport
{
public:
    CRuntimeSupport() = delete;

    // The guard word the compiler gives each static: its first byte is set once the static is initialised; the
    // second marks a thread initialising it. True when the caller is to initialise the static, then release
    // the guard, or abort it when the initialisation throws; false when the static is ready. Another thread's
    // initialisation of the same static is waited for.
    static bool acquireStaticGuard(std::uint64_t* guard);
    static void releaseStaticGuard(std::uint64_t* guard);
    static void abortStaticGuard(std::uint64_t* guard);
};
} // namespace Host
} // namespace Brivant
