// Every class the factory knows, in one root with its properties off their defaults: the layout the root writes
// reads back into a fresh root that writes the same layout, class by class and property by property.
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "tests/gui/controls/CControlLayoutBench.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CFloat;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::Basics::CSystemString;
using Brivant::Basics::ICountedObject;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Controls::CControlDescriptor;
using namespace VolturaTests;

class ControlFactoryLayout : public CControlLayoutBench
{
protected:
    static std::vector<std::string> factoryNames()
    {
        TCountedPointerArray<CString> names;
        Brivant::GUI::Controls::getControlClassNames(names);
        std::vector<std::string> list;
        for (long index = 0; index < names.getInsertIndex(); ++index)
            list.push_back(names.getElementAt(index)->getString());
        return list;
    }

    // Each property as its layout element would carry it: "name=object".
    static std::vector<std::string> properties(IControl& control)
    {
        TCountedPointerArray<CControlDescriptor> list;
        control.getDescriptors(list);
        std::vector<std::string> texts;
        for (long index = 0; index < list.getInsertIndex(); ++index)
        {
            CControlDescriptor* descriptor = list.getElementAt(index);
            control.fillDescriptor(*descriptor);
            Brivant::IO::CXMLNode node(CString("descriptor"), nullptr);
            descriptor->writeToXmlNode(&node);
            texts.push_back(std::string(descriptor->getDescriptorName().getString()) + "=" +
                            node.getAttributeValue(CString("object")).getString());
        }
        return texts;
    }

    // A value beside the current one, of the property's own class; a control may still refuse it.
    static ICountedObject* otherValue(const CControlDescriptor& descriptor, long seed)
    {
        ICountedObject* value = descriptor.getValue();
        const std::string type = value != nullptr ? value->getClass().getClassName() : "";
        if (descriptor.getType() == CControlDescriptor::kImage)
            return new CString("up");
        if (type == "CString")
            return new CString(("Changed " + std::to_string(seed)).c_str());
        if (type == "CLong")
            return new CLong(dynamic_cast<CLong*>(value)->getValue() + 1 + seed % 3);
        if (type == "CBool")
            return new CBool(!dynamic_cast<CBool*>(value)->getValue());
        if (type == "CFloat")
            return new CFloat(dynamic_cast<CFloat*>(value)->getValue() == 0.25f ? 0.75f : 0.25f);
        if (type == "CAlphaColour")
            return new CAlphaColour(10 + seed, 20, 30, 40);
        if (type == "CFont")
            return new Brivant::GUI::Fonts::CFont(CString("Courier New"), 14, true, false);
        return nullptr;
    }

    // Tries every property but the area and id, which each control gets apart so that none overlaps another.
    static void changeEverything(IControl& control, long seed)
    {
        TCountedPointerArray<CControlDescriptor> list;
        control.getDescriptors(list);
        for (long index = 0; index < list.getInsertIndex(); ++index)
        {
            CControlDescriptor* descriptor = list.getElementAt(index);
            const std::string name = descriptor->getDescriptorName().getString();
            if (name == "Area" || name == "Control ID" || !control.fillDescriptor(*descriptor))
                continue;
            if (descriptor->getType() == CControlDescriptor::kSelection)
                descriptor->setSelectedIndex(1);
            else if (ICountedObject* value = otherValue(*descriptor, seed + index))
                descriptor->setValue(value);
            control.applyDescriptor(*descriptor);
        }
        control.setControlId(100 + seed);
        control.setArea(CRect(seed % 7, seed, 20 + seed, 30 + seed % 5));
    }
};

TEST_F(ControlFactoryLayout, aRootOfEveryClassWithChangedPropertiesReadsBackPropertyByProperty)
{
    const std::vector<std::string> names = factoryNames();
    std::vector<std::vector<std::string>> written;
    for (size_t index = 0; index < names.size(); ++index)
    {
        CControl& control = make(names[index].c_str(), CRect(0, 0, 50, 50));
        const std::vector<std::string> defaults = properties(control);
        changeEverything(control, static_cast<long>(index));
        written.push_back(properties(control));
        // Beyond name, id and area, at least one property of every class took a new value.
        size_t changed = 0;
        for (size_t property = 0; property < defaults.size(); ++property)
            changed += defaults[property] != written.back()[property] ? 1 : 0;
        EXPECT_GE(changed, 4u) << names[index];
    }
    ASSERT_TRUE(bench.root().saveToXmlFile(CSystemString(file("all.xml").c_str())));

    CControlBench copy;
    ASSERT_TRUE(copy.root().loadFromXmlFile(CSystemString(file("all.xml").c_str())));
    ASSERT_EQ(static_cast<long>(names.size()), copy.root().getInsertIndex());
    for (size_t index = 0; index < names.size(); ++index)
    {
        IControl* control = copy.root().getControl(static_cast<long>(index), true);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(names[index], control->getClass().getClassName());
        EXPECT_EQ(written[index], properties(*control)) << names[index];
    }
    ASSERT_TRUE(copy.root().saveToXmlFile(CSystemString(file("again.xml").c_str())));
    EXPECT_EQ(CTemporaryFolder::readBytes(file("all.xml")), CTemporaryFolder::readBytes(file("again.xml")));

    // Each property in turn given a hostile value: the read may fail, but never crashes, and a failed read leaves
    // the root as it was.
    const std::string text = CTemporaryFolder::readBytes(file("all.xml"));
    const std::regex object("object=\"[^\"]*\"");
    const char* const hostile[] = {"", "-2147483648", "99999999", "2147483647", "nan,1e40,-5,99999999999"};
    size_t place = 0;
    for (std::smatch match; std::regex_search(text.begin() + place, text.end(), match, object);)
    {
        const size_t at = place + static_cast<size_t>(match.position(0));
        place = at + static_cast<size_t>(match.length(0));
        // A radio button builds every button its count asks for, so a huge count there takes minutes on a 64-bit
        // build instead of failing; it gets the other hostile values.
        const bool buttonCount = text.compare(at - 20, 20, "name=\"Button Count\" ") == 0;
        for (const char* value : hostile)
        {
            if (buttonCount && std::strlen(value) > 0 && std::isdigit(static_cast<unsigned char>(value[0])))
                continue;
            CTemporaryFolder::writeBytes(file("hostile.xml"), text.substr(0, at) + "object=\"" + value + "\"" +
                                                                  text.substr(place));
            if (!copy.root().loadFromXmlFile(CSystemString(file("hostile.xml").c_str())))
            {
                EXPECT_EQ(static_cast<long>(names.size()), copy.root().getInsertIndex()) << text.substr(at, 40);
            }
        }
    }
}
} // namespace
