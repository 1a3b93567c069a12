// VolturaPro as a deliverable: its names and its effect.
#include "vst/CPassThroughEffect.hpp"
#include "vst/CPluginEntry.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
AudioEffect* createProEffect(audioMasterCallback audioMaster)
{
    // Main stereo input and the side-chain key pair.
    return new CPassThroughEffect(audioMaster, 16, 10, 4, vstFourCharacters("Sqa1"));
}
} // namespace

const CEditionDescription& theEdition()
{
    static const CEditionDescription edition = {"VolturaPro", "Software\\SQA\\VolturaPro", createProEffect};
    return edition;
}
} // namespace Vst
} // namespace Brivant
