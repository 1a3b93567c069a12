// VolturaLite as a deliverable: its names and its effect.
#include "lite/CHolvane.hpp"
#include "vst/CPluginEntry.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
AudioEffect* createLiteEffect(audioMasterCallback audioMaster)
{
    return new Holvane::CHolvane(audioMaster);
}
} // namespace

const CEditionDescription& theEdition()
{
    static const CEditionDescription edition = {"VolturaLite", "Software\\SQA\\VolturaLite", createLiteEffect};
    return edition;
}
} // namespace Vst
} // namespace Brivant
