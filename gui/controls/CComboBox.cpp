#include "gui/controls/CComboBox.hpp"

#include "foundation/basics/CBool.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "foundation/mathtools/CPolygon.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuItem.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CBrush.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CGraphics.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CPen.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CBool;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::TCountedPointerArray;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CPolygon;
using ::Brivant::MathTools::CRect;
using Basics::CAlphaColour;
using Events::CMenuEvent;
using Graphics::CImageManager;
using Graphics::IImage;
using Windowing::CMenuWindow;
using Windowing::CWindowAttributes;

namespace
{
const char kUseIcons[] = "Use Icons";
const char kDownImage[] = "Down Image";

// The item's place in the menu; -1 when it is not there.
long positionIn(const CMenu* menu, const CMenuItem* item)
{
    if (menu == nullptr || item == nullptr)
        return -1;
    for (long index = 0; index < menu->getNumberOfMenuItems(); ++index)
    {
        if (menu->getMenuItem(index) == item)
            return index;
    }
    return -1;
}
} // namespace

CComboBox::CComboBox(IControlRoot* root, long id, const CRect& area, const CString& text, CMenu* menu,
                     Listeners::IActionListener* listener, Listeners::IMenuListener* menuListener)
    : CTextLabel(root, id, area, text), m_menu(nullptr), m_menuWindow(nullptr), m_windowAttributes(),
      m_useIcons(true), m_selectedIndex(0), m_down(false), m_downImage(nullptr), m_selectedItem(nullptr),
      m_menuListener(menuListener)
{
    if (menu == nullptr)
    {
        const char* const function =
            "CComboBox::CComboBox(IControlRoot *, const long, const CRect &, const CString &, CMenu *)";
        throw ::Brivant::Exceptions::CException(CString("Menu is NULL"), CString(function), true);
    }
    swapCounted(m_menu, menu);
    setMouseEnabled(true);
    setKeyboardEnabled(false);
    registerActionListener(listener);
}

CComboBox::~CComboBox()
{
    releaseMenuWindow();
    swapCounted<CMenuItem>(m_selectedItem, nullptr);
    swapCounted<IImage>(m_downImage, nullptr);
    swapCounted<CMenu>(m_menu, nullptr);
}

void CComboBox::releaseMenuWindow() { CMenuWindow::releaseHeld(m_menuWindow, false); }

void CComboBox::setMenu(CMenu* menu)
{
    if (menu == nullptr || menu == m_menu)
        return;
    swapCounted(m_menu, menu);
    if (m_menuWindow != nullptr)
        m_menuWindow->setMenu(menu);
}

void CComboBox::setSelectedIndex(long index)
{
    CMenuItem* item = getMenuItem(index);
    if (item == nullptr)
        return;
    setText(item->getText());
    swapCounted(m_selectedItem, item);
    m_selectedIndex = index;
}

CMenuItem* CComboBox::getMenuItem(long index) const
{
    if (m_menu == nullptr || index < 0 || index >= m_menu->getNumberOfMenuItems())
        return nullptr;
    return m_menu->getMenuItem(index);
}

void CComboBox::setMenuColours(const CMenuColours& colours)
{
    if (m_menuWindow != nullptr)
        m_menuWindow->setMenuColours(colours);
}

void CComboBox::setDownImage(IImage* image) { swapCounted(m_downImage, image); }

void CComboBox::setMenuWindowAttributes(CWindowAttributes* attributes, bool useIcons)
{
    const CWindowAttributes defaults;
    const CWindowAttributes& given = attributes != nullptr ? *attributes : defaults;
    if (m_windowAttributes == nullptr)
        m_windowAttributes.reset(new CWindowAttributes(given));
    else
        *m_windowAttributes = given;
    m_useIcons = useIcons;
    releaseMenuWindow();
    m_menuWindow = new CMenuWindow(CRect(0, 0, getArea().getWidth(), 100), m_windowAttributes.get(), m_menu,
                                   m_useIcons, this);
    m_menuWindow->referenced();
}

void CComboBox::setFont(Fonts::CFont* font)
{
    CTextLabel::setFont(font);
    if (m_menuWindow != nullptr)
        m_menuWindow->setFont(font);
}

