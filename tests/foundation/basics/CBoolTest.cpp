// CBool: assignment, comparison and its "True"/"False" text forms.
#include "CCountChange.hpp"
#include "foundation/basics/CBool.hpp"

#include <gtest/gtest.h>

using Brivant::Basics::CBool;
using Brivant::Basics::CCountedObject;
using VolturaTests::CCountChange;

namespace
{
TEST(CBoolTest, assignsAndComparesWithBoolsAndWrappers)
{
    CBool flag(false);
    EXPECT_EQ(&flag, &(flag = true));
    EXPECT_TRUE(flag.getValue());
    EXPECT_TRUE(flag == true);
    EXPECT_TRUE(flag != false);
    EXPECT_TRUE(flag == CBool(true));
    EXPECT_TRUE(flag != CBool(false));

    flag = CBool(false);
    EXPECT_FALSE(flag.getValue());
    flag.setValue(CBool(true));
    EXPECT_TRUE(flag.getValue());
    flag.setValue(false);
    EXPECT_FALSE(flag.getValue());
}

TEST(CBoolTest, textFormsAreTrueAndFalse)
{
    EXPECT_STREQ("True", CBool(true).getValueAsString().getString());
    EXPECT_STREQ("False", CBool(false).getValueAsString().getString());
    char text[8];
    CBool(false).getObjectDescription(text, sizeof(text));
    EXPECT_STREQ("False", text);
    // Cut to the buffer as CString copies: size - 1 characters and a terminator.
    char shortText[4] = "zzz";
    CBool(true).getObjectDescription(shortText, 3);
    EXPECT_STREQ("Tr", shortText);
}

TEST(CBoolTest, countsInItsOwnRecordAndCopiesStartUnreferenced)
{
    EXPECT_STREQ("CCountedObject", CBool::classRecord().getParentName());
    CCountChange bools(CBool::classRecord());
    CBool flag(true);
    flag.referenced();
    const CBool copy(flag);
    EXPECT_EQ(0, copy.getReferenceCount());
    EXPECT_EQ(&CBool::classRecord(), &copy.getClass());
    EXPECT_EQ(2, bools.live());
    flag.dereference();
}
} // namespace
