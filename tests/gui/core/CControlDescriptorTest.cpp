// CControlDescriptor: the "descriptor" element of every kind as written and read back, and what a descriptor
// refuses to write or to read, leaving itself unchanged.
#include "gui/core/CControlDescriptor.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/CFont.hpp"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Basics::ICountedObject;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::IO::CXMLNode;

// "type name object", then the font element's name and size when there is one.
std::string elementText(const CXMLNode& node)
{
    std::string text;
    for (const char* name : {"type", "name", "object"})
        text += (text.empty() ? "" : " ") + std::string(node.getAttributeValue(CString(name)).getString());
    if (const CXMLNode* font = node.getChildNode(CString("Font")))
        text += std::string(" Font ") + font->getAttributeValue(CString("font_name")).getString() + " " +
                font->getAttributeValue(CString("font_size")).getString();
    return text;
}

TEST(CControlDescriptorXml, eachKindIsWrittenInItsFormAndReadsBackToTheSameElement)
{
    const std::pair<ICountedObject*, const char*> cases[] = {
        {new Brivant::MathTools::CRect(10, 20, 30, 40), "rect P 10,20,30,40"},
        {new CString("knob"), "image P knob"},
        {new CAlphaColour(1, 2, 3, 4), "colour P 1,2,3,4"},
        {new Brivant::Basics::CBool(true), "boolean P True"},
        {new Brivant::Basics::CLong(-5), "integer P -5"},
        {new Brivant::Basics::CFloat(0.25f), "float P 0.250000"},
        {new CString("a \"b\""), "string P a \"b\""},
        {nullptr, "selection P 2"},
        {new Brivant::GUI::Fonts::CFont(CString("Arial"), 11, false, true), "font P Arial,11 Font Arial 11"}};
    for (long type = 0; type < 9; ++type)
    {
        CControlDescriptor written(CString("P"), type, cases[type].first);
        written.setSelectedIndex(2);
        CXMLNode node(CString("descriptor"), nullptr);
        ASSERT_TRUE(written.writeToXmlNode(&node)) << type;
        EXPECT_EQ(cases[type].second, elementText(node));
        CControlDescriptor read;
        ASSERT_TRUE(read.readFromXmlNode(&node)) << type;
        EXPECT_EQ(type == CControlDescriptor::kSelection, read.getValue() == nullptr) << type;
        CXMLNode again(CString("descriptor"), nullptr);
        ASSERT_TRUE(read.writeToXmlNode(&again)) << type;
        EXPECT_EQ(cases[type].second, elementText(again));
        // A descriptor has no text form: the buffer is left as it was.
        char text[] = "kept";
        read.getObjectDescription(text, sizeof(text));
        EXPECT_STREQ("kept", text) << type;
    }
    // A value that does not suit the kind, and a kind outside the table, are not written.
    for (long type : {3L, 0L, 9L}) // boolean, rect, none
    {
        const CControlDescriptor descriptor(CString("P"), type, new Brivant::Basics::CLong(1));
        CXMLNode node(CString("descriptor"), nullptr);
        EXPECT_FALSE(descriptor.writeToXmlNode(&node)) << type;
        EXPECT_EQ(0, node.getNumberOfAttributes());
    }
}

TEST(CControlDescriptorXml, anElementThatCannotBeTakenLeavesTheDescriptorAsItWas)
{
    struct SCase
    {
        const char *type, *object;
        bool read;
    } cases[] = {{nullptr, "1", false},      {"integer", nullptr, false}, {"Integer", "1", false},
                 {"float", "inf", false},    {"float", "nan", false},     {"float", "1e39", false},
                 {"float", "-1e300", false}, {"font", "Arial,11", false}, // a font needs its "Font" element
                 {"float", "1e38", true},    {"colour", "999,-5,3,4", true}};
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.type ? test.type : "-") + " " + (test.object ? test.object : "-"));
        CXMLNode node(CString("descriptor"), nullptr);
        if (test.type != nullptr)
            node.addAttribute(CString("type"), CString(test.type));
        node.addAttribute(CString("name"), CString("New"));
        if (test.object != nullptr)
            node.addAttribute(CString("object"), CString(test.object));
        auto* kept = new Brivant::Basics::CLong(3);
        CControlDescriptor descriptor(CString("Keep"), CControlDescriptor::kInteger, kept);
        EXPECT_EQ(test.read, descriptor.readFromXmlNode(&node));
        EXPECT_EQ(test.read ? "New" : "Keep", std::string(descriptor.getDescriptorName().getString()));
        EXPECT_EQ(test.read, descriptor.getValue() != kept);
        // Colours are held to a byte per channel.
        if (test.read && std::string(test.type) == "colour")
        {
            EXPECT_EQ(CAlphaColour(255, 0, 3, 4), *dynamic_cast<const CAlphaColour*>(descriptor.getValue()));
        }
    }
}
} // namespace