void CComboBox::getDescriptors(TCountedPointerArray<CControlDescriptor>& list)
{
    CTextLabel::getDescriptors(list);
    list.addElement(new CControlDescriptor(CString(kUseIcons), CControlDescriptor::kBoolean, nullptr));
    list.addElement(new CControlDescriptor(CString(kDownImage), CControlDescriptor::kImage, nullptr));
}

bool CComboBox::applyDescriptor(const CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kUseIcons)
    {
        if (!descriptor.isValueOfClass(CBool::classRecord()))
            return false;
        m_useIcons = dynamic_cast<const CBool*>(descriptor.getValue())->getValue();
        if (m_menuWindow != nullptr)
            m_menuWindow->setUseIcons(m_useIcons);
        return true;
    }
    if (name == kDownImage)
    {
        if (!descriptor.isValueOfClass(CString::classRecord()))
            return false;
        setDownImage(CImageManager::getImage(*dynamic_cast<const CString*>(descriptor.getValue())));
        return true;
    }
    return CTextLabel::applyDescriptor(descriptor);
}

bool CComboBox::fillDescriptor(CControlDescriptor& descriptor)
{
    const CString& name = descriptor.getDescriptorName();
    if (name == kUseIcons)
        descriptor.setValue(new CBool(m_useIcons));
    else if (name == kDownImage)
        descriptor.setValue(new CString(CImageManager::getReferenceName(m_downImage)));
    else
        return CTextLabel::fillDescriptor(descriptor);
    return true;
}

void CComboBox::drawArrow(Graphics::CGraphics& graphics, const CAlphaColour& colour)
{
    const long side = getArea().getHeight();
    CRect box(getArea().getWidth() - side, 0, side, side);
    graphics.drawRectangle(box);
    box.inset(4);
    CPolygon arrow(4);
    arrow.setPoint(box.getCentralXPosition(), box.getBottom(), 0);
    arrow.setPoint(box.getLeft(), box.getTop(), 1);
    arrow.setPoint(box.getRight(), box.getTop(), 2);
    arrow.setPoint(box.getCentralXPosition(), box.getBottom(), 3);
    graphics.getMutableBrush().setColour(colour);
    graphics.fillPolygon(arrow);
}

void CComboBox::drawControl(Graphics::CGraphics& graphics)
{
    if (!drawEnabledControl(graphics))
        return;
    if (m_down)
    {
        if (m_downImage != nullptr)
            graphics.drawImage(m_downImage, getNormalisedArea(), m_downImage->getImageArea());
        else if (isDefaultDrawing())
        {
            // The pen holds what the last drawing left, which differs when areas are painted one by one.
            graphics.getMutablePen().setColour(getFrameColour());
            graphics.drawRectangle(getNormalisedArea());
            drawArrow(graphics, CAlphaColour::orange());
        }
    }
    else
    {
        drawPrimaryImage(graphics, isDefaultDrawing());
        if (isDefaultDrawing() && getPrimaryImage() == nullptr)
            drawArrow(graphics, getTextColour());
    }
    graphics.setTextColour(getTextColour());
    const long height = getArea().getHeight();
    graphics.drawText(getText(), CRect(1, 1, getArea().getWidth() - height, height), getFont(),
                      getTextAlignment());
}

void CComboBox::handleLeftButtonDown(Events::CMouseEvent& /*event*/)
{
    if (m_menuWindow == nullptr)
        return;
    m_down = true;
    update();
    CPoint position(0, 0);
    getControlRoot()->getPopupPosition(this, position);
    position.offset(1, 0);
    m_menuWindow->openPopupWindow(position);
}

void CComboBox::handleMenuOpening(const CMenuEvent& event)
{
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuSelection(event);
}

void CComboBox::handleMenuClosing(const CMenuEvent& event)
{
    if (m_menuWindow != nullptr)
        m_menuWindow->setCurrentSelection(-1);
    m_down = false;
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuSelection(event);
    update();
}

void CComboBox::handleMenuSelection(const CMenuEvent& event)
{
    CMenuItem* item = event.getMenuItem();
    setText(item != nullptr ? item->getText() : CString(" "));
    swapCounted(m_selectedItem, item);
    // The item's own index is not kept up to date by its menu; its place there is what getMenuItem reads back.
    long index = positionIn(event.getMenu(), item);
    if (index < 0)
        index = positionIn(m_menu, item);
    m_selectedIndex = index;
    m_down = false;
    update();
    if (m_menuWindow != nullptr)
        m_menuWindow->closePopupWindow();
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuSelection(event);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
