// An editor that only writes down what the effect tells it: the last value and the number of calls per index.
// Effect tests put it in place of the edition's own editor to watch the editor-update protocol.
#pragma once

#include "editor/CVstWindow.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "vst/AudioEffect.hpp"

#include <atomic>

namespace VolturaTests
{
class CRecordingEditor : public Brivant::Vst::CVstWindow
{
public:
    static constexpr long kIndexes = 32;

    // Deletes the effect's own editor and attaches a recorder of the same size in its place.
    static CRecordingEditor& replaceEditor(AudioEffect& effect)
    {
        ERect* rect = nullptr;
        AEffEditor* built = effect.getEditor();
        built->getRect(&rect);
        const Brivant::MathTools::CRect area(0, 0, rect->right - rect->left, rect->bottom - rect->top);
        effect.setEditor(nullptr);
        delete built;
        return *new CRecordingEditor(&effect, area);
    }

    void updateParameter(long index, double value) override
    {
        if (index < 0 || index >= kIndexes)
            return;
        m_values[index].store(value);
        m_counts[index].fetch_add(1);
    }

    double getLastUpdate(long index) const { return index >= 0 && index < kIndexes ? m_values[index].load() : 0.0; }
    long getUpdateCount(long index) const { return index >= 0 && index < kIndexes ? m_counts[index].load() : 0; }

private:
    CRecordingEditor(AudioEffect* effect, const Brivant::MathTools::CRect& area) : CVstWindow(effect, area, nullptr) {}

    std::atomic<double> m_values[kIndexes] = {};
    std::atomic<long> m_counts[kIndexes] = {};
};
} // namespace VolturaTests
