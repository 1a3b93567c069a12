// Something a window calls back when the timer with the object's id expires.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Basics
{
class ITimedObject
{
public:
    virtual ~ITimedObject() = default;
    virtual void timerExpired() = 0;
    // Never 0: Windows refuses that timer id.
    virtual long getTimerId() const = 0;
};
} // namespace Basics
} // namespace GUI
} // namespace Brivant
