// CException: the texts it carries, a flag that is always set, and copies that keep both.
#include "foundation/exceptions/CException.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::Exceptions::CException;

class CExceptionTest : public ::testing::Test
{
};

TEST_F(CExceptionTest, keepsItsTextsAndAlwaysSetsTheFlag)
{
    const CException exception(CString("reason"), CString("CVSTPanel::open(void *)"), false);
    EXPECT_STREQ("reason", exception.getErrorReason().getString());
    EXPECT_STREQ("CVSTPanel::open(void *)", exception.getFunctionName().getString());
    EXPECT_TRUE(exception.getFlag());
    EXPECT_STREQ("CException", exception.getClass().getClassName());
    EXPECT_STREQ("CCountedObject", exception.getClass().getParentName());
}

TEST_F(CExceptionTest, copyIsANewInstanceWithTheSameTextsAndFlag)
{
    const long live = CException::classRecord().getInstanceCount();
    const long total = CException::classRecord().getTotalCount();
    const CException original("why", "where", true);
    const CException copy(original);
    EXPECT_STREQ("why", copy.getErrorReason().getString());
    EXPECT_STREQ("where", copy.getFunctionName().getString());
    EXPECT_TRUE(copy.getFlag());
    EXPECT_NE(original.getErrorReason().getString(), copy.getErrorReason().getString());
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(live + 2, CException::classRecord().getInstanceCount());
    EXPECT_EQ(total + 2, CException::classRecord().getTotalCount());
}

TEST_F(CExceptionTest, thrownByValueArrivesWithItsTexts)
{
    try
    {
        throw CException("failed", "Brivant::Basics::CString::setString", true);
    }
    catch (const CException& caught)
    {
        EXPECT_STREQ("failed", caught.getErrorReason().getString());
        EXPECT_STREQ("Brivant::Basics::CString::setString", caught.getFunctionName().getString());
        return;
    }
    FAIL() << "no CException caught";
}
} // namespace
