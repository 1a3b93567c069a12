#include "editor/CVstWindow.hpp"

#include "vst/AudioEffect.hpp"

namespace Brivant
{
namespace Vst
{
namespace
{
bool isRecorded(long index)
{
    return index >= 0 && index < CVstWindow::kRecordedIndexes;
}
} // namespace

CVstWindow::CVstWindow(AudioEffect* effect, short width, short height)
    : AEffEditor(effect), m_rect{0, 0, height, width}, m_updating(false)
{
    for (long index = 0; index < kRecordedIndexes; ++index)
    {
        m_lastValues[index].store(0.0, std::memory_order_relaxed);
        m_updateCounts[index].store(0, std::memory_order_relaxed);
    }
    if (effect != nullptr)
        effect->setEditor(this);
}

bool CVstWindow::getRect(ERect** rect)
{
    *rect = &m_rect;
    return true;
}

// Runs on the audio thread for the meter: it only stores.
void CVstWindow::updateParameter(long index, double value)
{
    if (!isRecorded(index))
        return;
    m_lastValues[index].store(value, std::memory_order_relaxed);
    m_updateCounts[index].fetch_add(1, std::memory_order_relaxed);
}

double CVstWindow::getLastUpdate(long index) const
{
    return isRecorded(index) ? m_lastValues[index].load(std::memory_order_relaxed) : 0.0;
}

long CVstWindow::getUpdateCount(long index) const
{
    return isRecorded(index) ? m_updateCounts[index].load(std::memory_order_relaxed) : 0;
}
} // namespace Vst
} // namespace Brivant
