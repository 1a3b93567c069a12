// For tests of skinned controls: solid pictures written as Targa files into a fresh folder and registered in the
// image manager, and one property of a control applied or read through a descriptor.
#pragma once

#include "foundation/basics/CString.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/IControl.hpp"
#include "tests/gui/core/CImageManagerFixture.hpp"

#include <string>
#include <vector>

namespace VolturaTests
{
class CControlImagesFixture : public CImageManagerFixture
{
protected:
    // A picture of one opaque colour, written as name.tga into the folder and registered under name.
    Brivant::GUI::Graphics::IImage* solidImage(const std::string& name, unsigned short width, unsigned short height,
                                               unsigned red, unsigned green, unsigned blue)
    {
        writeSolidTarga(name + ".tga", width, height, red, green, blue);
        Brivant::GUI::Graphics::CImageManager::addImage(Brivant::Basics::CString("{}"),
                                                       Brivant::Basics::CString((name + ".tga").c_str()),
                                                       Brivant::Basics::CString(name.c_str()));
        return Brivant::GUI::Graphics::CImageManager::getImage(Brivant::Basics::CString(name.c_str()));
    }

    void writeSolidTarga(const std::string& fileName, unsigned short width, unsigned short height, unsigned red,
                         unsigned green, unsigned blue) const
    {
        CTemporaryFolder::writeBytes(
            file(fileName), targaFile(width, height, std::vector<SPixel>(size_t(width) * height,
                                                                          {blue, green, red, 255})));
    }
};

// Applies a property whose value the descriptor takes over; the control's answer.
inline bool applyProperty(Brivant::GUI::Controls::IControl& control, const char* name, long kind,
                          Brivant::Basics::ICountedObject* value)
{
    Brivant::GUI::Controls::CControlDescriptor descriptor(Brivant::Basics::CString(name), kind, value);
    return control.applyDescriptor(descriptor);
}

// A property's current value as its descriptor's text would write it; "?" when the control knows no such name.
inline std::string propertyText(Brivant::GUI::Controls::IControl& control, const char* name)
{
    Brivant::GUI::Controls::CControlDescriptor descriptor(Brivant::Basics::CString(name), 6, nullptr);
    if (!control.fillDescriptor(descriptor) || descriptor.getValue() == nullptr)
        return "?";
    char text[256] = {};
    if (const auto* string = dynamic_cast<const Brivant::Basics::CString*>(descriptor.getValue()))
        return string->getString();
    descriptor.getValue()->getObjectDescription(text, sizeof(text));
    return text;
}
} // namespace VolturaTests
