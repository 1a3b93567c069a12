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
    // The line of separator rows.
    Basics::CAlphaColour rowColour;
    // The sub-menu arrow of enabled items.
    Basics::CAlphaColour arrowColour;
    Basics::CAlphaColour frameColour;
    Basics::CAlphaColour highlightColour;
};

// The colours a menu window starts with: black text, light grey disabled text, orange separators, black
// arrows, and a purple frame and highlight.
inline CMenuColours menuWindowStartingColours()
{
    return CMenuColours{Basics::CAlphaColour(0, 0, 0, 255),       Basics::CAlphaColour(208, 208, 208, 255),
                        Basics::CAlphaColour(239, 149, 41, 255),  Basics::CAlphaColour(0, 0, 0, 255),
                        Basics::CAlphaColour(153, 116, 188, 255), Basics::CAlphaColour(153, 116, 188, 255)};
}
} // namespace Controls
} // namespace GUI
} // namespace Brivant
