#include "gui/controls/CPopupButton.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuWindow.hpp"
#include "gui/core/CActionEvent.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IActionListener.hpp"
#include "gui/core/IControlRoot.hpp"
#include "gui/core/IWindow.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Events::CMenuEvent;
using Windowing::CMenuWindow;
using Windowing::CWindowAttributes;

CPopupButton::CPopupButton(IControlRoot* root, long id, const CRect& area, CMenu* menu,
                           Listeners::IActionListener* listener, Listeners::IMenuListener* menuListener)
    : CLatchingButton(root, id, area, listener), m_menu(nullptr), m_menuWindow(nullptr), m_windowAttributes(),
      m_lastMenuEvent(nullptr), m_useIcons(true), m_menuListener(menuListener)
{
    if (menu == nullptr)
    {
        const char* const function =
            "CPopupButton::CPopupButton(IControlRoot *, const long, const CRect &, CMenu *, IActionListener *)";
        throw ::Brivant::Exceptions::CException(CString("Menu is NULL"), CString(function), true);
    }
    swapCounted(m_menu, menu);
}

CPopupButton::~CPopupButton()
{
    releaseMenuWindow(false);
    swapCounted<CMenuEvent>(m_lastMenuEvent, nullptr);
    swapCounted<CMenu>(m_menu, nullptr);
}

void CPopupButton::releaseMenuWindow(bool reportClosing) { CMenuWindow::releaseHeld(m_menuWindow, reportClosing); }

void CPopupButton::setMenu(CMenu* menu)
{
    if (menu == nullptr || menu == m_menu)
        return;
    swapCounted(m_menu, menu);
    if (m_menuWindow != nullptr)
        m_menuWindow->setMenu(menu);
}

void CPopupButton::openMenu(CWindowAttributes* attributes, bool useIcons)
{
    const CWindowAttributes defaults;
    const CWindowAttributes& given = attributes != nullptr ? *attributes : defaults;
    if (m_windowAttributes == nullptr)
        m_windowAttributes.reset(new CWindowAttributes(given));
    else
        *m_windowAttributes = given;
    m_useIcons = useIcons;
    releaseMenuWindow(true);
    m_menuWindow = new CMenuWindow(CRect(0, 0, getArea().getWidth(), 100), m_windowAttributes.get(), m_menu,
                                   m_useIcons, this);
    m_menuWindow->referenced();
}

void CPopupButton::handleLeftButtonUp(Events::CMouseEvent& event)
{
    if (!getFace().pointerReleased(*this, event))
        return;
    setValue(CButtonFace::mirrored(getValue()));
    update();
    if (m_menuWindow == nullptr)
        return;
    if (isLatched())
    {
        CPoint position(0, 0);
        getControlRoot()->getPopupPosition(this, position);
        position.offset(1, -1);
        m_menuWindow->openPopupWindow(position);
    }
    else if (m_menuWindow->isOpen())
    {
        m_menuWindow->closePopupWindow();
    }
}

void CPopupButton::handleMenuOpening(const CMenuEvent& event)
{
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuOpening(event);
}

void CPopupButton::handleMenuClosing(const CMenuEvent& event)
{
    if (m_menuWindow != nullptr)
        m_menuWindow->setCurrentSelection(-1);
    setValue(0.0);
    update();
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuClosing(event);
}

void CPopupButton::handleMenuSelection(const CMenuEvent& event)
{
    setValue(0.0);
    update();
    getControlRoot()->getParentWindow()->redrawWindow();
    auto* kept = new CMenuEvent(event.getMenuItem(), event.getMenu());
    swapCounted(m_lastMenuEvent, kept);
    if (Listeners::IActionListener* listener = getActionListener())
        listener->handleActionEvent(Events::CActionEvent(this));
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuSelection(event);
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
