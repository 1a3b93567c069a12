// Helpers of the control tests: mouse sequences written as short scripts and played through a window's control
// root, numbers and cursors as short texts, and a control's own properties through its layout element.
//
// Scripts: "D" left down, "U" left up, "M" move, "W" a wheel notch up, "w" one down, "L" leaving, each followed by
// "x,y" in the root's coordinates; a leading "^" holds Shift. "D10,5 M40,5 U40,5" presses, drags and releases.
#pragma once

#include "foundation/basics/CLong.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CCursor.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <cstdio>
#include <sstream>
#include <string>

namespace VolturaTests
{
inline void playMouseScript(Brivant::GUI::Windowing::CWindow& window, const std::string& script)
{
    const std::string kinds = "DUMWwL";
    const long types[] = {CMouseEvent::kLeftButtonDown, CMouseEvent::kLeftButtonUp, CMouseEvent::kMouseMove,
                          CMouseEvent::kMouseWheel,     CMouseEvent::kMouseWheel,   CMouseEvent::kMouseLeave};
    std::istringstream steps(script);
    std::string step;
    while (steps >> step)
    {
        const bool shift = step[0] == '^';
        const char kind = step[shift ? 1 : 0];
        long x = 0, y = 0;
        char comma = 0;
        std::istringstream(step.substr(shift ? 2 : 1)) >> x >> comma >> y;
        mouseThroughRoot(window, types[kinds.find(kind)], x, y, shift ? kShift : kNoModifier,
                         kind == 'W' ? 1.0 : (kind == 'w' ? -1.0 : 0.0));
    }
}

// Four significant digits: 1 - 10 / 150.0 reads "0.9333".
inline std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.4g", value);
    return text;
}

// "arrow", "hand", "wait", "updown", "across" or "other".
inline std::string cursorName(const Brivant::GUI::Windowing::CCursor* cursor)
{
    using Brivant::GUI::Windowing::CCursor;
    const std::pair<const CCursor*, const char*> names[] = {{&CCursor::arrowCursor(), "arrow"},
                                                            {&CCursor::handCursor(), "hand"},
                                                            {&CCursor::waitCursor(), "wait"},
                                                            {&CCursor::verticalResizeCursor(), "updown"},
                                                            {&CCursor::horizontalResizeCursor(), "across"}};
    for (const auto& name : names)
    {
        if (name.first == cursor)
            return name.second;
    }
    return "other";
}

// "name=object|..." of every property from the index on, as the control's layout element holds them.
inline std::string propertyTexts(IControl& control, long from)
{
    Brivant::IO::CXMLNode node(Brivant::Basics::CString("control"), nullptr);
    EXPECT_TRUE(control.writeToXmlNode(&node));
    std::string texts;
    for (long index = from; index < node.getNumberOfChildNodes(); ++index)
    {
        const auto* descriptor = node.getChildNode(index);
        texts += std::string(texts.empty() ? "" : "|") +
                 descriptor->getAttributeValue(Brivant::Basics::CString("name")).getString() + "=" +
                 descriptor->getAttributeValue(Brivant::Basics::CString("object")).getString();
    }
    return texts;
}

// The control's own properties, from the index on: they read the defaults; a layout with the objects changed as
// "name=object|..." reads into the copy, which then reads taken (the changes themselves when empty); and the copy
// refuses a value of another class for each of them.
inline void expectPropertiesTravel(IControl& source, IControl& copy, long from, const std::string& defaults,
                                   const std::string& changes, const std::string& taken = "")
{
    EXPECT_EQ(defaults, propertyTexts(source, from));
    Brivant::IO::CXMLNode node(Brivant::Basics::CString("control"), nullptr);
    source.writeToXmlNode(&node);
    std::istringstream changed(changes);
    std::string change;
    while (std::getline(changed, change, '|'))
    {
        const std::string name = change.substr(0, change.find('='));
        for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
        {
            auto* descriptor = node.getChildNode(index);
            if (descriptor->getAttributeValue(Brivant::Basics::CString("name")).equals(name.c_str()))
                descriptor->getAttribute(Brivant::Basics::CString("object"))
                    ->setValue(change.substr(name.size() + 1).c_str());
        }
    }
    ASSERT_TRUE(copy.readFromXmlNode(&node));
    const std::string read = propertyTexts(copy, from);
    EXPECT_EQ(taken.empty() ? changes : taken, read);
    std::istringstream names(read);
    std::string property;
    while (std::getline(names, property, '|'))
    {
        const Brivant::Basics::CString name(property.substr(0, property.find('=')).c_str());
        EXPECT_FALSE(copy.applyDescriptor(Brivant::GUI::Controls::CControlDescriptor(
            name, Brivant::GUI::Controls::CControlDescriptor::kInteger, new Brivant::Basics::CLong(1))))
            << name.getString();
    }
    EXPECT_EQ(read, propertyTexts(copy, from));
}
} // namespace VolturaTests
