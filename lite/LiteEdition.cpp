// VolturaLite as a deliverable: its names and its effect.
#include "vst/CPassThroughEffect.hpp"
#include "vst/CPluginEntry.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
AudioEffect* createLiteEffect(audioMasterCallback audioMaster)
{
    return new CPassThroughEffect(audioMaster, 6, 13, 2, vstFourCharacters("Sqa2"));
}
} // namespace

const CEditionDescription& theEdition()
{
    static const CEditionDescription edition = {"VolturaLite", "Software\\SQA\\VolturaLite", createLiteEffect};
    return edition;
}
} // namespace Vst
} // namespace Brivant
