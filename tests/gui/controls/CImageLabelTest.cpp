// CImageLabel and CTriStateImage: drops through the root (the first supported file loads, anything else clears and
// still notifies), the tri-state bounds and the disabled picture, and the tri-state picture properties.
#include "gui/controls/CImageLabel.hpp"

#include "gui/controls/CTriStateImage.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/IImage.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

namespace
{
using Brivant::Basics::CString;
using Brivant::GUI::Graphics::CImageManager;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

class CPictureControlTest : public CImageManagerFixture
{
protected:
    std::string centre()
    {
        COffscreenCanvas canvas(40, 30);
        canvas.draw(bench.root());
        return canvas.rgb(15, 12);
    }
    CControlBench bench{40, 30};
};

TEST_F(CPictureControlTest, aDropLoadsTheFirstFileOnlyClearsForAnyOtherKindAndNotifiesOnce)
{
    writePng(file("blue.png"), 4, 4, [](long, long) { return 0xFF0000C8u; });
    writeJpeg(file("red.jpg"), 4, 4, [](long, long) { return 0xFFC80000u; });
    writeText("notes.txt", "text");
    writeText("picture.bmp", "BM");
    const struct
    {
        std::vector<std::string> files;
        long type; // of the picture afterwards, -1 for none
    } cases[] = {{{"blue.png", "red.jpg"}, IImage::kPNGImage}, {{"red.jpg"}, IImage::kJPEGImage},
                 {{"notes.txt", "blue.png"}, -1},             {{"picture.bmp"}, -1},
                 {{"missing.png"}, -1},                        {{}, IImage::kPNGImage}};
    auto* label = new Brivant::GUI::Controls::CImageLabel(&bench.root(), 1, CRect(10, 10, 20, 10));
    bench.root().addControl(label);
    EXPECT_FALSE(label->isMouseEnabled());
    for (const auto& test : cases)
    {
        label->registerActionListener(nullptr);
        bench.drop(12, 12, {file("blue.png").c_str()});
        EXPECT_EQ("0,0,200", centre());
        CRecordingActionListener listener;
        label->registerActionListener(&listener);
        Brivant::GUI::Events::CDropEvent event(Brivant::MathTools::CPoint(25, 15));
        for (const std::string& name : test.files)
            event.getFileList().addElement(new CString(file(name).c_str()));
        bench.root().handleFileDrop(event);
        const std::string context = test.files.empty() ? "none" : test.files[0];
        EXPECT_EQ(test.type, label->getPrimaryImage() ? label->getPrimaryImage()->getImageType() : -1) << context;
        EXPECT_EQ(std::vector<IControl*>(test.files.empty() ? 0 : 1, label), listener.controls) << context;
        EXPECT_EQ(test.type == -1, centre() == "255,255,255") << context;
    }
}

TEST_F(CPictureControlTest, theTriStateImageShowsOnlyStatesZeroToTwoAndTheDisabledPictureWins)
{
    const char* names[] = {"first", "second", "third"};
    const SPixel pixels[] = {{200, 0, 0, 255}, {0, 200, 0, 255}, {50, 50, 50, 255}};
    for (int index = 0; index < 3; ++index)
    {
        const std::string fileName = std::string(names[index]) + ".tga";
        CTemporaryFolder::writeBytes(file(fileName), targaFile(2, 2, std::vector<SPixel>(4, pixels[index])));
        CImageManager::addImage(CString("{}"), CString(fileName.c_str()), CString(names[index]));
    }
    auto* image = new Brivant::GUI::Controls::CTriStateImage(&bench.root(), 1, CRect(5, 5, 20, 10));
    bench.root().addControl(image);
    image->setImages(CImageManager::getImage(CString("first")), CImageManager::getImage(CString("second")), nullptr);
    const std::pair<long, const char*> steps[] = {
        {0, "0,0,200"}, {1, "0,200,0"}, {3, "0,200,0"}, {-1, "0,200,0"}, {2, "255,255,255"}};
    for (const auto& step : steps)
    {
        image->setState(static_cast<unsigned long>(step.first));
        EXPECT_EQ(step.second, centre()) << step.first;
    }
    EXPECT_EQ(3u, bench.redraws.size()); // one for each state taken
    using Brivant::GUI::Controls::CControlDescriptor;
    EXPECT_TRUE(image->applyDescriptor(CControlDescriptor(CString("Image 3"), 1, new CString("third"))));
    EXPECT_FALSE(image->applyDescriptor(CControlDescriptor(CString("Image 3"), 1, new CRect(0, 0, 1, 1))));
    EXPECT_EQ("50,50,50", centre());
    EXPECT_TRUE(image->applyDescriptor(CControlDescriptor(CString("Image 3"), 1, new CString("nobody"))));
    EXPECT_EQ("255,255,255", centre());
    image->setDisabledImage(CImageManager::getImage(CString("second")));
    image->disable();
    image->setState(0);
    EXPECT_EQ("0,200,0", centre());
}
} // namespace
