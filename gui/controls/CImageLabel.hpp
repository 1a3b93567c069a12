// A picture that the user replaces by dropping an image file on it; it takes no mouse input.
#pragma once

#include "gui/core/CControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CImageLabel : public CControl
{
    BRIVANT_CLASS_RECORD(CImageLabel, "CControl");

public:
    // Takes drops, not the mouse; a listener is registered later.
    CImageLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area);

    // The picture, or without one and with default drawing on, the background colour framed.
    void drawControl(Graphics::CGraphics& graphics) override;
    // The first file becomes the picture: a file the image factory does not know clears it. The listener is
    // told either way.
    void handleFileDrop(const Events::CDropEvent& event) override;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
