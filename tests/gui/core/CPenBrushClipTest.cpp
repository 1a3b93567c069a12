// The pen, the brush, the clip and the off-screen surface on their own: what each selects into its device
// context, that no old GDI handle outlives a change, and the surface's copies and blend byte.
#include "CGdiDeletionWatch.hpp"
#include "CGraphicsFixture.hpp"
#include "foundation/exceptions/CException.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CClip.hpp"
#include "gui/core/CNativeImage.hpp"
#include "gui/core/CPen.hpp"

#include <limits>
#include <vector>

namespace
{
using Brivant::Exceptions::CException;
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Basics::CColour;
using Brivant::GUI::Graphics::CBrush;
using Brivant::GUI::Graphics::CClip;
using Brivant::GUI::Graphics::CNativeImage;
using Brivant::GUI::Graphics::CPen;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CRect;
using VolturaTests::CDibSurface;
using VolturaTests::CPixels;

HGDIOBJ selectedPen(HDC dc) { return GetCurrentObject(dc, OBJ_PEN); }
HGDIOBJ selectedBrush(HDC dc) { return GetCurrentObject(dc, OBJ_BRUSH); }

TEST(CPenHandles, colourAndWidthChangesDeleteTheOldPenOnceTheNewOneIsSelected)
{
    CDibSurface surface(4, 4);
    CPen pen;
    pen.initialise(1, surface.context(), CAlphaColour::black());
    HPEN first = pen.getPenHandle();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, selectedPen(surface.context()));

    pen.setColour(CAlphaColour::red());
    HPEN second = pen.getPenHandle();
    EXPECT_NE(first, second);
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(second));
    EXPECT_EQ(second, selectedPen(surface.context()));

    pen.setWidth(3);
    EXPECT_EQ(0u, GetObjectType(second));
    HPEN third = pen.getPenHandle();
    pen.setPen(2, CAlphaColour::blue());
    EXPECT_EQ(0u, GetObjectType(third));
    EXPECT_EQ(pen.getPenHandle(), selectedPen(surface.context()));
    EXPECT_EQ(2, pen.getWidth());
    EXPECT_TRUE(pen.getColour() == CAlphaColour::blue());

    LOGPEN logical = {};
    ASSERT_NE(0, GetObject(pen.getPenHandle(), sizeof(logical), &logical));
    EXPECT_EQ(2, logical.lopnWidth.x);
    EXPECT_EQ(CColour::blue().getAsColourRef(), logical.lopnColor);
}

TEST(CPenHandles, changesNeverDeleteThePenTheContextStillHolds)
{
    CDibSurface surface(4, 4);
    CPen pen;
    VolturaTests::CGdiDeletionWatch watch;
    ASSERT_TRUE(watch.isWatching());
    watch.watch(surface.context());
    pen.initialise(1, surface.context(), CAlphaColour::black());
    pen.setColour(CAlphaColour::red());
    pen.setWidth(4);
    pen.setPen(2, CAlphaColour::blue());
    pen.useNullPen();
    pen.setColour(CAlphaColour::green());
    pen.initialise(3, surface.context(), CAlphaColour::pink());
    pen.releasePen();
    EXPECT_EQ(6, watch.deletions());
    EXPECT_EQ(0, watch.deletionsWhileSelected());
}

TEST(CPenHandles, manyColourChangesLeaveOnlyTheCurrentPen)
{
    CDibSurface surface(4, 4);
    CPen pen;
    pen.initialise(1, surface.context(), CAlphaColour::black());
    std::vector<HPEN> made;
    for (long step = 0; step < 200; ++step)
    {
        pen.setColour(CAlphaColour(step, 255 - step, step / 2));
        made.push_back(pen.getPenHandle());
    }
    long alive = 0;
    for (HPEN handle : made)
        alive += GetObjectType(handle) == OBJ_PEN ? 1 : 0;
    EXPECT_EQ(1, alive);
}

