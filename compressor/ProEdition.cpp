// VolturaPro as a deliverable: its names and its effect.
#include "compressor/CHolvane.hpp"
#include "vst/CPluginEntry.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
AudioEffect* createProEffect(audioMasterCallback audioMaster)
{
    return new Holvane::CHolvane(audioMaster);
}
} // namespace

const CEditionDescription& theEdition()
{
    static const CEditionDescription edition = {"VolturaPro", "Software\\SQA\\VolturaPro", createProEffect};
    return edition;
}
} // namespace Vst
} // namespace Brivant
