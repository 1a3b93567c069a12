#include "gui/controls/CMenuWindow.hpp"

#include "foundation/basics/CString.hpp"
#include "gui/controls/CMenu.hpp"
#include "gui/controls/CMenuRoot.hpp"
#include "gui/controls/CSubMenuMenuItem.hpp"
#include "gui/core/CMenuEvent.hpp"
#include "gui/core/CWindowAttributes.hpp"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstddef>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CString;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CPoint;
using ::Brivant::MathTools::CRect;
using Controls::CMenu;
using Events::CMenuEvent;

namespace
{
constexpr long kPopupToolWindowPreset = 3;

// Each menu window registers a window class of its own name; a serial number keeps the names of live windows
// apart.
std::atomic<long> s_menuWindowSerial(0);

CString uniqueWindowName()
{
    CString name("");
    name.setStringWithFormat("Menu_%li_%li", static_cast<long>(GetCurrentProcessId()), ++s_menuWindowSerial);
    return name;
}

// The monitor a point lies on, or the nearest one.
CRect monitorArea(const CPoint& point)
{
    MONITORINFO information = {};
    information.cbSize = sizeof(information);
    const POINT at = {point.getX(), point.getY()};
    if (GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &information))
    {
        const RECT& area = information.rcMonitor;
        return CRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
    }
    return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

// Keeps a reference on a counted menu window and the windows it was opened from while it works, so that whoever
// lets one of them go meanwhile leaves its deletion to the end of that work. A window nobody counts yet is not
// held: releasing it would delete it. Owners close their menus from destructors, so a hold allocates nothing:
// menus nest far less deep than it has room for, and windows beyond that are left unheld.
class CWindowHold
{
public:
    explicit CWindowHold(CMenuWindow* window)
    {
        for (; window != nullptr && m_count < kMaximumDepth; window = window->getParentMenuWindow())
        {
            if (window->getReferenceCount() > 0)
            {
                window->referenced();
                m_windows[m_count++] = window;
            }
        }
    }
    ~CWindowHold()
    {
        for (size_t index = 0; index < m_count; ++index)
            m_windows[index]->dereference();
    }
    CWindowHold(const CWindowHold&) = delete;
    CWindowHold& operator=(const CWindowHold&) = delete;

private:
    static constexpr size_t kMaximumDepth = 16;
    IWindow* m_windows[kMaximumDepth];
    size_t m_count = 0;
};
} // namespace

CMenuWindow::CMenuWindow(const CRect& area, CWindowAttributes* attributes, CMenu* menu, bool useIcons,
                         Listeners::IMenuListener* listener)
    : CWindow(area), m_menuListener(listener), m_menuSize(), m_subMenuWindow(nullptr), m_parentMenuWindow(nullptr),
      m_openingSubMenu(false), m_useIcons(useIcons), m_open(false), m_menuRoot(nullptr)
{
    CWindowAttributes copy;
    if (attributes != nullptr)
        copy = *attributes;
    copy.setWindowName(uniqueWindowName());
    copy.setStylePreset(kPopupToolWindowPreset);

    m_menuRoot = new CMenuRoot(this);
    setControlRoot(m_menuRoot);
    m_menuRoot->setMenuArea(area);
    m_menuRoot->setUseIcons(useIcons);
    m_menuRoot->setMenuWidth(area.getWidth());
    if (menu != nullptr)
        keepMenuSize(m_menuRoot->setMenu(menu));
    intialiseWindow(&copy, false);
}

CMenuWindow::~CMenuWindow()
{
    releaseSubMenuWindow(false);
    m_menuListener = nullptr;
    m_parentMenuWindow = nullptr;
}

CMenuWindow::CMenuRoot& CMenuWindow::getMenuRoot() const { return *m_menuRoot; }

void CMenuWindow::keepMenuSize(CDimension* size) { m_menuSize.reset(size); }

void CMenuWindow::releaseHeld(CMenuWindow*& held, bool reportClosing)
{
    CMenuWindow* window = held;
    if (window == nullptr)
        return;
    held = nullptr;
    if (!reportClosing)
        window->setMenuListener(nullptr);
    window->closePopupWindow();
    window->setMenuListener(nullptr);
    window->dereference();
}

CPoint CMenuWindow::keptOnScreen(const CPoint& position, const CDimension& size, const CRect& monitor)
{
    const long x = std::max(monitor.getLeft(), std::min(position.getX(), monitor.getRight() - size.getWidth()));
    const long y = std::max(monitor.getTop(), std::min(position.getY(), monitor.getBottom() - size.getHeight()));
    return CPoint(x, y);
}

void CMenuWindow::openPopupWindow(const CPoint& position)
{
    const CWindowHold hold(this);
    setWindowPosition(position);
    if (m_menuSize != nullptr)
    {
        setWindowSize(*m_menuSize);
        m_menuRoot->setMenuArea(CRect(0, 0, m_menuSize->getWidth(), m_menuSize->getHeight()));
    }
    setWindowPosition(keptOnScreen(position, getWindowSize(), monitorArea(position)));
    m_open = true;
    openWindow();
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuOpening(CMenuEvent(nullptr, m_menuRoot->getMenu()));
}

