// Receives key presses and releases; the answer says whether the key was used.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CKeyboardEvent;
} // namespace Events

namespace Listeners
{
class IKeyboardListener
{
public:
    virtual ~IKeyboardListener() = default;
    virtual bool handleKeyDown(const Events::CKeyboardEvent& event) = 0;
    virtual bool handleKeyUp(const Events::CKeyboardEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
