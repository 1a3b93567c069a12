#include "gui/controls/CModulatedXYPad.hpp"

#include "gui/controls/UnitRange.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
const char kHandleImage[] = "Mod Handle Image";
} // namespace

CModulatedXYPad::CModulatedXYPad(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                                 Listeners::IActionListener* listener)
    : CXYPad(root, id, area, listener), m_handle(getPuckArea()), m_handleImage(nullptr)
{
}

CModulatedXYPad::~CModulatedXYPad() { swapCounted(m_handleImage, nullptr); }

void CModulatedXYPad::setXValue(double x)
{
    placeHandleHorizontally(x);
    CXYPad::setXValue(x);
}

void CModulatedXYPad::setYValue(double y)
{
    placeHandleVertically(y);
    CXYPad::setYValue(y);
}

void CModulatedXYPad::setModulationValues(double x, double y)
{
    placeHandleHorizontally(x);
    placeHandleVertically(y);
    update();
}

// Modulation may come from anywhere; a held value keeps the handle on the pad and its place a whole pixel.
void CModulatedXYPad::placeHandleHorizontally(double x)
{
    m_handle.setLeft(static_cast<long>(getHorizontalTravel() * heldToUnitRange(x)));
}

void CModulatedXYPad::placeHandleVertically(double y)
{
    m_handle.setTop(static_cast<long>((1.0 - heldToUnitRange(y)) * getVerticalTravel()));
}

void CModulatedXYPad::setModulationHandleImage(IImage* image) { swapCounted(m_handleImage, image); }

void CModulatedXYPad::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CXYPad::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kHandleImage), CControlDescriptor::kImage, nullptr));
}

bool CModulatedXYPad::applyDescriptor(const CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kHandleImage)
        return CXYPad::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CString::classRecord()))
        return false;
    setModulationHandleImage(CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue())));
    return true;
}

bool CModulatedXYPad::fillDescriptor(CControlDescriptor& descriptor)
{
    if (descriptor.getDescriptorName() != kHandleImage)
        return CXYPad::fillDescriptor(descriptor);
    descriptor.setValue(new CString(CImageManager::getReferenceName(m_handleImage)));
    return true;
}

void CModulatedXYPad::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawBackground(graphics))
        return;
    if (m_handleImage != nullptr)
    {
        graphics.drawImage(m_handleImage, m_handle, m_handleImage->getImageArea());
    }
    else
    {
        graphics.getMutableBrush().setColour(Basics::CAlphaColour::pink());
        graphics.fillRectangle(m_handle);
        graphics.drawRectangle(m_handle);
    }
    drawPuck(graphics);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
