// Receives files dropped from the shell.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Events
{
class CDropEvent;
} // namespace Events

namespace Listeners
{
class IDropFileListener
{
public:
    virtual ~IDropFileListener() = default;
    virtual void handleFileDrop(const Events::CDropEvent& event) = 0;
};
} // namespace Listeners
} // namespace GUI
} // namespace Brivant
