// A calendar date and time with milliseconds, laid out as the system's SYSTEMTIME.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

struct _FILETIME;
struct _SYSTEMTIME;

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace Host
{
class CTime : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CTime, "CCountedObject");

public:
    // The current local time.
    CTime();
    // The file time as it is, not moved to local time; every field 0 when it cannot be converted.
    explicit CTime(const _FILETIME& fileTime);
    CTime(const CTime& other);
    CTime& operator=(const CTime& other);
    ~CTime() override;

    // The time string, cut to the buffer.
    void getObjectDescription(char* text, long size) const override;

    void setTime(const _SYSTEMTIME& time);
    void setToCurrentTime();
    // Leaves the time unchanged when the file time cannot be converted.
    void setFromFileTime(const _FILETIME& fileTime);
    // A new FILETIME the caller deletes; zero when the fields make no valid time.
    _FILETIME* getFileTime() const;

    // Long: "Monday 7 December 2026"; short: "07/12/2026". A day of week or month outside its table gives an
    // empty name.
    void getDateString(Basics::CString& out, bool longForm) const;
    // "09:05:03:07": hour, minute, second and milliseconds, each with at least two digits.
    void getTimeString(Basics::CString& out) const;

private:
    void getSystemTime(_SYSTEMTIME& time) const;

    unsigned short m_year;
    // 1 = January.
    unsigned short m_month;
    // 0 = Sunday.
    unsigned short m_dayOfWeek;
    unsigned short m_day;
    unsigned short m_hour;
    unsigned short m_minute;
    unsigned short m_second;
    unsigned short m_millisecond;
};
} // namespace Host
} // namespace Brivant
