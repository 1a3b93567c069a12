// CTime: date and time texts, copies, file times both ways, and times whose fields lie outside the name tables.
#include "foundation/host/CTime.hpp"

#include "foundation/basics/CString.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Host::CTime;

// Monday 7 December 2026, 09:05:03.007.
const SYSTEMTIME kMonday = {2026, 12, 1, 7, 9, 5, 3, 7};

CTime timeOf(const SYSTEMTIME& fields)
{
    CTime time;
    time.setTime(fields);
    return time;
}

std::string dateOf(const CTime& time, bool longForm)
{
    CString text("");
    time.getDateString(text, longForm);
    return text.getString();
}

std::string timeOfDay(const CTime& time)
{
    CString text("");
    time.getTimeString(text);
    return text.getString();
}

TEST(CTimeTest, dateAndTimeTextsInBothForms)
{
    const CTime time = timeOf(kMonday);
    EXPECT_EQ("Monday 7 December 2026", dateOf(time, true));
    EXPECT_EQ("07/12/2026", dateOf(time, false));
    EXPECT_EQ("09:05:03:07", timeOfDay(time));
    EXPECT_EQ("23:59:58:123", timeOfDay(timeOf({1999, 1, 0, 31, 23, 59, 58, 123})));
    EXPECT_EQ("Sunday 31 January 1999", dateOf(timeOf({1999, 1, 0, 31, 23, 59, 58, 123}), true));

    char description[9] = {};
    time.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ("09:05:03", description) << "cut to the buffer";
}

TEST(CTimeTest, copiesAndAssignmentsKeepEveryField)
{
    const CTime original = timeOf(kMonday);
    const CTime copy(original);
    CTime assigned = timeOf({1999, 1, 0, 31, 23, 59, 58, 123});
    assigned = original;
    const CTime* const copies[] = {&copy, &assigned};
    for (const CTime* time : copies)
    {
        EXPECT_EQ("Monday 7 December 2026", dateOf(*time, true));
        EXPECT_EQ("09:05:03:07", timeOfDay(*time));
    }
}

TEST(CTimeTest, fileTimesConvertBothWaysWithoutMovingToLocalTime)
{
    FILETIME fileTime = {};
    ASSERT_TRUE(SystemTimeToFileTime(&kMonday, &fileTime));
    const CTime time(fileTime);
    EXPECT_EQ("Monday 7 December 2026", dateOf(time, true));
    EXPECT_EQ("09:05:03:07", timeOfDay(time));

    const std::unique_ptr<FILETIME> back(time.getFileTime());
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(fileTime.dwLowDateTime, back->dwLowDateTime);
    EXPECT_EQ(fileTime.dwHighDateTime, back->dwHighDateTime);
}

TEST(CTimeTest, aFailedConversionGivesZerosAndNamesOutsideTheTablesAreEmpty)
{
    const FILETIME invalid = {0xFFFFFFFF, 0xFFFFFFFF};
    const CTime failed(invalid);
    EXPECT_EQ("Sunday 0  0", dateOf(failed, true)) << "month 0 has no name";
    EXPECT_EQ("00/00/0000", dateOf(failed, false));
    EXPECT_EQ("00:00:00:00", timeOfDay(failed));
    const std::unique_ptr<FILETIME> zero(failed.getFileTime());
    ASSERT_NE(nullptr, zero);
    EXPECT_EQ(0u, zero->dwLowDateTime);
    EXPECT_EQ(0u, zero->dwHighDateTime);

    CTime kept = timeOf(kMonday);
    kept.setFromFileTime(invalid);
    EXPECT_EQ("Monday 7 December 2026", dateOf(kept, true));

    EXPECT_EQ(" 7  2026", dateOf(timeOf({2026, 13, 7, 7, 0, 0, 0, 0}), true));
    EXPECT_EQ(" 7  2026", dateOf(timeOf({2026, 65535, 65535, 7, 0, 0, 0, 0}), true));
}

TEST(CTimeTest, aNewTimeIsTheCurrentLocalTime)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    const CTime now;
    SYSTEMTIME after;
    GetLocalTime(&after);
    const std::string date = dateOf(now, true);
    EXPECT_TRUE(date == dateOf(timeOf(before), true) || date == dateOf(timeOf(after), true)) << date;
    EXPECT_STREQ("CTime", now.getClass().getClassName());
}
} // namespace
