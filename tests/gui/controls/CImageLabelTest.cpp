// CImageLabel: files dropped on it through its root: the first supported file becomes the picture, anything else
// clears it, and the listener hears of every drop that names a file.
#include "gui/controls/CImageLabel.hpp"

#include "gui/core/IImage.hpp"
#include "tests/gui/CControlTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Brivant::GUI::Controls::CImageLabel;
using Brivant::GUI::Graphics::IImage;
using Brivant::MathTools::CRect;
using namespace VolturaTests;

class CImageLabelTest : public CImageManagerFixture
{
protected:
    CImageLabelTest()
    {
        writePng(file("blue.png"), 8, 8, [](long, long) { return 0xFF0000C8u; });
        writeJpeg(file("red.jpg"), 8, 8, [](long, long) { return 0xFFC80000u; });
        writeText("notes.txt", "not a picture");
        writeText("picture.bmp", "BM");
    }
};

TEST_F(CImageLabelTest, theFirstSupportedFileLoadsAndAnythingElseClearsThePictureWithOneNotice)
{
    const std::string blue = file("blue.png"), red = file("red.jpg"), text = file("notes.txt"),
                      bitmap = file("picture.bmp"), missing = file("missing.png");
    const struct
    {
        std::vector<const char*> files;
        bool withListener;
        long type; // of the picture afterwards, -1 for none
        size_t notices;
        std::string centre;
    } cases[] = {
        {{blue.c_str(), red.c_str()}, true, IImage::kPNGImage, 1, "0,0,200"},
        {{red.c_str()}, true, IImage::kJPEGImage, 1, ""},
        {{text.c_str(), blue.c_str()}, true, -1, 1, "255,255,255"},
        {{bitmap.c_str()}, true, -1, 1, "255,255,255"},
        {{missing.c_str()}, true, -1, 1, "255,255,255"},
        {{}, true, IImage::kPNGImage, 0, "0,0,200"}, // an empty drop keeps the picture
        {{blue.c_str()}, false, IImage::kPNGImage, 0, "0,0,200"},
    };
    for (const auto& test : cases)
    {
        CControlBench bench(100, 60);
        auto* label = new CImageLabel(&bench.root(), 1, CRect(10, 10, 40, 20));
        bench.root().addControl(label);
        EXPECT_FALSE(label->isMouseEnabled());
        CRecordingActionListener listener;
        if (test.withListener)
            label->registerActionListener(&listener);
        bench.drop(15, 15, {blue.c_str()});
        listener.controls.clear();

        Brivant::GUI::Events::CDropEvent event(Brivant::MathTools::CPoint(12, 12));
        for (const char* name : test.files)
            event.getFileList().addElement(new Brivant::Basics::CString(name));
        bench.root().handleFileDrop(event);

        const std::string context = test.files.empty() ? "none" : test.files[0];
        IImage* picture = label->getPrimaryImage();
        EXPECT_EQ(test.type, picture != nullptr ? picture->getImageType() : -1) << context;
        EXPECT_EQ(std::vector<IControl*>(test.notices, label), listener.controls) << context;
        EXPECT_EQ("10,10,40,20", bench.redraws.back()) << context;
        if (!test.centre.empty())
        {
            COffscreenCanvas canvas(100, 60);
            canvas.draw(bench.root());
            EXPECT_EQ(test.centre, canvas.rgb(30, 20)) << context;
        }
    }
}
} // namespace
