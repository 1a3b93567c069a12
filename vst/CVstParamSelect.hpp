// A parameter that picks one of a list of named options.
#pragma once

#include "vst/CVstParam.hpp"

// One of up to kMaxOptions named options; the real value is the selected index.
class CVstParamSelect : public CVstParam
{
    BRIVANT_CLASS_RECORD(CVstParamSelect, "CVstParam");

public:
    static constexpr int kMaxOptions = 128;

    // count is kept to 0 .. kMaxOptions; texts may be null (all options "") or hold null entries.
    CVstParamSelect(int32_t count, const char* name, const char* const* texts);
    CVstParamSelect(const CVstParamSelect& other);
    CVstParamSelect& operator=(const CVstParamSelect& other);

    // index = trunc(count * n) kept to 0 .. count - 1; NaN gives 0. The index is never out of range.
    void setValue(float normalised) override;
    float getRealValue() const override;
    int32_t getIntegerValue() const override;
    void getDisplayText(char* text) const override;

    // Replaces the count and the first count texts, then applies the normalised value again.
    virtual void setOptions(int32_t count, const char* const* texts);
    // An index outside 0 .. kMaxOptions - 1 is ignored.
    virtual void setOptionText(int32_t index, const char* text);
    // count is kept to 0 .. kMaxOptions.
    virtual void setValues(int32_t count, const int32_t* values);
    virtual int32_t getSelectedValue() const;

    int32_t getNumberOfOptions() const { return m_count; }
    int32_t getSelectedIndex() const { return m_index.load(std::memory_order_relaxed); }

private:
    static int32_t clampCount(int32_t count);

    int32_t m_count;
    char m_texts[kMaxOptions][kTextSize];
    std::atomic<int32_t> m_index;
    int32_t m_values[kMaxOptions];
};
