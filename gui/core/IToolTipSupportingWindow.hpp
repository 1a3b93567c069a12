// A window that keeps one tool-tip value for its controls.
#pragma once

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class IToolTipSupportingWindow
{
public:
    virtual ~IToolTipSupportingWindow() = default;
    virtual void setToolTipValue(long value) = 0;
    virtual long getToolTipValue() const = 0;
    virtual long getToolTipValueAgain() const = 0;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
