// One entry of a menu: its text, the caller's id, the type that tells the menu window how to show and treat it,
// an enabled flag, up to two icons and an optional text colour of its own.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "gui/core/CAlphaColour.hpp"

namespace Brivant
{
namespace GUI
{
namespace Graphics
{
class IImage;
} // namespace Graphics

namespace Controls
{
class CMenuItem : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMenuItem, "CCountedObject");

public:
    enum EMenuItemType : long
    {
        kPlainItem = 0,
        // Only a CHtmlMenuItem carries a link to open.
        kLinkItem = 1,
        kSeparator = 2,
        kCheckableItem = 3,
        // Only a CSubMenuMenuItem carries a menu to open.
        kSubMenuItem = 4,
        kColumnBreak = 5
    };

    // Structural items (separators, column breaks, sub-menu headings) use id -1.
    CMenuItem(const ::Brivant::Basics::CString& text, long id, long type, bool enabled);
    // Releases both icons.
    ~CMenuItem() override;

    // Items are shared by reference, not copied.
    CMenuItem(const CMenuItem&) = delete;
    CMenuItem& operator=(const CMenuItem&) = delete;

    virtual void setText(const ::Brivant::Basics::CString& text);
    virtual void setId(long id);
    virtual void setType(long type);
    virtual void setEnabled(bool enabled);
    // A free slot for the owner; the item never reads it.
    virtual void setItemIndex(long itemIndex);
    // Takes a reference on each new icon and releases the old ones; either may be null. The second icon
    // replaces the first while the row is highlighted.
    virtual void setIcons(Graphics::IImage* icon, Graphics::IImage* secondIcon);
    virtual const ::Brivant::Basics::CString& getText() const;
    virtual long getId() const;
    virtual long getType() const;
    virtual bool isEnabled() const;
    virtual long getItemIndex() const;
    virtual Graphics::IImage* getIcon() const;
    virtual Graphics::IImage* getSecondIcon() const;

    // Drawn instead of the menu's text colour while use is true; black and unused at first.
    void setOwnTextColour(const Basics::CAlphaColour& colour, bool use);
    const Basics::CAlphaColour& getOwnTextColour() const { return m_ownTextColour; }
    bool isUsingOwnTextColour() const { return m_useOwnTextColour; }

private:
    ::Brivant::Basics::CString m_text;
    long m_id;
    long m_itemIndex;
    long m_type;
    bool m_enabled;
    Graphics::IImage* m_icon;
    Graphics::IImage* m_secondIcon;
    Basics::CAlphaColour m_ownTextColour;
    bool m_useOwnTextColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
