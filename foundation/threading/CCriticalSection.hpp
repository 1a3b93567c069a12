// The framework's one lock: a Win32 critical section whose lock can give up after a time-out.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Threading
{
class CCriticalSection : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CCriticalSection, "CCountedObject");

public:
    CCriticalSection();
    ~CCriticalSection() override;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void lock();
    void unlock();
    // Below 1 waits without limit; otherwise retries every 5 ms until the time-out is used up.
    bool lock(long timeoutMilliseconds);

private:
    void* m_section;
};
} // namespace Threading
} // namespace Brivant