TEST(CPenHandles, releaseGivesTheContextItsOwnPenBackAndDeletesThePen)
{
    CDibSurface surface(4, 4);
    HGDIOBJ original = selectedPen(surface.context());
    CPen pen;
    pen.initialise(4, surface.context(), CAlphaColour::red());
    pen.setColour(CAlphaColour::green());
    HPEN own = pen.getPenHandle();
    pen.useNullPen();
    EXPECT_EQ(GetStockObject(NULL_PEN), selectedPen(surface.context()));
    pen.selectPen();
    EXPECT_EQ(own, selectedPen(surface.context()));
    pen.releasePen();
    EXPECT_EQ(original, selectedPen(surface.context()));
    EXPECT_EQ(nullptr, pen.getPenHandle());
    EXPECT_EQ(0u, GetObjectType(own));
}

TEST(CPenHandles, penWithoutAContextOnlyStoresItsSettings)
{
    CPen pen;
    EXPECT_EQ(1, pen.getWidth());
    EXPECT_TRUE(pen.getColour() == CAlphaColour::black());
    EXPECT_EQ(0, pen.getLineCap());
    pen.setPen(5, CAlphaColour::pink());
    pen.setLineCap(2);
    pen.useNullPen();
    EXPECT_EQ(nullptr, pen.getPenHandle());
    EXPECT_EQ(5, pen.getWidth());
    EXPECT_EQ(2, pen.getLineCap());

    // Initialising starts the line cap afresh.
    CDibSurface surface(4, 4);
    pen.initialise(3, surface.context(), CAlphaColour::pink());
    EXPECT_EQ(0, pen.getLineCap());
    EXPECT_NE(nullptr, pen.getPenHandle());
}

TEST(CBrushHandles, colourChangeDeletesTheOldBrushOnceTheNewOneIsSelected)
{
    CDibSurface surface(4, 4);
    HGDIOBJ original = selectedBrush(surface.context());
    CBrush brush;
    EXPECT_TRUE(brush.getColour() == CAlphaColour::white());
    brush.initialise(surface.context(), CAlphaColour::red());
    HBRUSH first = brush.getBrushHandle();
    EXPECT_EQ(first, selectedBrush(surface.context()));
    brush.setColour(CAlphaColour::blue());
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(brush.getBrushHandle(), selectedBrush(surface.context()));

    brush.useNullBrush();
    EXPECT_EQ(GetStockObject(NULL_BRUSH), selectedBrush(surface.context()));
    brush.selectBrush();
    EXPECT_EQ(brush.getBrushHandle(), selectedBrush(surface.context()));

    HBRUSH last = brush.getBrushHandle();
    brush.uninitialise();
    EXPECT_EQ(original, selectedBrush(surface.context()));
    EXPECT_EQ(0u, GetObjectType(last));
    EXPECT_EQ(nullptr, brush.getBrushHandle());
}

TEST(CBrushHandles, changesNeverDeleteTheBrushTheContextStillHolds)
{
    CDibSurface surface(4, 4);
    CBrush brush;
    VolturaTests::CGdiDeletionWatch watch;
    watch.watch(surface.context());
    brush.initialise(surface.context(), CAlphaColour::black());
    brush.setColour(CAlphaColour::red());
    brush.useNullBrush();
    brush.setColour(CAlphaColour::green());
    brush.initialise(surface.context(), CAlphaColour::pink());
    brush.uninitialise();
    EXPECT_EQ(4, watch.deletions());
    EXPECT_EQ(0, watch.deletionsWhileSelected());
}

TEST(CClipState, initialisingWithoutASurfaceThrowsNamingTheClip)
{
    CClip clip;
    try
    {
        clip.initialise(nullptr, CRect(0, 0, 10, 10), nullptr);
        FAIL() << "no exception";
    }
    catch (const CException& failure)
    {
        EXPECT_STREQ("Native image is NULL", failure.getErrorReason().getString());
        EXPECT_STREQ("Brivant::GUI::Graphics::CClip::initialise", failure.getFunctionName().getString());
    }
    EXPECT_FALSE(clip.isInitialised());
}

