// A rollover button that also tells its action listener at every expiry of a window timer while it is held down.
// The timer is the root's window timer with the control's id; a button with id 0, which no window timer can have,
// works as a plain rollover button.
#pragma once

#include "gui/controls/CRolloverButton.hpp"
#include "gui/core/ITimedObject.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CRepeatingButton : public CRolloverButton, public Basics::ITimedObject
{
    BRIVANT_CLASS_RECORD(CRepeatingButton, "CRolloverButton");

public:
    // Registers with the window of its root; the repeat interval is 100 ms.
    CRepeatingButton(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
                     Listeners::IActionListener* listener);
    // Leaves the window's timed objects.
    ~CRepeatingButton() override;

    // Taken by the next press.
    virtual void setRepeatInterval(long milliseconds);
    long getRepeatInterval() const { return m_repeatInterval; }

    // One action event per expiry.
    void timerExpired() override;
    long getTimerId() const override { return getControlId(); }

    // The press starts the timer, the release (which reports once more) stops it; so does leaving the button.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;

private:
    void stopRepeating();

    long m_repeatInterval;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
