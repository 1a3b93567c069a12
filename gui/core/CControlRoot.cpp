#include "gui/core/CControlRoot.hpp"

#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::MathTools::CRect;

CControlRoot::CControlRoot(Windowing::IWindow* parent) : m_parent(parent), m_backgroundImage(nullptr) {}

CControlRoot::~CControlRoot() { setBackgroundImage(nullptr); }

void CControlRoot::handleLeftButtonDown(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleLeftButtonUp(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleRightButtonDown(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleRightButtonUp(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleDoubleClick(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleMouseScroll(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleMouseMovement(Events::CMouseEvent& /*event*/) {}
void CControlRoot::handleMouseLeavingArea(Events::CMouseEvent& /*event*/) {}

bool CControlRoot::handleKeyDown(const Events::CKeyboardEvent& /*event*/) { return false; }
bool CControlRoot::handleKeyUp(const Events::CKeyboardEvent& /*event*/) { return false; }

void CControlRoot::handleFileDrop(const Events::CDropEvent& /*event*/) {}

void CControlRoot::drawRootControl(Graphics::CGraphics& graphics)
{
    if (m_backgroundImage == nullptr)
        return;
    // A blend whose source reaches past the picture draws nothing at all, so only the part the picture covers.
    CRect part(0, 0, 0, 0);
    CRect::getIntersection(graphics.getUpdateArea(), m_backgroundImage->getImageArea(), part);
    if (part.getWidth() <= 0 || part.getHeight() <= 0)
        return;
    graphics.getClippingRegion().setClipRegion(part);
    graphics.drawImage(m_backgroundImage, part, part);
    graphics.getClippingRegion().resetClipRegion();
}

void CControlRoot::setBackgroundImage(Graphics::IImage* image)
{
    if (image == m_backgroundImage)
        return;
    if (image != nullptr)
        image->referenced();
    Graphics::IImage* previous = m_backgroundImage;
    m_backgroundImage = image;
    if (previous != nullptr)
        previous->dereference();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
