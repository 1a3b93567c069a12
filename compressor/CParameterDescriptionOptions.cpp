// Kept out of CParameterDescription.cpp: only an edition that has option parameters links the option class.
#include "compressor/CParameterDescription.hpp"

#include "vst/CVstParamSelect.hpp"

namespace Brivant
{
namespace Holvane
{
CVstParam* newOptionParameter(const CParameterDescription& parameter)
{
    return new CVstParamSelect(parameter.options.count, parameter.name, parameter.options.texts);
}
} // namespace Holvane
} // namespace Brivant
