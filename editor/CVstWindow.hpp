// The editor the effect talks to: the host's editor opcodes and the effect's editor-update operations.
#pragma once

#include "vst/AEffEditor.hpp"

#include <atomic>

namespace Brivant
{
namespace Vst
{
class CVstWindow : public AEffEditor
{
public:
    // Values at indexes up to this bound are kept for inspection; the meter index is among them.
    static constexpr long kRecordedIndexes = 32;

    // Attaches itself to the effect, which owns it from then on.
    CVstWindow(AudioEffect* effect, short width, short height);

    bool getRect(ERect** rect) override;

    // The effect shows a parameter's new normalised value, or hands over the meter value beyond the parameters.
    virtual void updateParameter(long index, double value);
    virtual bool isUpdatingEffect() const { return m_updating.load(std::memory_order_relaxed); }
    virtual void setUpdatingEffect(bool updating) { m_updating.store(updating, std::memory_order_relaxed); }

    double getLastUpdate(long index) const;
    long getUpdateCount(long index) const;

private:
    ERect m_rect;
    std::atomic<bool> m_updating;
    std::atomic<double> m_lastValues[kRecordedIndexes];
    std::atomic<long> m_updateCounts[kRecordedIndexes];
};
} // namespace Vst
} // namespace Brivant
