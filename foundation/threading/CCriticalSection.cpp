#include "foundation/threading/CCriticalSection.hpp"

#include <windows.h>

namespace Brivant
{
namespace Threading
{
namespace
{
constexpr long kRetryMilliseconds = 5;

CRITICAL_SECTION* section(void* handle)
{
    return static_cast<CRITICAL_SECTION*>(handle);
}
} // namespace

CCriticalSection::CCriticalSection() : m_section(new CRITICAL_SECTION)
{
    InitializeCriticalSection(section(m_section));
}

CCriticalSection::~CCriticalSection()
{
    DeleteCriticalSection(section(m_section));
    delete section(m_section);
}

void CCriticalSection::lock()
{
    if (m_section != nullptr)
        EnterCriticalSection(section(m_section));
}

void CCriticalSection::unlock()
{
    if (m_section != nullptr)
        LeaveCriticalSection(section(m_section));
}

bool CCriticalSection::lock(long timeoutMilliseconds)
{
    if (m_section == nullptr)
        return false;
    if (timeoutMilliseconds < 1)
    {
        EnterCriticalSection(section(m_section));
        return true;
    }
    do
    {
        if (TryEnterCriticalSection(section(m_section)))
            return true;
        Sleep(kRetryMilliseconds);
        timeoutMilliseconds -= kRetryMilliseconds;
    } while (timeoutMilliseconds >= 1);
    return false;
}
} // namespace Threading
} // namespace Brivant
