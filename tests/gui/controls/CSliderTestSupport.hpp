// For the slider and scroll tests: a control on a bench with a listener, solid pictures written as Targa files
// and registered in the image manager, and one property applied or read through a descriptor.
#pragma once

#include "gui/core/CControlDescriptor.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <string>
#include <vector>

namespace VolturaTests
{
// A control built at its area with the arguments given and the bench's listener last; events local to it.
template <class TControl>
struct TControlOnBench
{
    template <class... TArguments>
    explicit TControlOnBench(const Brivant::MathTools::CRect& area, TArguments... arguments)
        : control(new TControl(&bench.root(), 1, area, arguments..., &listener))
    {
        bench.root().addControl(control);
    }
    void mouse(long kind, long x, long y, int modifiers = kNoModifier, double wheel = 0.0)
    {
        bench.mouse(kind, control->getArea().getLeft() + x, control->getArea().getTop() + y, modifiers, wheel);
    }
    std::string pixel(long x, long y)
    {
        COffscreenCanvas canvas(400, 300);
        canvas.draw(bench.root());
        return canvas.rgb(x, y);
    }

    CControlBench bench;
    CRecordingActionListener listener;
    TControl* control;
};

class CControlImagesFixture : public CImageManagerFixture
{
protected:
    // One opaque colour, written as name.tga and registered under name.
    Brivant::GUI::Graphics::IImage* solidImage(const std::string& name, unsigned short width, unsigned short height,
                                               unsigned red, unsigned green, unsigned blue)
    {
        writeSolidTarga(name + ".tga", width, height, red, green, blue);
        using Brivant::Basics::CString;
        Brivant::GUI::Graphics::CImageManager::addImage(CString("{}"), CString((name + ".tga").c_str()),
                                                        CString(name.c_str()));
        return Brivant::GUI::Graphics::CImageManager::getImage(CString(name.c_str()));
    }
    void writeSolidTarga(const std::string& fileName, unsigned short width, unsigned short height, unsigned red,
                         unsigned green, unsigned blue) const
    {
        const std::vector<SPixel> pixels(size_t(width) * height, {blue, green, red, 255});
        CTemporaryFolder::writeBytes(file(fileName), targaFile(width, height, pixels));
    }
};

// The control's answer to a property whose value the descriptor takes over.
inline bool applyProperty(IControl& control, const char* name, long kind, Brivant::Basics::ICountedObject* value)
{
    Brivant::GUI::Controls::CControlDescriptor descriptor(Brivant::Basics::CString(name), kind, value);
    return control.applyDescriptor(descriptor);
}

// A property's value as text: a string as it is, anything else as it describes itself; "?" for none.
inline std::string propertyText(IControl& control, const char* name)
{
    Brivant::GUI::Controls::CControlDescriptor descriptor(Brivant::Basics::CString(name), 6, nullptr);
    if (!control.fillDescriptor(descriptor) || descriptor.getValue() == nullptr)
        return "?";
    if (const auto* string = dynamic_cast<const Brivant::Basics::CString*>(descriptor.getValue()))
        return string->getString();
    char text[256] = {};
    descriptor.getValue()->getObjectDescription(text, sizeof(text));
    return text;
}
} // namespace VolturaTests
