// Stand-in for the control root until the controls exist: it holds no controls, so it takes every event
// without passing it on; it draws only its background image, leaving the rest of the window its background
// colour.
#pragma once

#include "gui/core/IControlRoot.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class IImage;
}

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
    // The part of the background image under the update area, at the same place.
    void drawRootControl(Graphics::CGraphics& graphics) override;

    // Counted: the root holds one reference; null removes the picture.
    void setBackgroundImage(Graphics::IImage* image);

private:
    Windowing::IWindow* m_parent;
    Graphics::IImage* m_backgroundImage;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
