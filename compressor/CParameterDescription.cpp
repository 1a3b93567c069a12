#include "compressor/CParameterDescription.hpp"

#include "vst/CVstParam.hpp"

namespace Brivant
{
namespace Holvane
{
CVstParam* newNumberParameter(const CParameterDescription& parameter)
{
    switch (parameter.kind)
    {
    case EParameterKind::kLinear:
        return new CVstParamFloat(parameter.name, parameter.label, parameter.minimum, parameter.maximum,
                                  parameter.minimum);
    case EParameterKind::kExponential:
    {
        // The class's own label is "ms"; the range is the row's.
        auto* time = new CVstParamFloatExp(parameter.name);
        time->setRange(parameter.minimum, parameter.maximum);
        return time;
    }
    case EParameterKind::kOptions:
        break;
    }
    return nullptr;
}
} // namespace Holvane
} // namespace Brivant
