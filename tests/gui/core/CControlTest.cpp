// CControl: a new control's state, the twelve properties through the layout XML, values of the wrong class, the
// count check of a layout element, and a description that always ends within its buffer.
#include "gui/core/CControl.hpp"

#include "foundation/basics/CLong.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::IO::CXMLNode;
using namespace VolturaTests;

// Every property as "name=object" in the layout, in the control's property order.
std::vector<std::string> propertyTexts(CControl& control)
{
    CXMLNode node(CString("control"), nullptr);
    EXPECT_TRUE(control.writeToXmlNode(&node));
    std::vector<std::string> texts;
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
        texts.push_back(std::string(node.getChildNode(index)->getAttributeValue(CString("name")).getString()) + "=" +
                        node.getChildNode(index)->getAttributeValue(CString("object")).getString());
    return texts;
}

TEST(CControlConstruction, aNewControlHasTheDefaultsAndDescribesItselfWithinAnyBuffer)
{
    CControlBench bench;
    CControl control(&bench.root(), 3, CRect(1, 2, 30, 40), nullptr);
    EXPECT_TRUE(control.getValue() == 1.0 && control.isMouseEnabled() && !control.isKeyboardEnabled() &&
                !control.isDropFileEnabled() && control.isEnabled());
    EXPECT_EQ(CRect(0, 0, 30, 40), control.getNormalisedArea());
    // The interface hands out the name itself, so a change made through it is the control's.
    static_cast<IControl&>(control).getControlName().appendString(" 3");
    EXPECT_STREQ("Control 3", control.getControlName().getString());
    EXPECT_THROW(CControl(nullptr, 1, CRect(0, 0, 1, 1), nullptr), Brivant::Exceptions::CException);
    for (long size : {1L, 4L, 7L, 8L, 20L})
    {
        char text[24];
        std::memset(text, 'x', sizeof(text));
        control.getObjectDescription(text, size);
        EXPECT_EQ(std::string("Control").substr(0, static_cast<size_t>(size - 1)), std::string(text)) << size;
    }
}

class CControlProperties : public CImageManagerFixture
{
protected:
    CControlProperties()
    {
        writeTarga("knob.tga", 4, 4);
        CImageManager::addImage(CString("{}"), CString("knob.tga"), CString("knob"));
        CImageManager::addImage(CString("{}"), CString("knob.tga"), CString("off"));
    }
    CControlBench bench;
};

TEST_F(CControlProperties, everyPropertyTravelsThroughTheLayoutIntoAFreshControl)
{
    CControl source(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
    const std::vector<std::string> defaults = propertyTexts(source);
    source.setControlName(CString("Gain"));
    source.setControlId(42);
    source.setMouseEnabled(false);
    source.setKeyboardEnabled(true);
    source.setDropFileEnabled(true);
    source.disable();
    source.setDefaultDrawing(true);
    source.setArea(CRect(10, 20, 30, 40));
    source.setPrimaryImage(CImageManager::getImage(CString("knob")));
    source.setDisabledImage(CImageManager::getImage(CString("off")));
    source.setDefaultControlColours(CAlphaColour(5, 6, 7, 8), CAlphaColour(1, 2, 3, 4));
    CXMLNode node(CString("control"), nullptr);
    ASSERT_TRUE(source.writeToXmlNode(&node));
    EXPECT_STREQ("12", node.getAttributeValue(CString("number_of_descriptors")).getString());

    CControl copy(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
    ASSERT_TRUE(copy.readFromXmlNode(&node));
    const std::vector<std::string> copied = propertyTexts(copy);
    EXPECT_EQ((std::vector<std::string>{"Control Name=Gain", "Control ID=42", "Mouse Enabled=False",
                                        "Keyboard Enabled=True", "Drop File Enabled=True", "Is Enabled=False",
                                        "Default Drawing=True", "Area=10,20,30,40", "Primary Image=knob",
                                        "Disabled Image=off", "Frame Colour=1,2,3,4", "Background Colour=5,6,7,8"}),
              copied);
    for (size_t index = 0; index < defaults.size(); ++index)
        EXPECT_NE(defaults[index], copied[index]);

    // A value of another class, or none, changes nothing; a colour property changes its own colour only.
    for (const char* name : {"Area", "Control Name", "Mouse Enabled", "Primary Image", "Frame Colour", "Colour"})
        EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString(name), 0, new Brivant::Basics::CLong(5))));
    EXPECT_FALSE(copy.applyDescriptor(CControlDescriptor(CString("Area"), 0, nullptr)));
    EXPECT_TRUE(copy.applyDescriptor(CControlDescriptor(CString("Frame Colour"), 2, new CAlphaColour(9, 9, 9, 9))));
    EXPECT_EQ(CAlphaColour(5, 6, 7, 8), copy.getBackgroundColour());
    EXPECT_EQ("10,20,30,40", rectText(copy.getArea()));
}

TEST_F(CControlProperties, aLayoutElementWhoseDescriptorCountIsWrongFailsAfterApplyingThemAll)
{
    CControl source(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
    source.setControlName(CString("Read"));
    for (long declared : {11L, 12L, 13L})
    {
        CXMLNode node(CString("control"), nullptr);
        source.writeToXmlNode(&node);
        node.getAttribute(CString("number_of_descriptors"))->setValue(declared);
        CControl target(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
        EXPECT_EQ(declared == 12, target.readFromXmlNode(&node));
        EXPECT_STREQ("Read", target.getControlName().getString());
    }
}
} // namespace
