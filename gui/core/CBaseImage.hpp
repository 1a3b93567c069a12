// The state every image shares: its own reference count, the bitmap with its size and area, the file it came
// from and the text of the last failure. Loaders fill it; a failed load leaves it unloaded and drawing nothing.
#pragma once

#include "foundation/basics/CString.hpp"
#include "foundation/basics/CSystemString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/IImage.hpp"

#include <cstdint>
#include <initializer_list>

struct HBITMAP__;

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CBaseImage : public IImage
{
public:
    // Image files come from users and skins: no loader allocates for a picture beyond these.
    static constexpr long kMaximumSide = 65535;
    static constexpr std::uint64_t kMaximumPixels = std::uint64_t(1) << 24;

    explicit CBaseImage(bool hasAlpha);
    // Unloads.
    ~CBaseImage() override;

    // The bitmap belongs to one image.
    CBaseImage(const CBaseImage&) = delete;
    CBaseImage& operator=(const CBaseImage&) = delete;

    // A count of its own, not a CCountedObject's: deleted when a dereference leaves 0 or less.
    void referenced() override;
    void dereference() override;
    long getReferenceCount() const override;
    // "File loaded is = " and the file name, or "No Image loaded".
    void getObjectDescription(char* text, long size) const override;

    const ::Brivant::MathTools::CDimension& getImageSize() const override { return m_size; }
    const ::Brivant::MathTools::CRect& getImageArea() const override { return m_area; }
    const ::Brivant::Basics::CSystemString& getFilename() const override { return m_filename; }
    // Nothing to load here: false.
    bool loadFromFile(const ::Brivant::Basics::CSystemString& path) override;
    // Not loaded, file name " ", size and area 0, the bitmap deleted.
    void unloadImage() override;
    bool hasAlpha() const override { return m_hasAlpha; }
    bool hasImageLoaded() const override { return m_loaded; }
    HBITMAP__* getNativeImage() const override { return m_bitmap; }

    // " " until something failed.
    const ::Brivant::Basics::CString& getLastError() const { return m_lastError; }

    // Both sides from 1 to kMaximumSide and at most kMaximumPixels in all; computed without overflow.
    static bool isSaneSize(std::uint64_t width, std::uint64_t height);
    // The path's last characters compared without case: "x.PNG" ends with "png".
    static bool endsWithIgnoringCase(const ::Brivant::Basics::CString& path, const char* ending);

protected:
    // The start every loader shares: the name is kept; unless it ends with one of the endings (in any case) the
    // load fails with `wrongType` and the picture held stays, otherwise that picture is dropped.
    bool beginLoading(const ::Brivant::Basics::CSystemString& file, std::initializer_list<const char*> endings,
                      const char* wrongType);

    // A new image of the kind given, loaded at once from `name` in `folder`.
    template <class Image>
    static Image* createInFolder(const ::Brivant::Basics::CSystemString& folder, const ::Brivant::Basics::CString& name)
    {
        ::Brivant::Basics::CSystemString path(folder);
        path.appendPath(name);
        return new Image(path);
    }

    void setFilename(const ::Brivant::Basics::CSystemString& path) { m_filename = path; }
    void setLastError(const char* text) { m_lastError = text; }
    void setHasAlpha(bool hasAlpha) { m_hasAlpha = hasAlpha; }
    // Sets size and area and marks the image unloaded; used while an RGBA image is being drawn.
    void setPictureSize(long width, long height);
    // Takes the bitmap (null marks the image unloaded); the old one is deleted.
    void takeBitmap(HBITMAP__* bitmap);
    // The PNG and JPEG loaders' common path through GDI+, after their own name check: true when a bitmap was
    // made; otherwise the last error names the failure.
    bool loadThroughGdiplus(const ::Brivant::Basics::CSystemString& path, const char* noGdiplusText);

private:
    void deleteBitmap();

    bool m_hasAlpha;
    long m_referenceCount;
    bool m_loaded;
    ::Brivant::MathTools::CDimension m_size;
    ::Brivant::MathTools::CRect m_area;
    ::Brivant::Basics::CSystemString m_filename;
    ::Brivant::Basics::CString m_lastError;
    HBITMAP__* m_bitmap;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
