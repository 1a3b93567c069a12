#include "gui/controls/CTriStateImage.hpp"

#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/IImage.hpp"
#include "gui/core/TPropertyNames.hpp"

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
const char* const kImageNames[] = {"Image 1", "Image 2", "Image 3"};
} // namespace

CTriStateImage::CTriStateImage(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area)
    : CControl(root, id, area, nullptr), m_images{nullptr, nullptr, nullptr}, m_state(0)
{
    setMouseEnabled(false);
}

CTriStateImage::~CTriStateImage()
{
    for (IImage*& image : m_images)
        swapCounted(image, nullptr);
}

void CTriStateImage::setImages(IImage* image1, IImage* image2, IImage* image3)
{
    swapCounted(m_images[0], image1);
    swapCounted(m_images[1], image2);
    swapCounted(m_images[2], image3);
}

void CTriStateImage::setState(unsigned long state)
{
    if (state >= static_cast<unsigned long>(kStates))
        return;
    m_state = static_cast<long>(state);
    update();
}

IImage** CTriStateImage::imageNamed(const CString& name)
{
    const long index = indexOfName(name, kImageNames);
    return index < 0 ? nullptr : &m_images[index];
}

void CTriStateImage::getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list)
{
    CControl::getDescriptors(list);
    for (const char* name : kImageNames)
        list.addElement(new CControlDescriptor(CString(name), CControlDescriptor::kImage, nullptr));
}

bool CTriStateImage::applyDescriptor(const CControlDescriptor& descriptor)
{
    IImage** holder = imageNamed(descriptor.getDescriptorName());
    if (holder == nullptr)
        return CControl::applyDescriptor(descriptor);
    if (!descriptor.isValueOfClass(CString::classRecord()))
        return false;
    swapCounted(*holder, CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue())));
    return true;
}

bool CTriStateImage::fillDescriptor(CControlDescriptor& descriptor)
{
    IImage** holder = imageNamed(descriptor.getDescriptorName());
    if (holder == nullptr)
        return CControl::fillDescriptor(descriptor);
    descriptor.setValue(new CString(CImageManager::getReferenceName(*holder)));
    return true;
}

void CTriStateImage::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (IImage* image = m_images[m_state])
        graphics.drawImage(image, getNormalisedArea(), image->getImageArea());
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
