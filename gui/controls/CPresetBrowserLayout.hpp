// How a preset browser lays out and skins its children: the header with the current-preset label and the load
// and save buttons, the folder it shows, and the scroll bars' image sets and colours. Nothing is owned but the
// image sets; the font and images must outlive the browser's use of them in setLayout.
#pragma once

#include "foundation/basics/CSystemString.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/controls/CScrollBarImages.hpp"
#include "gui/core/CAlphaColour.hpp"

namespace Brivant
{
namespace GUI
{
namespace Fonts
{
class CFont;
}

namespace Graphics
{
class IImage;
}

namespace Controls
{
struct CPresetBrowserLayout
{
    // Empty areas, no font, no images, no image sets, every colour opaque white, folder " ".
    CPresetBrowserLayout();
    ~CPresetBrowserLayout();

    CPresetBrowserLayout(const CPresetBrowserLayout&) = delete;
    CPresetBrowserLayout& operator=(const CPresetBrowserLayout&) = delete;

    // Its height is where the tree starts.
    ::Brivant::MathTools::CDimension headerSize;
    ::Brivant::MathTools::CRect labelArea;
    ::Brivant::MathTools::CRect loadButtonArea;
    ::Brivant::MathTools::CRect saveButtonArea;
    // The label's and the tree's; null for the default font.
    Fonts::CFont* labelFont;
    // The label's and the tree's.
    Basics::CAlphaColour textColour;
    Graphics::IImage* saveImage;
    Graphics::IImage* saveDownImage;
    Graphics::IImage* loadImage;
    Graphics::IImage* loadDownImage;
    ::Brivant::Basics::CSystemString presetFolder;
    // A normal set's thumb gives its bar's thickness; without one the bar is 15 pixels thick.
    Collections::TAutomaticPointer<CScrollBarImages> verticalNormalImages;
    Collections::TAutomaticPointer<CScrollBarImages> verticalOverImages;
    Collections::TAutomaticPointer<CScrollBarImages> verticalDownImages;
    Collections::TAutomaticPointer<CScrollBarImages> horizontalNormalImages;
    Collections::TAutomaticPointer<CScrollBarImages> horizontalOverImages;
    Collections::TAutomaticPointer<CScrollBarImages> horizontalDownImages;
    // Both bars' slider colours.
    Basics::CAlphaColour scrollBarFrameColour;
    Basics::CAlphaColour scrollBarBackgroundColour;
    Basics::CAlphaColour scrollBarHandleColour;
    Basics::CAlphaColour scrollBarOverColour;
    Basics::CAlphaColour scrollBarDownColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
