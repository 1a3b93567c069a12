// What a window is created with: its name, background, opacity, icon, enabled state and Win32 styles.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CString.hpp"
#include "gui/core/CColour.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CWindowIcon;

class CWindowAttributes : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CWindowAttributes, "CCountedObject");

public:
    // An overlapped window: caption, system menu, sizing frame, both boxes.
    static constexpr long kDefaultStyle = 0xCF0008;
    // WS_EX_ACCEPTFILES.
    static constexpr long kDefaultExtendedStyle = 0x10;

    // "Application", white, opaque, no icon, enabled, no drop shadow, the default styles.
    CWindowAttributes();
    // Takes its own reference on the icon.
    CWindowAttributes(const CWindowAttributes& other);
    // The styles, then everything else through setAttributes; assigning to itself changes nothing.
    CWindowAttributes& operator=(const CWindowAttributes& other);
    ~CWindowAttributes() override;

    void setWindowStyles(long style, long extendedStyle);
    // Counted: the new icon is referenced before the old one is let go, so the same icon survives.
    void setWindowIcon(CWindowIcon* icon);
    // Everything but the styles.
    void setAttributes(const ::Brivant::Basics::CString& windowName, const Basics::CColour& background,
                       double alpha, CWindowIcon* icon, bool enabled, bool dropShadow);
    // 0: the default window; 1 and 2: a caption without resizing; 3: a topmost layered pop-up that never
    // takes the activation. Any other number leaves the styles alone.
    void setStylePreset(long preset);

    const ::Brivant::Basics::CString& getWindowName() const { return m_windowName; }
    void setWindowName(const ::Brivant::Basics::CString& name) { m_windowName.setString(name); }
    const Basics::CColour& getBackgroundColour() const { return m_background; }
    void setBackgroundColour(const Basics::CColour& colour) { m_background = colour; }
    double getAlpha() const { return m_alpha; }
    void setAlpha(double alpha) { m_alpha = alpha; }
    CWindowIcon* getWindowIcon() const { return m_icon; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool hasDropShadow() const { return m_dropShadow; }
    void setDropShadow(bool dropShadow) { m_dropShadow = dropShadow; }
    long getWindowStyle() const { return m_style; }
    long getExtendedWindowStyle() const { return m_extendedStyle; }

private:
    ::Brivant::Basics::CString m_windowName;
    Basics::CColour m_background;
    double m_alpha;
    CWindowIcon* m_icon;
    bool m_enabled;
    bool m_dropShadow;
    long m_style;
    long m_extendedStyle;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
