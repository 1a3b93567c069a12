#include "gui/controls/CAreaBox.hpp"

#include "gui/core/CGraphics.hpp"
#include "gui/core/CPen.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
CAreaBox::CAreaBox(IControlRoot* root, const ::Brivant::MathTools::CRect& area) : CControl(root, -1, area, nullptr)
{
    setMouseEnabled(false);
}

void CAreaBox::drawControl(Graphics::CGraphics& graphics)
{
    if (!isEnabled())
        return;
    graphics.getMutablePen().setColour(getFrameColour());
    graphics.drawRectangle(getNormalisedArea());
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
