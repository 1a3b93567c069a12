// CControl: a new control's state, the twelve properties through descriptors and the layout XML, the refusal of
// values of the wrong class, and the drawing helpers in pixels.
#include "gui/core/CControl.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Basics::CColour;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::IO::CXMLNode;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

// Every property's value as the layout writes it, in the control's property order.
std::vector<std::string> propertyTexts(CControl& control)
{
    CXMLNode node(CString("control"), nullptr);
    EXPECT_TRUE(control.writeToXmlNode(&node));
    std::vector<std::string> texts;
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        const CXMLNode* descriptor = node.getChildNode(index);
        texts.push_back(std::string(descriptor->getAttributeValue(CString("name")).getString()) + "=" +
                        descriptor->getAttributeValue(CString("object")).getString());
    }
    return texts;
}

// A face drawn the way control classes draw theirs.
class CFaceControl : public CControl
{
public:
    using CControl::CControl;
    void drawControl(Brivant::GUI::Graphics::CGraphics& graphics) override
    {
        if (drawEnabledControl(graphics))
            drawPrimaryImage(graphics, isDefaultDrawing());
    }
};

class CControlProperties : public CImageManagerFixture
{
protected:
    CControlProperties()
    {
        writeImage("knob.tga", {9, 8, 7, 255});
        writeImage("off.tga", {40, 50, 60, 255});
        CImageManager::addImage(CString("{}"), CString("knob.tga"), CString("knob"));
        CImageManager::addImage(CString("{}"), CString("off.tga"), CString("off"));
    }

    void writeImage(const std::string& name, const SPixel& pixel) const
    {
        CTemporaryFolder::writeBytes(file(name), targaFile(4, 4, std::vector<SPixel>(16, pixel)));
    }

    CControlBench bench;
};

TEST(CControlConstruction, aNewControlHasTheDefaultsAndDescribesItselfWithinAnyBuffer)
{
    CControlBench bench;
    CControl control(&bench.root(), 3, CRect(1, 2, 30, 40), nullptr);
    EXPECT_EQ(1.0, control.getValue());
    EXPECT_TRUE(control.isMouseEnabled());
    EXPECT_FALSE(control.isKeyboardEnabled());
    EXPECT_FALSE(control.isDropFileEnabled());
    EXPECT_TRUE(control.isEnabled());
    EXPECT_STREQ("Control", control.getControlName().getString());
    EXPECT_EQ(CRect(0, 0, 30, 40), control.getNormalisedArea());
    EXPECT_STREQ("CControl", control.getClass().getClassName());
    for (long size : {1L, 4L, 7L, 8L, 20L})
    {
        char text[24];
        std::memset(text, 'x', sizeof(text));
        control.getObjectDescription(text, size);
        EXPECT_EQ(std::string("Control").substr(0, static_cast<size_t>(size - 1)), std::string(text)) << size;
    }
}

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

    const std::vector<std::string> expected = {
        "Control Name=Gain",      "Control ID=42",          "Mouse Enabled=False",
        "Keyboard Enabled=True",  "Drop File Enabled=True", "Is Enabled=False",
        "Default Drawing=True",   "Area=10,20,30,40",       "Primary Image=knob",
        "Disabled Image=off",     "Frame Colour=1,2,3,4",   "Background Colour=5,6,7,8"};
    const std::vector<std::string> copied = propertyTexts(copy);
    EXPECT_EQ(expected, copied);
    for (size_t index = 0; index < defaults.size(); ++index)
        EXPECT_NE(defaults[index], copied[index]);
    EXPECT_EQ(CImageManager::getImage(CString("knob")), copy.getPrimaryImage());
}

