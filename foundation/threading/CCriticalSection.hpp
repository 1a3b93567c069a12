// The framework's one lock: a Win32 critical section whose lock can give up after a time-out.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace Threading
{
class CCriticalSection : public Basics::CCountedObject
{
public:
    CCriticalSection();
    ~CCriticalSection() override;
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    static Basics::CClass& classRecord();
    const Basics::CClass& getClass() const override;

    void lock();
    void unlock();
    // Below 1 waits without limit; otherwise retries every 5 ms until the time-out is used up.
    bool lock(long timeoutMilliseconds);

private:
    void* m_section;
    Basics::TInstanceCount<CCriticalSection> m_instanceCount;
};
} // namespace Threading
} // namespace Brivant
