// Stand-in for the control root until the controls exist: it holds no controls, so it takes every event
// without passing it on and draws nothing, leaving the window its background colour.
#pragma once

#include "gui/core/IControlRoot.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class IWindow;
}

namespace Controls
{
class CControlRoot : public IControlRoot
{
public:
    explicit CControlRoot(Windowing::IWindow* parent);
    ~CControlRoot() override;

    CControlRoot(const CControlRoot&) = delete;
    CControlRoot& operator=(const CControlRoot&) = delete;

    Windowing::IWindow* getParentWindow() const { return m_parent; }

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // No control takes a key: false.
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const Events::CKeyboardEvent& event) override;
    void handleFileDrop(const Events::CDropEvent& event) override;
    void drawRootControl(Graphics::CGraphics& graphics) override;

private:
    Windowing::IWindow* m_parent;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
