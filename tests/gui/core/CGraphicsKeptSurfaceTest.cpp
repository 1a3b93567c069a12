// A context that keeps its surface between paints: the same window at the same size takes it up again with its
// pixels and nothing else of the earlier paint; another size or a window made again gets a fresh surface.
#include "CGraphicsFixture.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CNativeImage.hpp"
#include "gui/core/CPen.hpp"

namespace
{
using Brivant::GUI::Basics::CAlphaColour;
using Brivant::GUI::Basics::CColour;
using Brivant::GUI::Graphics::CGraphics;
using Brivant::MathTools::CDimension;
using Brivant::MathTools::CPoint;
using Brivant::MathTools::CRect;
using VolturaTests::CDibSurface;
using VolturaTests::CPixels;

class CGraphicsKeptSurfaceTest : public ::testing::TestWithParam<CGraphics::EDrawingPath>
{
};

TEST_P(CGraphicsKeptSurfaceTest, onlyTheSameWindowAndSizeTakeItUpAgainUnclippedWithThePenAtTheOrigin)
{
    CDibSurface first(8, 8), later(8, 8);
    HWND window = nullptr;
    CGraphics graphics(GetParam());
    graphics.setSurfaceKept(true);
    graphics.getOffscreenImage().setBackgroundColour(CColour::turquoise());
    const auto paintRedCorner = [&]() {
        graphics.initialise(&window, first.context(), CDimension(12, 10));
        graphics.getMutableBrush().setColour(CAlphaColour(255, 0, 0, 255));
        graphics.fillRectangle(CRect(0, 0, 4, 4));
        graphics.getClippingRegion().setClipRegion(CRect(0, 0, 2, 2));
        graphics.moveTo(CPoint(5, 5));
        graphics.uninitialise();
    };
    paintRedCorner();
    graphics.initialise(&window, later.context(), CDimension(12, 10));
    // Layers are made compatible with the paint's own context, not the one given back.
    EXPECT_EQ(later.context(), graphics.getOffscreenImage().getWindowContext());
    EXPECT_EQ(16, CPixels(graphics.getDeviceContext(), 12, 10).count(0, 0, 4, 4, "255,0,0"));
    graphics.getMutablePen().setColour(CAlphaColour(0, 0, 255, 255));
    graphics.lineTo(CPoint(11, 0));
    EXPECT_EQ(11, CPixels(graphics.getDeviceContext(), 12, 10).count(0, 0, 11, 1, "0,0,255"));

    graphics.initialise(&window, later.context(), CDimension(14, 10));
    EXPECT_EQ(140, CPixels(graphics.getDeviceContext(), 14, 10).countAll("116,184,188"));
    paintRedCorner();
    window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1000));
    graphics.initialise(&window, later.context(), CDimension(12, 10));
    EXPECT_EQ(120, CPixels(graphics.getDeviceContext(), 12, 10).countAll("116,184,188"));
}

VOLTURA_ON_BOTH_PATHS(CGraphicsKeptSurfaceTest);
} // namespace
