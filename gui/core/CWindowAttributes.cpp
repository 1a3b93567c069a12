#include "gui/core/CWindowAttributes.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/CWindowIcon.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;

namespace
{
// WS_POPUP, and WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST.
constexpr long kPopupStyle = static_cast<long>(0x80000000UL);
constexpr long kPopupExtendedStyle = 0x08080008;
// Caption, system menu, minimise box: a window the user cannot resize.
constexpr long kFixedStyle = 0xCA0000;
} // namespace

CWindowAttributes::CWindowAttributes()
    : m_windowName("Application"), m_background(255, 255, 255), m_alpha(1.0), m_icon(nullptr), m_enabled(true),
      m_dropShadow(false), m_style(kDefaultStyle), m_extendedStyle(kDefaultExtendedStyle)
{
}

CWindowAttributes::CWindowAttributes(const CWindowAttributes& other)
    : CCountedObject(other), m_windowName(other.m_windowName), m_background(other.m_background),
      m_alpha(other.m_alpha), m_icon(nullptr), m_enabled(other.m_enabled), m_dropShadow(other.m_dropShadow),
      m_style(other.m_style), m_extendedStyle(other.m_extendedStyle)
{
    setWindowIcon(other.m_icon);
}

CWindowAttributes& CWindowAttributes::operator=(const CWindowAttributes& other)
{
    if (this != &other)
    {
        setWindowStyles(other.m_style, other.m_extendedStyle);
        setAttributes(other.m_windowName, other.m_background, other.m_alpha, other.m_icon, other.m_enabled,
                      other.m_dropShadow);
    }
    return *this;
}

CWindowAttributes::~CWindowAttributes() { setWindowIcon(nullptr); }

void CWindowAttributes::setWindowStyles(long style, long extendedStyle)
{
    m_style = style;
    m_extendedStyle = extendedStyle;
}

void CWindowAttributes::setWindowIcon(CWindowIcon* icon)
{
    swapCounted(m_icon, icon);
}

void CWindowAttributes::setAttributes(const CString& windowName, const Basics::CColour& background, double alpha,
                                      CWindowIcon* icon, bool enabled, bool dropShadow)
{
    m_windowName.setString(windowName);
    m_background = background;
    m_alpha = alpha;
    setWindowIcon(icon);
    m_enabled = enabled;
    m_dropShadow = dropShadow;
}

void CWindowAttributes::setStylePreset(long preset)
{
    switch (preset)
    {
    case 0:
        setWindowStyles(kDefaultStyle, kDefaultExtendedStyle);
        break;
    case 1:
    case 2:
        setWindowStyles(kFixedStyle, kDefaultExtendedStyle);
        break;
    case 3:
        setWindowStyles(kPopupStyle, kPopupExtendedStyle);
        break;
    default:
        break;
    }
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
