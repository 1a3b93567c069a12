// A context that keeps its surface between paints: the same window at the same size takes it up again with its
// pixels and nothing else of the earlier paint; any other window or size gets a fresh surface.
#include "CGraphicsFixture.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CClip.hpp"
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
protected:
    CGraphicsKeptSurfaceTest() : m_first(8, 8), m_later(8, 8), m_window(nullptr), m_graphics(GetParam())
    {
        m_graphics.setSurfaceKept(true);
        m_graphics.getOffscreenImage().setBackgroundColour(CColour::turquoise());
    }

    // One paint: a red square in the corner, left clipped to a corner and with the pen moved away.
    void paintRedCorner()
    {
        m_graphics.initialise(&m_window, m_first.context(), CDimension(12, 10));
        m_graphics.getMutableBrush().setColour(CAlphaColour(255, 0, 0, 255));
        m_graphics.fillRectangle(CRect(0, 0, 4, 4));
        m_graphics.getClippingRegion().setClipRegion(CRect(0, 0, 2, 2));
        m_graphics.moveTo(CPoint(5, 5));
        m_graphics.uninitialise();
    }
    CPixels pixels(long width) const { return CPixels(m_graphics.getDeviceContext(), width, 10); }

    CDibSurface m_first;
    CDibSurface m_later;
    HWND m_window;
    CGraphics m_graphics;
};

TEST_P(CGraphicsKeptSurfaceTest, theSameWindowAndSizeTakeItUpAgainUnclippedWithThePenAtTheOrigin)
{
    paintRedCorner();
    ASSERT_TRUE(m_graphics.getOffscreenImage().isCreated());
    m_graphics.initialise(&m_window, m_later.context(), CDimension(12, 10));
    ASSERT_TRUE(m_graphics.isInitialised());
    // Alpha layers are made compatible with the paint's own context, not the one given back.
    EXPECT_EQ(m_later.context(), m_graphics.getOffscreenImage().getWindowContext());
    EXPECT_EQ(16, pixels(12).count(0, 0, 4, 4, "255,0,0"));
    EXPECT_EQ(120 - 16, pixels(12).countAll("116,184,188"));

    m_graphics.getMutablePen().setColour(CAlphaColour(0, 0, 255, 255));
    m_graphics.lineTo(CPoint(11, 0));
    EXPECT_EQ(11, pixels(12).count(0, 0, 11, 1, "0,0,255"));
}

TEST_P(CGraphicsKeptSurfaceTest, anotherSizeOrAWindowMadeAgainGetsAFreshSurface)
{
    paintRedCorner();
    m_graphics.initialise(&m_window, m_later.context(), CDimension(14, 10));
    EXPECT_TRUE(m_graphics.getOffscreenImage().getSize() == CDimension(14, 10));
    EXPECT_EQ(140, pixels(14).countAll("116,184,188"));
    m_graphics.uninitialise();

    paintRedCorner();
    HWND madeAgain = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1000));
    m_window = madeAgain;
    m_graphics.initialise(&m_window, m_later.context(), CDimension(12, 10));
    EXPECT_EQ(120, pixels(12).countAll("116,184,188"));
}

TEST_P(CGraphicsKeptSurfaceTest, releasingOrNoLongerKeepingGivesTheSurfaceBack)
{
    paintRedCorner();
    m_graphics.releaseSurface();
    EXPECT_FALSE(m_graphics.getOffscreenImage().isCreated());

    paintRedCorner();
    m_graphics.setSurfaceKept(false);
    EXPECT_FALSE(m_graphics.getOffscreenImage().isCreated());
    m_graphics.initialise(&m_window, m_first.context(), CDimension(12, 10));
    m_graphics.uninitialise();
    EXPECT_FALSE(m_graphics.getOffscreenImage().isCreated());
}

VOLTURA_ON_BOTH_PATHS(CGraphicsKeptSurfaceTest);
} // namespace
