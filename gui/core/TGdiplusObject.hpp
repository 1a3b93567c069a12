// One GDI+ flat-API object, deleted when its holder goes out of scope. For the sources that talk to GDI+ itself.
#pragma once

#include <windows.h>
#include <gdiplus.h>

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
inline void releaseGdiplus(::Gdiplus::GpPen* object) { ::Gdiplus::DllExports::GdipDeletePen(object); }
inline void releaseGdiplus(::Gdiplus::GpSolidFill* object) { ::Gdiplus::DllExports::GdipDeleteBrush(object); }
inline void releaseGdiplus(::Gdiplus::GpFont* object) { ::Gdiplus::DllExports::GdipDeleteFont(object); }
inline void releaseGdiplus(::Gdiplus::GpStringFormat* object)
{
    ::Gdiplus::DllExports::GdipDeleteStringFormat(object);
}
inline void releaseGdiplus(::Gdiplus::GpPath* object) { ::Gdiplus::DllExports::GdipDeletePath(object); }
inline void releaseGdiplus(::Gdiplus::GpGraphics* object) { ::Gdiplus::DllExports::GdipDeleteGraphics(object); }

template <class T>
class TGdiplusObject
{
public:
    TGdiplusObject() = default;
    ~TGdiplusObject()
    {
        if (m_object != nullptr)
            releaseGdiplus(m_object);
    }
    TGdiplusObject(const TGdiplusObject&) = delete;
    TGdiplusObject& operator=(const TGdiplusObject&) = delete;

    // Where a GDI+ create call writes the object.
    T** out() { return &m_object; }
    T* get() const { return m_object; }

private:
    T* m_object = nullptr;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