TEST(CClipState, clipSetBeforeInitialiseIsOnlyStored)
{
    CClip clip;
    clip.setClipRegion(CRect(1, 2, 3, 4));
    CRect out(0, 0, 0, 0);
    clip.getClipRegion(out);
    EXPECT_TRUE(out == CRect(1, 2, 3, 4));
    clip.resetClipRegion();
    EXPECT_FALSE(clip.isClipSet());
}

TEST(CClipState, uninitialiseRemovesTheClipFromTheSurface)
{
    CDibSurface window(16, 16);
    HWND handle = nullptr;
    CNativeImage surface;
    surface.initialise(&handle, window.context(), CDimension(16, 16));
    CClip clip;
    clip.initialise(&surface, CRect(0, 0, 16, 16), nullptr);
    clip.setClipRegion(CRect(0, 0, 2, 2));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(1, GetClipRgn(surface.getMemoryContext(), region));
    clip.uninitialise();
    // 0: the context has no clip region left.
    EXPECT_EQ(0, GetClipRgn(surface.getMemoryContext(), region));
    DeleteObject(region);
}

TEST(CNativeImageSurface, isMadeCompatibleAndFilledWithItsBackground)
{
    CDibSurface window(8, 8);
    HWND handle = nullptr;
    CNativeImage surface;
    EXPECT_FALSE(surface.isCreated());
    surface.setBackgroundColour(CColour::turquoise());
    surface.initialise(&handle, window.context(), CDimension(12, 10));
    ASSERT_TRUE(surface.isCreated());
    EXPECT_EQ(&handle, surface.getWindow());
    EXPECT_EQ(window.context(), surface.getWindowContext());
    EXPECT_TRUE(surface.getSize() == CDimension(12, 10));
    BITMAP bitmap = {};
    ASSERT_NE(0, GetObject(surface.getBitmap(), sizeof(bitmap), &bitmap));
    EXPECT_EQ(12, bitmap.bmWidth);
    EXPECT_EQ(32, bitmap.bmBitsPixel);
    const CPixels drawn(surface.getMemoryContext(), 12, 10);
    EXPECT_EQ(120, drawn.count(0, 0, 12, 10, "116,184,188"));

    // A second initialise while the surface exists changes nothing.
    surface.initialise(&handle, window.context(), CDimension(30, 30));
    EXPECT_TRUE(surface.getSize() == CDimension(12, 10));
    surface.releaseImage();
    EXPECT_FALSE(surface.isCreated());
    EXPECT_EQ(nullptr, surface.getMemoryContext());
}

TEST(CNativeImageSurface, emptySizeMakesNoSurface)
{
    CDibSurface window(8, 8);
    CNativeImage surface;
    surface.initialise(nullptr, window.context(), CDimension(0, 10));
    EXPECT_FALSE(surface.isCreated());
    surface.initialise(nullptr, window.context(), CDimension(10, -1));
    EXPECT_FALSE(surface.isCreated());
}

TEST(CNativeImageSurface, copiesGoWholeFromOneSurfaceToTheOther)
{
    CDibSurface window(8, 8);
    CNativeImage source;
    CNativeImage target;
    source.setBackgroundColour(CColour::red());
    source.initialise(nullptr, window.context(), CDimension(6, 6));
    target.initialise(nullptr, window.context(), CDimension(6, 6));
    target.copyFrom(source);
    EXPECT_EQ(36, CPixels(target.getMemoryContext(), 6, 6).countAll("243,32,32"));

    CNativeImage missing;
    source.copyTo(missing);
    missing.copyTo(target);
    EXPECT_FALSE(missing.isCreated());
}

TEST(CNativeImageSurface, blendByteHoldsTheAlphaToZeroToOne)
{
    EXPECT_EQ(127, CNativeImage::constantAlphaByte(0.5));
    EXPECT_EQ(255, CNativeImage::constantAlphaByte(1.0));
    EXPECT_EQ(255, CNativeImage::constantAlphaByte(1.5));
    EXPECT_EQ(0, CNativeImage::constantAlphaByte(0.0));
    EXPECT_EQ(0, CNativeImage::constantAlphaByte(-0.5));
    EXPECT_EQ(0, CNativeImage::constantAlphaByte(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(25, CNativeImage::constantAlphaByte(0.1));
}
} // namespace