TEST_F(CControlProperties, aValueOfAnotherClassOrAnUnknownNameIsRefusedAndChangesNothing)
{
    CControl control(&bench.root(), 0, CRect(1, 2, 3, 4), nullptr);
    const std::vector<std::string> before = propertyTexts(control);
    const std::vector<std::pair<const char*, std::function<Brivant::Basics::ICountedObject*()>>> cases = {
        {"Area", [] { return new CLong(5); }},
        {"Control Name", [] { return new CLong(5); }},
        {"Control ID", [] { return new CBool(true); }},
        {"Mouse Enabled", [] { return new CString("False"); }},
        {"Frame Colour", [] { return new CColour(1, 2, 3); }},
        {"Primary Image", [] { return new CBool(false); }},
        {"Background Colour", [] { return nullptr; }},
        {"Colour", [] { return new CAlphaColour(1, 2, 3, 4); }}};
    for (const auto& test : cases)
    {
        const CControlDescriptor descriptor(CString(test.first), 0, test.second());
        EXPECT_FALSE(control.applyDescriptor(descriptor)) << test.first;
    }
    EXPECT_EQ(before, propertyTexts(control));

    // Each colour property changes its own colour only.
    const CControlDescriptor frame(CString("Frame Colour"), CControlDescriptor::kColour, new CAlphaColour(9, 9, 9, 9));
    ASSERT_TRUE(control.applyDescriptor(frame));
    EXPECT_EQ(CAlphaColour(9, 9, 9, 9), control.getFrameColour());
    EXPECT_EQ(CAlphaColour(255, 255, 255, 255), control.getBackgroundColour());
}

TEST_F(CControlProperties, readingALayoutElementFailsOnAnyFaultButAppliesWhatItCan)
{
    CControl source(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
    source.setControlName(CString("Read"));
    struct SCase
    {
        const char* fault;
        std::function<void(CXMLNode&)> mutate;
        bool result;
        const char* nameAfter;
    } cases[] = {
        {"none", [](CXMLNode&) {}, true, "Read"},
        {"no count", [](CXMLNode& node) { node.removeAttribute(CString("number_of_descriptors")); }, false,
         "Control"},
        {"count one short",
         [](CXMLNode& node) { node.getAttribute(CString("number_of_descriptors"))->setValue(11L); }, false, "Read"},
        {"an unknown property first",
         [](CXMLNode& node) {
             node.getChildNode(0L)->getAttribute(CString("name"))->setValue("Nonsense");
             node.getChildNode(1L)->getAttribute(CString("name"))->setValue("Control Name");
             node.getChildNode(1L)->getAttribute(CString("type"))->setValue("string");
         },
         false, "0"},
        {"a descriptor that does not read",
         [](CXMLNode& node) { node.getChildNode(0L)->removeAttribute(CString("object")); }, false, "Control"},
        {"other elements between", [](CXMLNode& node) { node.addChildNode(CString("note")); }, true, "Read"}};
    for (const SCase& test : cases)
    {
        CXMLNode node(CString("control"), nullptr);
        source.writeToXmlNode(&node);
        test.mutate(node);
        CControl target(&bench.root(), 0, CRect(0, 0, 1, 1), nullptr);
        EXPECT_EQ(test.result, target.readFromXmlNode(&node)) << test.fault;
        EXPECT_STREQ(test.nameAfter, target.getControlName().getString()) << test.fault;
    }
}

TEST_F(CControlProperties, theFaceShowsTheDefaultColoursTheImageOrWhenDisabledOnlyTheDisabledImage)
{
    struct SCase
    {
        bool enabled;
        bool defaultDrawing;
        const char* primary;
        const char* disabled;
        std::string centre;
        std::string corner;
    } cases[] = {
        {true, true, "", "", rgbText(0, 200, 0), rgbText(0, 0, 200)},
        {true, false, "", "", rgbText(255, 255, 255), rgbText(255, 255, 255)},
        {true, true, "knob", "off", rgbText(7, 8, 9), rgbText(7, 8, 9)},
        {false, true, "knob", "", rgbText(255, 255, 255), rgbText(255, 255, 255)},
        {false, true, "knob", "off", rgbText(60, 50, 40), rgbText(60, 50, 40)}};
    for (const SCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.primary) + "/" + test.disabled + (test.enabled ? " enabled" : " disabled"));
        CControlBench local;
        auto* face = new CFaceControl(&local.root(), 0, CRect(10, 10, 20, 20), nullptr);
        local.root().addControl(face);
        face->setDefaultControlColours(CAlphaColour(0, 200, 0), CAlphaColour(0, 0, 200));
        face->setDefaultDrawing(test.defaultDrawing);
        face->setPrimaryImage(CImageManager::getImage(CString(test.primary)));
        face->setDisabledImage(CImageManager::getImage(CString(test.disabled)));
        test.enabled ? face->enable() : face->disable();
        COffscreenCanvas canvas(40, 40);
        canvas.draw(local.root());
        EXPECT_EQ(test.centre, canvas.rgb(20, 20));
        EXPECT_EQ(test.corner, canvas.rgb(10, 29));
        EXPECT_EQ(rgbText(255, 255, 255), canvas.rgb(30, 30));
    }
}
} // namespace
