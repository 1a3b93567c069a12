// CXMLAttribute: names trimmed with blanks turned into '_', values stored as text in each number form, and
// read back through the conversions.
#include "foundation/io/CXMLAttribute.hpp"

#include "tests/foundation/basics/CCountChange.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::IO::CXMLAttribute;
using VolturaTests::CCountChange;

TEST(CXMLAttributeTest, namesAreTrimmedAndBlanksBecomeUnderscores)
{
    CXMLAttribute attribute(CString("  Control Name \t"), CString("x"));
    EXPECT_STREQ("Control_Name", attribute.getName().getString());
    attribute.setName(CString(" a b  c "));
    EXPECT_STREQ("a_b__c", attribute.getName().getString());
    attribute.setName(CString("   "));
    EXPECT_STREQ("", attribute.getName().getString());
}

TEST(CXMLAttributeTest, textValuesAreStoredAsTheyAre)
{
    CXMLAttribute attribute("name", CString("  spaced  value "));
    EXPECT_STREQ("  spaced  value ", attribute.getValue().getString());
    const CXMLAttribute literal("name", "plain text");
    EXPECT_STREQ("plain text", literal.getValue().getString()) << "a literal must not turn into a bool";
    attribute.setValue("other");
    EXPECT_STREQ("other", attribute.getValue().getString());
    attribute.setValue(static_cast<const char*>(nullptr));
    EXPECT_STREQ("", attribute.getValue().getString());
}

TEST(CXMLAttributeTest, numbersAndBoolsAreWrittenInTheirOwnForms)
{
    EXPECT_STREQ("True", CXMLAttribute("b", true).getValue().getString());
    EXPECT_STREQ("False", CXMLAttribute("b", false).getValue().getString());
    EXPECT_STREQ("0.500000", CXMLAttribute("d", 0.5).getValue().getString());
    EXPECT_STREQ("-2.250000", CXMLAttribute("f", -2.25f).getValue().getString());
    EXPECT_STREQ("-7", CXMLAttribute("l", -7L).getValue().getString()) << "no zero padding, unlike CString";
    EXPECT_STREQ("5", CXMLAttribute("i", 5).getValue().getString());

    CXMLAttribute attribute("v", 1);
    attribute.setValue(123456789L);
    EXPECT_STREQ("123456789", attribute.getValue().getString());
    attribute.setValue(3.0f);
    EXPECT_STREQ("3.000000", attribute.getValue().getString());
    attribute.setValue(true);
    EXPECT_STREQ("True", attribute.getValue().getString());
    attribute.setValue(-1);
    EXPECT_STREQ("-1", attribute.getValue().getString());
    attribute.setValue(1e-7);
    EXPECT_STREQ("0.000000", attribute.getValue().getString());
}

TEST(CXMLAttributeTest, conversionsReadTheLeadingNumber)
{
    const CXMLAttribute attribute("v", "12.75xyz");
    EXPECT_DOUBLE_EQ(12.75, attribute.getValueAsDouble());
    EXPECT_FLOAT_EQ(12.75f, attribute.getValueAsFloat());
    EXPECT_EQ(12, attribute.getValueAsLong());
    EXPECT_EQ(12, attribute.getValueAsInt());
    EXPECT_EQ(0, CXMLAttribute("v", "none").getValueAsLong());
}

TEST(CXMLAttributeTest, onlyTheExactTextTrueIsTrue)
{
    EXPECT_TRUE(CXMLAttribute("b", "True").getValueAsBool());
    EXPECT_FALSE(CXMLAttribute("b", "true").getValueAsBool());
    EXPECT_FALSE(CXMLAttribute("b", "TRUE").getValueAsBool());
    EXPECT_FALSE(CXMLAttribute("b", " True").getValueAsBool());
    EXPECT_FALSE(CXMLAttribute("b", "1").getValueAsBool());
}

TEST(CXMLAttributeTest, eachInstanceCountsInItsOwnRecord)
{
    EXPECT_STREQ("CXMLAttribute", CXMLAttribute::classRecord().getClassName());
    EXPECT_STREQ("CCountedObject", CXMLAttribute::classRecord().getParentName());
    const CCountChange change(CXMLAttribute::classRecord());
    {
        CXMLAttribute* attribute = new CXMLAttribute("a", 1);
        EXPECT_EQ(&CXMLAttribute::classRecord(), &attribute->getClass());
        EXPECT_EQ(1, change.live());
        attribute->referenced();
        attribute->dereference();
    }
    EXPECT_EQ(0, change.live());
    EXPECT_EQ(1, change.total());
}
} // namespace
