#include "gui/core/CSystemDialogs.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
void CSystemDialogs::notifyUser(const char* message, const char* title, bool isError)
{
    MessageBoxA(nullptr, message, title, isError ? MB_ICONHAND : 0);
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
