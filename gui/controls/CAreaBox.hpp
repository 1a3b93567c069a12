// An outline of an area in the frame colour, for grouping other controls; it takes no input and has no id.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CAreaBox : public CControl
{
    BRIVANT_CLASS_RECORD(CAreaBox, "CControl");

public:
    // Id -1, no action listener, not mouse-enabled.
    CAreaBox(IControlRoot* root, const ::Brivant::MathTools::CRect& area);

    // Only the outline, and only while enabled: no fill and no image.
    void drawControl(Graphics::CGraphics& graphics) override;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
