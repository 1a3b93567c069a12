#include "gui/controls/CImageLabel.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CDropEvent.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/IActionListener.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
CImageLabel::CImageLabel(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area)
    : CControl(root, id, area, nullptr)
{
    setMouseEnabled(false);
    setDropFileEnabled(true);
}

void CImageLabel::drawControl(Graphics::CGraphics& graphics)
{
    if (drawEnabledControl(graphics))
        drawPrimaryImage(graphics, isDefaultDrawing());
}

void CImageLabel::handleFileDrop(const Events::CDropEvent& event)
{
    const ::Brivant::Basics::CString* first = event.getFileList().getElementAt(0);
    if (first == nullptr)
        return;
    // Only the first file counts; the image is unreferenced until the label takes it.
    setPrimaryImage(Graphics::CImageManager::createImage(::Brivant::Basics::CSystemString(*first)));
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
    update();
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
