// A fixture for control tests: a bench window and its root, controls made by the factory and set up by property
// names, the root painted off-screen, and a root's layout as text. Images "up", "down" and "disabled" (blue,
// purple and cyan) are registered in the image manager.
#pragma once

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/io/CXMLAttribute.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/ControlFactory.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CFont.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <cstdio>
#include <sstream>
#include <string>

namespace VolturaTests
{
using Brivant::MathTools::CRect;

class CControlLayoutBench : public CImageManagerFixture
{
protected:
    using CString = Brivant::Basics::CString;

    CControlLayoutBench()
    {
        const std::string names[] = {"up", "down", "disabled"};
        const SPixel colours[] = {{200, 0, 0, 255}, {200, 0, 200, 255}, {200, 200, 0, 255}};
        for (int image = 0; image < 3; ++image)
        {
            CTemporaryFolder::writeBytes(file(names[image] + ".tga"),
                                         targaFile(8, 8, std::vector<SPixel>(64, colours[image])));
            Brivant::GUI::Graphics::CImageManager::addImage(CString("{}"), CString((names[image] + ".tga").c_str()),
                                                             CString(names[image].c_str()));
        }
    }

    // A control of the class at the area, held by the root, with the settings of set.
    CControl& make(const char* className, const CRect& area, const std::string& settings = "")
    {
        Brivant::Collections::TAutomaticPointer<IControl> made;
        EXPECT_TRUE(Brivant::GUI::Controls::createControl(CString(className), made, &bench.root()));
        auto& control = dynamic_cast<CControl&>(*made.getPointer());
        control.setArea(area);
        bench.root().addControl(&control);
        set(control, settings);
        return control;
    }

    // Applies "Name=value;..." in order, expecting each to be taken, or refused when written "!Name=value".
    static void set(IControl& control, const std::string& settings)
    {
        std::istringstream list(settings);
        std::string setting;
        while (std::getline(list, setting, ';'))
        {
            const size_t from = setting[0] == '!' ? 1 : 0, equals = setting.find('=');
            EXPECT_NE(from == 1, apply(control, setting.substr(from, equals - from), setting.substr(equals + 1)))
                << setting;
        }
    }

    // "#n" gives a CLong whatever the property; otherwise colours read "r,g,b,a", flags 0 or 1, "Alignment" and
    // "Tab Position" the chosen index, "Font" "face,size" with ",styled" for bold italic, and anything else is
    // text. "value" sets the value instead.
    static bool apply(IControl& control, const std::string& name, const std::string& value)
    {
        const CString text(value.c_str());
        Brivant::GUI::Controls::CControlDescriptor descriptor(CString(name.c_str()), 0, nullptr);
        char face[32] = {};
        long size = 0;
        const bool styled = value.find(",styled") != std::string::npos;
        if (name == "value")
            control.setValue(std::stod(value));
        else if (value[0] == '#')
            descriptor.setValue(new Brivant::Basics::CLong(std::stol(value.substr(1))));
        else if (name.find("Colour") != std::string::npos)
            descriptor.setValue(new CAlphaColour(CAlphaColour::fromString(text)));
        else if (name == "Cursor Change" || name == "Draw Text" || name == "Default Drawing" || name == "Is Enabled" ||
                 name == "Auto Arrange" || name == "Editable" || name == "Single Click" || name == "Wrap")
            descriptor.setValue(new Brivant::Basics::CBool(value == "1"));
        else if (name.find("Alignment") != std::string::npos || name == "Tab Position")
            descriptor.setSelectedIndex(std::stol(value));
        else if (name == "Font" && std::sscanf(value.c_str(), "%31[^,],%ld", face, &size) == 2)
            descriptor.setValue(new Brivant::GUI::Fonts::CFont(CString(face), size, styled, styled));
        else
            descriptor.setValue(new CString(text));
        return name == "value" || control.applyDescriptor(descriptor);
    }

    // The root on a fresh white canvas.
    CPixels draw()
    {
        COffscreenCanvas canvas(200, 100);
        canvas.draw(bench.root());
        return canvas.pixels();
    }

    // Every element of a layout with its attribute values, one line each, depth first.
    static std::string layoutText(const Brivant::IO::CXMLNode& node)
    {
        std::string text = node.getNodeName().getString();
        for (long index = 0; index < node.getNumberOfAttributes(); ++index)
            text += std::string(" ") + node.getAttribute(index)->getValue().getString();
        for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
            text += "\n" + layoutText(*node.getChildNode(index));
        return text;
    }
    std::string layoutText(CControlRoot& root)
    {
        Brivant::IO::CXMLNode node(CString("controls"), nullptr);
        EXPECT_TRUE(root.writeToXmlNode(&node));
        return layoutText(node);
    }

    CControlBench bench{200, 100};
};
} // namespace VolturaTests
