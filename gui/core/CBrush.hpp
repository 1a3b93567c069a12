// The graphics context's brush: a solid GDI brush of one colour selected into one device context. A change
// makes and selects the new brush before the old one is deleted.
#pragma once

#include "gui/core/CAlphaColour.hpp"

struct HBRUSH__;
struct HDC__;

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CBrush
{
public:
    // Opaque white, on no device context.
    CBrush();
    virtual ~CBrush();

    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    // Selects the brush into dc; uninitialise gives the context back the brush it had before.
    void initialise(HDC__* dc, const Basics::CAlphaColour& colour);
    void uninitialise();

    // Stores only while no context is given.
    void setColour(const Basics::CAlphaColour& colour);
    // Selects the stock null brush for an outline without a fill; selectBrush brings the own brush back.
    void useNullBrush();
    void selectBrush();

    const Basics::CAlphaColour& getColour() const { return m_colour; }
    HBRUSH__* getBrushHandle() const { return m_brush; }

private:
    void createBrush();
    void select(void* object);

    HDC__* m_dc;
    void* m_previousBrush;
    HBRUSH__* m_brush;
    Basics::CAlphaColour m_colour;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
