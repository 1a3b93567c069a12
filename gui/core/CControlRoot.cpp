#include "gui/core/CControlRoot.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
CControlRoot::CControlRoot(Windowing::IWindow* parent) : m_parent(parent) {}

CControlRoot::~CControlRoot() = default;

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

void CControlRoot::drawRootControl(Graphics::CGraphics& /*graphics*/) {}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
