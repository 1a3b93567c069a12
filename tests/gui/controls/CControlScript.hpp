// Helpers of the control tests: mouse sequences written as short scripts and played through a window's control
// root, and a control's properties as its layout element writes them.
//
// Scripts: "D" left down, "U" left up, "M" move, "W" a wheel notch up, "w" one down, "L" leaving, each followed by
// "x,y" in the root's coordinates; a leading "^" holds Shift. "D10,5 M40,5 U40,5" presses, drags and releases.
#pragma once

#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CControlRoot.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/CWindow.hpp"
#include "tests/gui/CControlTestKit.hpp"

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace VolturaTests
{
inline void playMouseScript(Brivant::GUI::Windowing::CWindow& window, const std::string& script)
{
    auto& root = *dynamic_cast<CControlRoot*>(window.getControlRoot());
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
        CMouseEvent event(&window.getMousePointer(), types[kinds.find(kind)],
                          kind == 'W' ? 1.0 : (kind == 'w' ? -1.0 : 0.0));
        event.setMousePosition(CPoint(x, y));
        event.setModifiers(false, shift, false);
        sendMouseEvent(root, event);
    }
}

// "name=object" of every property from the index on, as the control's layout element holds them.
inline std::vector<std::string> propertyTexts(IControl& control, long from)
{
    Brivant::IO::CXMLNode node(Brivant::Basics::CString("control"), nullptr);
    EXPECT_TRUE(control.writeToXmlNode(&node));
    std::vector<std::string> texts;
    for (long index = from; index < node.getNumberOfChildNodes(); ++index)
    {
        const auto* descriptor = node.getChildNode(index);
        texts.push_back(std::string(descriptor->getAttributeValue(Brivant::Basics::CString("name")).getString()) + "=" +
                        descriptor->getAttributeValue(Brivant::Basics::CString("object")).getString());
    }
    return texts;
}

// Writes the source's layout element with the named objects changed and reads it into the copy; the copy's
// answer.
inline bool readChangedLayout(IControl& source, IControl& copy, const std::map<std::string, std::string>& changes)
{
    Brivant::IO::CXMLNode node(Brivant::Basics::CString("control"), nullptr);
    source.writeToXmlNode(&node);
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        auto* descriptor = node.getChildNode(index);
        const auto change = changes.find(descriptor->getAttributeValue(Brivant::Basics::CString("name")).getString());
        if (change != changes.end())
            descriptor->getAttribute(Brivant::Basics::CString("object"))->setValue(change->second.c_str());
    }
    return copy.readFromXmlNode(&node);
}
} // namespace VolturaTests
