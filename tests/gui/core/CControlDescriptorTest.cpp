// CControlDescriptor: the "descriptor" element of every kind as written and read back, and what a descriptor
// refuses to write or read (leaving itself unchanged).
#include "gui/core/CControlDescriptor.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CDouble.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CFont.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CFloat;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::Basics::ICountedObject;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Fonts::CFont;
using Brivant::IO::CXMLNode;
using Brivant::MathTools::CRect;

std::string attribute(const CXMLNode& node, const char* name)
{
    return node.getAttribute(CString(name)) != nullptr ? node.getAttributeValue(CString(name)).getString() : "-";
}

// "type name object", with the font element's attributes when there is one.
std::string elementText(const CXMLNode& node)
{
    std::string text = attribute(node, "type") + " " + attribute(node, "name") + " " + attribute(node, "object");
    if (const CXMLNode* font = node.getChildNode(CString("Font")))
        text += " Font " + attribute(*font, "font_name") + " " + attribute(*font, "font_size");
    return text;
}

TEST(CControlDescriptorXml, eachKindIsWrittenInItsFormAndReadsBackToTheSameElement)
{
    struct SCase
    {
        long type;
        std::function<ICountedObject*()> value;
        const char* expected;
    } cases[] = {
        {CControlDescriptor::kRect, [] { return new CRect(10, 20, 30, 40); }, "rect P 10,20,30,40"},
        {CControlDescriptor::kImage, [] { return new CString("knob"); }, "image P knob"},
        {CControlDescriptor::kColour, [] { return new CAlphaColour(1, 2, 3, 4); }, "colour P 1,2,3,4"},
        {CControlDescriptor::kBoolean, [] { return new CBool(true); }, "boolean P True"},
        {CControlDescriptor::kInteger, [] { return new CLong(-5); }, "integer P -5"},
        {CControlDescriptor::kFloat, [] { return new CFloat(0.25f); }, "float P 0.250000"},
        {CControlDescriptor::kString, [] { return new CString("a \"b\""); }, "string P a \"b\""},
        {CControlDescriptor::kSelection, [] { return nullptr; }, "selection P 2"},
        {CControlDescriptor::kFont, [] { return new CFont(CString("Arial"), 11, false, true); },
         "font P Arial,11 Font Arial 11"}};
    for (const SCase& test : cases)
    {
        CControlDescriptor written(CString("P"), test.type, test.value());
        written.setSelectedIndex(2);
        CXMLNode node(CString("descriptor"), nullptr);
        ASSERT_TRUE(written.writeToXmlNode(&node)) << test.expected;
        EXPECT_EQ(test.expected, elementText(node));

        CControlDescriptor read;
        ASSERT_TRUE(read.readFromXmlNode(&node)) << test.expected;
        EXPECT_EQ(test.type, read.getType());
        EXPECT_EQ(test.type == CControlDescriptor::kSelection, read.getValue() == nullptr) << test.expected;
        CXMLNode again(CString("descriptor"), nullptr);
        ASSERT_TRUE(read.writeToXmlNode(&again));
        EXPECT_EQ(test.expected, elementText(again));
    }
}

TEST(CControlDescriptorXml, aValueThatDoesNotSuitTheKindIsNotWritten)
{
    struct SCase
    {
        long type;
        std::function<ICountedObject*()> value;
    } cases[] = {{CControlDescriptor::kBoolean, [] { return new CLong(1); }},
                 {CControlDescriptor::kRect, [] { return nullptr; }},
                 {CControlDescriptor::kFloat, [] { return new Brivant::Basics::CDouble(1.0); }},
                 {9, [] { return new CString("x"); }},
                 {-1, [] { return new CString("x"); }}};
    for (const SCase& test : cases)
    {
        const CControlDescriptor descriptor(CString("P"), test.type, test.value());
        CXMLNode node(CString("descriptor"), nullptr);
        EXPECT_FALSE(descriptor.writeToXmlNode(&node)) << test.type;
        EXPECT_EQ(0, node.getNumberOfAttributes());
    }
}

TEST(CControlDescriptorXml, anElementThatCannotBeTakenLeavesTheDescriptorAsItWas)
{
    struct SCase
    {
        const char* type;
        const char* object;
        bool read;
    } cases[] = {
        {nullptr, "1", false},       {"integer", nullptr, false}, {"Integer", "1", false},
        {"float", "inf", false},     {"float", "nan", false},     {"float", "1e39", false},
        {"float", "-1e300", false},  {"font", "Arial,11", false}, // no "Font" element
        {"float", "1e38", true},     {"colour", "999,-5,3,4", true}, {"integer", "99999999999999", true}};
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.type ? test.type : "-") + " " + (test.object ? test.object : "-"));
        CXMLNode node(CString("descriptor"), nullptr);
        if (test.type != nullptr)
            node.addAttribute(CString("type"), CString(test.type));
        node.addAttribute(CString("name"), CString("New"));
        if (test.object != nullptr)
            node.addAttribute(CString("object"), CString(test.object));
        auto* kept = new CLong(3);
        CControlDescriptor descriptor(CString("Keep"), CControlDescriptor::kInteger, kept);
        EXPECT_EQ(test.read, descriptor.readFromXmlNode(&node));
        EXPECT_EQ(test.read ? "New" : "Keep", std::string(descriptor.getDescriptorName().getString()));
        EXPECT_EQ(test.read, descriptor.getValue() != kept);
    }

    // Colours are held to a byte per channel.
    CXMLNode colour(CString("descriptor"), nullptr);
    colour.addAttribute(CString("type"), CString("colour"));
    colour.addAttribute(CString("name"), CString("C"));
    colour.addAttribute(CString("object"), CString("999,-5,3,4"));
    CControlDescriptor descriptor;
    ASSERT_TRUE(descriptor.readFromXmlNode(&colour));
    EXPECT_EQ(CAlphaColour(255, 0, 3, 4), *dynamic_cast<const CAlphaColour*>(descriptor.getValue()));
}
} // namespace
