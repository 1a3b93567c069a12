// CTriStateImage: the state picks one of three pictures within 0..2 only, the disabled picture wins, and the
// picture properties resolve reference names, unknown ones to no picture.
#include "gui/controls/CTriStateImage.hpp"

#include "foundation/basics/CLong.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CTriStateImage;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

class CTriStateImageTest : public CImageManagerFixture
{
protected:
    CTriStateImageTest() : image(new CTriStateImage(&bench.root(), 1, CRect(5, 5, 20, 10)))
    {
        const char* names[] = {"first", "second", "third", "disabled"};
        const SPixel pixels[] = {{200, 0, 0, 255}, {0, 200, 0, 255}, {0, 0, 200, 255}, {50, 50, 50, 255}};
        for (int index = 0; index < 4; ++index)
        {
            const std::string fileName = std::string(names[index]) + ".tga";
            CTemporaryFolder::writeBytes(file(fileName), targaFile(2, 2, std::vector<SPixel>(4, pixels[index])));
            CImageManager::addImage(CString("{}"), CString(fileName.c_str()), CString(names[index]));
        }
        bench.root().addControl(image);
        image->setImages(CImageManager::getImage(CString("first")), CImageManager::getImage(CString("second")),
                         nullptr);
    }
    std::string shown()
    {
        COffscreenCanvas canvas(40, 20);
        canvas.draw(bench.root());
        return canvas.rgb(15, 10);
    }

    CControlBench bench{40, 20};
    CTriStateImage* image;
};

TEST_F(CTriStateImageTest, onlyStatesZeroToTwoAreTakenAndTheDisabledPictureWins)
{
    const struct
    {
        std::function<void(CTriStateImage&)> act;
        std::string shown;
    } steps[] = {
        {[](CTriStateImage&) {}, "0,0,200"},
        {[](CTriStateImage& control) { control.setState(1); }, "0,200,0"},
        {[](CTriStateImage& control) { control.setState(3); }, "0,200,0"},
        {[](CTriStateImage& control) { control.setState(static_cast<unsigned long>(-1)); }, "0,200,0"},
        {[](CTriStateImage& control) { control.setState(2); }, "255,255,255"}, // no third picture
        {[](CTriStateImage& control) {
             control.setState(0);
             control.setDisabledImage(CImageManager::getImage(CString("disabled")));
             control.disable();
         },
         "50,50,50"},
    };
    for (const auto& step : steps)
    {
        step.act(*image);
        EXPECT_EQ(step.shown, shown());
    }
    EXPECT_EQ(3u, bench.redraws.size()); // one for each state taken, none for those ignored
}

TEST_F(CTriStateImageTest, picturePropertiesTakeReferenceNamesAndRefuseOtherValues)
{
    const struct
    {
        const char* name;
        Brivant::Basics::ICountedObject* value;
        bool applied;
        const char* filled; // the property's name afterwards
    } cases[] = {{"Image 3", new CString("disabled"), true, "disabled"},
                 {"Image 2", new CString("nobody"), true, " "},
                 {"Image 1", new Brivant::Basics::CLong(1), false, "first"},
                 {"Image 1", nullptr, false, "first"}};
    for (const auto& test : cases)
    {
        EXPECT_EQ(test.applied, image->applyDescriptor(CControlDescriptor(CString(test.name), 1, test.value)))
            << test.name;
        CControlDescriptor filled(CString(test.name), 1, nullptr);
        ASSERT_TRUE(image->fillDescriptor(filled));
        EXPECT_STREQ(test.filled, dynamic_cast<CString*>(filled.getValue())->getString()) << test.name;
    }
    image->setState(2);
    EXPECT_EQ("50,50,50", shown());
    image->setState(1);
    EXPECT_EQ("255,255,255", shown());
}
} // namespace
