// The six colours a menu window is drawn with, as a plain record copied by value. Every entry starts opaque
// white; the menu window sets its own starting values.
#pragma once

#include "gui/core/CAlphaColour.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
struct CMenuColours
{
    Basics::CAlphaColour textColour;
    // Also the sub-menu arrow of disabled items.
    Basics::CAlphaColour disabledTextColour;
    Basics::CAlphaColour rowColour;
    // The sub-menu arrow of enabled items.
    Basics::CAlphaColour arrowColour;
    Basics::CAlphaColour frameColour;
    Basics::CAlphaColour highlightColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
