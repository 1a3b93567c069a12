#include "gui/controls/CModulatedXYPad.hpp"

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
    m_handle.setLeft(static_cast<long>(getHorizontalTravel() * x));
    CXYPad::setXValue(x);
}

void CModulatedXYPad::setYValue(double y)
{
    m_handle.setTop(static_cast<long>((1.0 - y) * getVerticalTravel()));
    CXYPad::setYValue(y);
}

void CModulatedXYPad::setModulationValues(double x, double y)
{
    m_handle.setLeft(static_cast<long>(getHorizontalTravel() * x));
    m_handle.setTop(static_cast<long>((1.0 - y) * getVerticalTravel()));
    update();
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
