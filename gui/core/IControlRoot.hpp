// What a window asks of the container of its controls: it hands it every mouse, key and drop event and lets it
// draw the window's contents.
#pragma once

#include "gui/core/IDropFileListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "gui/core/IMouseListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class CGraphics;
}

namespace Controls
{
class IControlRoot : public Listeners::IMouseListener,
                     public Listeners::IDropFileListener,
                     public Listeners::IKeyboardListener
{
public:
    // Draws within the graphics context's update area, in window client coordinates.
    virtual void drawRootControl(Graphics::CGraphics& graphics) = 0;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
