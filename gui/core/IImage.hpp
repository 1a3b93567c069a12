// A picture held as a GDI bitmap with its size, ready for the graphics context to copy, stretch or blend.
// Pictures with alpha hold premultiplied pixels. Images are shared by reference count.
#pragma once

#include "foundation/basics/ICountedObject.hpp"

struct HBITMAP__;

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace MathTools
{
class CDimension;
class CRect;
} // namespace MathTools

namespace GUI
{
namespace Graphics
{
class IImage : public virtual ::Brivant::Basics::ICountedObject
{
public:
    enum EImageType : long
    {
        kRGBAImage = 0,
        kTGAImage = 1,
        kPNGImage = 2,
        kJPEGImage = 3
    };

    // (0, 0) while nothing is loaded.
    virtual const ::Brivant::MathTools::CDimension& getImageSize() const = 0;
    // (0, 0, width, height).
    virtual const ::Brivant::MathTools::CRect& getImageArea() const = 0;
    virtual long getImageType() const = 0;
    // The path last given to loadFromFile, " " when none.
    virtual const ::Brivant::Basics::CSystemString& getFilename() const = 0;
    virtual bool loadFromFile(const ::Brivant::Basics::CSystemString& path) = 0;
    virtual void unloadImage() = 0;
    // Per-pixel alpha, premultiplied into the colour channels.
    virtual bool hasAlpha() const = 0;
    virtual bool hasImageLoaded() const = 0;
    // Null while nothing is loaded.
    virtual HBITMAP__* getNativeImage() const = 0;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
