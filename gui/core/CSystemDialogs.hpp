// The process's message boxes; none has an owner window, as a plug-in cannot know the host's.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CSystemDialogs
{
public:
    CSystemDialogs() = delete;

    // Shows the message with the stop icon when it reports an error.
    static void notifyUser(const char* message, const char* title, bool isError);
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
