// The graphics context's pen: a solid GDI pen of a width and colour selected into one device context, and
// the line cap GDI+ lines use. Every change makes and selects the new pen before the old one is deleted.
#pragma once

#include "gui/core/CAlphaColour.hpp"

struct HDC__;
struct HPEN__;

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CPen
{
public:
    // Width 1, black, flat caps, on no device context.
    CPen();
    virtual ~CPen();

    CPen(const CPen&) = delete;
    CPen& operator=(const CPen&) = delete;

    // Selects the pen into dc; release gives the context back the pen it had before.
    void initialise(long width, HDC__* dc, const Basics::CAlphaColour& colour);
    void uninitialise();

    // Makes a solid pen of the width and colour and selects it; stores only while no context is given.
    virtual void createPen();
    virtual void releasePen();

    // Selects the stock null pen for a fill without an outline; selectPen (or any change) brings the own
    // pen back.
    void useNullPen();
    void selectPen();

    void setWidth(long width);
    void setColour(const Basics::CAlphaColour& colour);
    void setPen(long width, const Basics::CAlphaColour& colour);
    // The GDI+ line cap of start and end (0 flat); GDI lines ignore it.
    void setLineCap(long cap) { m_lineCap = cap; }

    long getWidth() const { return m_width; }
    const Basics::CAlphaColour& getColour() const { return m_colour; }
    long getLineCap() const { return m_lineCap; }
    HPEN__* getPenHandle() const { return m_pen; }

private:
    // Selects the object and remembers what it replaced the first time after initialise.
    void select(void* object);

    void* m_previousPen;
    HDC__* m_dc;
    HPEN__* m_pen;
    long m_width;
    Basics::CAlphaColour m_colour;
    long m_lineCap;
};
} // namespace Graphics
} // namespace GUI
} // namespace Brivant
