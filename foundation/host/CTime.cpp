#include "foundation/host/CTime.hpp"

#include "foundation/basics/CString.hpp"

#include <windows.h>

#include <memory>

namespace Brivant
{
namespace Host
{
namespace
{
const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// A time that was never set, or came from a failed conversion, holds indexes outside the tables.
const char* nameAt(const char* const* names, unsigned count, unsigned index)
{
    return index < count ? names[index] : "";
}
} // namespace

CTime::CTime()
    : m_year(0), m_month(0), m_dayOfWeek(0), m_day(0), m_hour(0), m_minute(0), m_second(0), m_millisecond(0)
{
    setToCurrentTime();
}

CTime::CTime(const _FILETIME& fileTime)
    : m_year(0), m_month(0), m_dayOfWeek(0), m_day(0), m_hour(0), m_minute(0), m_second(0), m_millisecond(0)
{
    setFromFileTime(fileTime);
}

CTime::CTime(const CTime& other)
    : CCountedObject(other), m_year(other.m_year), m_month(other.m_month), m_dayOfWeek(other.m_dayOfWeek),
      m_day(other.m_day), m_hour(other.m_hour), m_minute(other.m_minute), m_second(other.m_second),
      m_millisecond(other.m_millisecond)
{
}

CTime& CTime::operator=(const CTime& other)
{
    m_year = other.m_year;
    m_month = other.m_month;
    m_dayOfWeek = other.m_dayOfWeek;
    m_day = other.m_day;
    m_hour = other.m_hour;
    m_minute = other.m_minute;
    m_second = other.m_second;
    m_millisecond = other.m_millisecond;
    return *this;
}

CTime::~CTime() = default;

void CTime::getObjectDescription(char* text, long size) const
{
    Basics::CString time("");
    getTimeString(time);
    time.getString(text, size);
}

void CTime::setTime(const _SYSTEMTIME& time)
{
    m_year = time.wYear;
    m_month = time.wMonth;
    m_dayOfWeek = time.wDayOfWeek;
    m_day = time.wDay;
    m_hour = time.wHour;
    m_minute = time.wMinute;
    m_second = time.wSecond;
    m_millisecond = time.wMilliseconds;
}

void CTime::setToCurrentTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    setTime(now);
}

void CTime::setFromFileTime(const _FILETIME& fileTime)
{
    SYSTEMTIME time;
    if (FileTimeToSystemTime(&fileTime, &time))
        setTime(time);
}

_FILETIME* CTime::getFileTime() const
{
    SYSTEMTIME time;
    getSystemTime(time);
    // Fields that make no valid time give the zero file time: callers always get one to own.
    std::unique_ptr<FILETIME> fileTime(new FILETIME());
    if (!SystemTimeToFileTime(&time, fileTime.get()))
        *fileTime = FILETIME();
    return fileTime.release();
}

void CTime::getDateString(Basics::CString& out, bool longForm) const
{
    if (longForm)
        out.setStringWithFormat("%s %d %s %d", nameAt(kDayNames, 7, m_dayOfWeek), m_day,
                                nameAt(kMonthNames, 12, static_cast<unsigned>(m_month) - 1U), m_year);
    else
        out.setStringWithFormat("%.02d/%.02d/%.04d", m_day, m_month, m_year);
}

void CTime::getTimeString(Basics::CString& out) const
{
    out.setStringWithFormat("%.02d:%.02d:%.02d:%.02d", m_hour, m_minute, m_second, m_millisecond);
}

void CTime::getSystemTime(_SYSTEMTIME& time) const
{
    time.wYear = m_year;
    time.wMonth = m_month;
    time.wDayOfWeek = m_dayOfWeek;
    time.wDay = m_day;
    time.wHour = m_hour;
    time.wMinute = m_minute;
    time.wSecond = m_second;
    time.wMilliseconds = m_millisecond;
}
} // namespace Host
} // namespace Brivant
