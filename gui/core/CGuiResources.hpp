// The GUI's process-wide resources: the default font and the image manager's registry. The library's attach
// handler starts them and its detach handler releases them.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CGuiResources
{
public:
    CGuiResources() = delete;

    // Does no GDI work: it runs under the loader lock, so the default font is made on first use instead.
    static void initialiseGuiResources();
    // Releases the image manager's registry, then drops the default font.
    static void releaseGuiResources();
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
