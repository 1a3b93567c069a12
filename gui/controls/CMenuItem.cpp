#include "gui/controls/CMenuItem.hpp"

#include "foundation/collections/TCountedSwap.hpp"
#include "gui/core/IImage.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Collections::swapCounted;
using Basics::CAlphaColour;
using Graphics::IImage;

CMenuItem::CMenuItem(const CString& text, long id, long type, bool enabled)
    : m_text(text), m_id(id), m_itemIndex(0), m_type(type), m_enabled(enabled), m_icon(nullptr),
      m_secondIcon(nullptr), m_ownTextColour(0, 0, 0, 255), m_useOwnTextColour(false)
{
}

CMenuItem::~CMenuItem()
{
    swapCounted(m_icon, nullptr);
    swapCounted(m_secondIcon, nullptr);
}

void CMenuItem::setText(const CString& text) { m_text = text; }

void CMenuItem::setId(long id) { m_id = id; }

void CMenuItem::setType(long type) { m_type = type; }

void CMenuItem::setEnabled(bool enabled) { m_enabled = enabled; }

void CMenuItem::setItemIndex(long itemIndex) { m_itemIndex = itemIndex; }

void CMenuItem::setIcons(IImage* icon, IImage* secondIcon)
{
    swapCounted(m_icon, icon);
    swapCounted(m_secondIcon, secondIcon);
}

const CString& CMenuItem::getText() const { return m_text; }

long CMenuItem::getId() const { return m_id; }

long CMenuItem::getType() const { return m_type; }

bool CMenuItem::isEnabled() const { return m_enabled; }

long CMenuItem::getItemIndex() const { return m_itemIndex; }

IImage* CMenuItem::getIcon() const { return m_icon; }

IImage* CMenuItem::getSecondIcon() const { return m_secondIcon; }

void CMenuItem::setOwnTextColour(const CAlphaColour& colour, bool use)
{
    m_ownTextColour = colour;
    m_useOwnTextColour = use;
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