void CMenuWindow::closePopupWindow()
{
    const CWindowHold hold(this);
    releaseSubMenuWindow(false);
    // Hiding takes the focus away, which closes the window again from inside: only the first close reports.
    const bool wasOpen = m_open;
    m_open = false;
    hideWindow();
    if (wasOpen && m_menuListener != nullptr)
        m_menuListener->handleMenuClosing(CMenuEvent(nullptr, m_menuRoot->getMenu()));
}

void CMenuWindow::setMenuListener(Listeners::IMenuListener* listener) { m_menuListener = listener; }

void CMenuWindow::setMenu(CMenu* menu) { keepMenuSize(m_menuRoot->setMenu(menu)); }

void CMenuWindow::setMenuAndResize(CMenu* menu)
{
    setMenu(menu);
    if (m_menuSize != nullptr)
    {
        setWindowSize(*m_menuSize);
        m_menuRoot->setMenuArea(CRect(0, 0, m_menuSize->getWidth(), m_menuSize->getHeight()));
    }
}

void CMenuWindow::setFont(Fonts::CFont* font)
{
    m_menuRoot->setFont(font);
    setMenu(m_menuRoot->getMenu());
}

void CMenuWindow::setMenuColours(const Controls::CMenuColours& colours) { m_menuRoot->setMenuColours(colours); }

void CMenuWindow::setCurrentSelection(long index)
{
    m_menuRoot->setCurrentSelection(index);
    redrawWindow();
}

void CMenuWindow::setUseIcons(bool useIcons)
{
    m_useIcons = useIcons;
    m_menuRoot->setUseIcons(useIcons);
    setMenu(m_menuRoot->getMenu());
}

void CMenuWindow::setMenuWidth(long width)
{
    m_menuRoot->setMenuWidth(width);
    setMenu(m_menuRoot->getMenu());
}

void CMenuWindow::setParentMenuWindow(CMenuWindow* parent) { m_parentMenuWindow = parent; }

void CMenuWindow::openSubMenuWindow(Controls::CSubMenuMenuItem* item, long rowTop)
{
    if (item == nullptr)
        return;
    const CPoint position(getWindowArea().getRight(), getWindowArea().getTop() + rowTop);
    // Showing the nested window takes the focus from this one, which must not close it.
    struct COpening
    {
        explicit COpening(bool& flag) : m_flag(flag) { m_flag = true; }
        ~COpening() { m_flag = false; }
        bool& m_flag;
    } opening(m_openingSubMenu);
    releaseSubMenuWindow(false);
    auto* nested = new CMenuWindow(CRect(0, 0, 10, 10), getWindowAttributes(), item->getSubMenu(), true, this);
    nested->referenced();
    m_subMenuWindow = nested;
    nested->setParentWindow(getParentWindow());
    nested->setParentMenuWindow(this);
    nested->setMenuListener(this);
    nested->setUseIcons(m_useIcons);
    nested->setMenuColours(m_menuRoot->getMenuColours());
    nested->setFont(m_menuRoot->getFont());
    nested->openPopupWindow(position);
}

bool CMenuWindow::holdsFocus() const
{
    HWND focus = GetFocus();
    for (const CMenuWindow* window = this; window != nullptr; window = window->m_subMenuWindow)
    {
        if (focus != nullptr && focus == *window->getWindowHandle())
            return true;
    }
    return false;
}

void CMenuWindow::releaseSubMenuWindow(bool keepFocus)
{
    CMenuWindow* nested = m_subMenuWindow;
    if (nested == nullptr)
        return;
    m_subMenuWindow = nullptr;
    const bool hadFocus = nested->holdsFocus();
    // Cut loose first: its closing and the loss of its focus must not reach this window any more.
    nested->m_parentMenuWindow = nullptr;
    nested->m_menuListener = nullptr;
    nested->closePopupWindow();
    nested->dereference();
    // Otherwise the focus would go to some other window, and a click outside would no longer close the menu.
    if (keepFocus && hadFocus && m_open && *getWindowHandle() != nullptr)
        SetActiveWindow(*getWindowHandle());
}

void CMenuWindow::handleMenuOpening(const CMenuEvent& /*event*/) {}

void CMenuWindow::handleMenuClosing(const CMenuEvent& /*event*/) {}

void CMenuWindow::handleMenuSelection(const CMenuEvent& event)
{
    releaseSubMenuWindow(false);
    if (m_parentMenuWindow == nullptr)
        closePopupWindow();
    if (m_menuListener != nullptr)
        m_menuListener->handleMenuSelection(event);
}

void CMenuWindow::lostFocus(IWindow* /*window*/)
{
    if (m_openingSubMenu)
        return;
    const CWindowHold hold(this);
    CMenuWindow* parent = m_parentMenuWindow;
    closePopupWindow();
    if (parent != nullptr)
        parent->lostFocus(parent);
}

void CMenuWindow::gainedFocus(IWindow* /*window*/) {}

std::intptr_t CMenuWindow::handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                              std::intptr_t lParam)
{
    const CWindowHold hold(this);
    return CWindow::handleWindowEvents(window, message, wParam, lParam);
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
