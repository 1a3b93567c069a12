#include "gui/core/CGuiResources.hpp"

#include "gui/core/CFont.hpp"
#include "gui/core/CImageManager.hpp"

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
void CGuiResources::initialiseGuiResources()
{
    // Both only open their registries here: the image manager's state and the default font are made on first
    // use, away from the loader lock.
    Graphics::CImageManager::initialise();
}

void CGuiResources::releaseGuiResources()
{
    Graphics::CImageManager::releaseImageManager();
    Fonts::CFont::releaseDefaultFont();
}
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
