#include "gui/controls/CPresetBrowserLayout.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
using Basics::CAlphaColour;

CPresetBrowserLayout::CPresetBrowserLayout()
    : headerSize(0, 0), labelArea(0, 0, 0, 0), loadButtonArea(0, 0, 0, 0), saveButtonArea(0, 0, 0, 0),
      labelFont(nullptr), textColour(CAlphaColour::white()), saveImage(nullptr), saveDownImage(nullptr),
      loadImage(nullptr), loadDownImage(nullptr), presetFolder(" "), verticalNormalImages(), verticalOverImages(),
      verticalDownImages(), horizontalNormalImages(), horizontalOverImages(), horizontalDownImages(),
      scrollBarFrameColour(CAlphaColour::white()), scrollBarBackgroundColour(CAlphaColour::white()),
      scrollBarHandleColour(CAlphaColour::white()), scrollBarOverColour(CAlphaColour::white()),
      scrollBarDownColour(CAlphaColour::white())
{
}

CPresetBrowserLayout::~CPresetBrowserLayout() = default;
} // namespace Controls
} // namespace GUI
} // namespace Brivant
