// Effect parameters: a normalised host value 0..1, the real value the signal path uses and the display text.
// The host or editor thread writes the values while the audio thread reads them, so they are relaxed atomics.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

#include <atomic>
#include <cstdint>

// A plain normalised value; real value and normalised value are the same.
class CVstParam : public Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CVstParam, "CCountedObject");

public:
    // Names, labels and option texts keep at most kTextSize - 1 characters.
    static constexpr int kTextSize = 24;
    // Every display text fits in this many bytes, terminator included; getDisplayText writes no more.
    static constexpr int kDisplaySize = 24;

    // A null text is taken as "".
    CVstParam(const char* name, const char* label);
    CVstParam(const CVstParam& other);
    CVstParam& operator=(const CVstParam& other);
    ~CVstParam() override;

    // Not clamped: each class states what it does with values outside 0..1.
    virtual void setValue(float normalised);
    virtual float getNormalisedValue() const;
    virtual void getName(char* text) const;
    virtual void getDisplayText(char* text) const;
    virtual void getLabel(char* text) const;
    virtual float getRealValue() const;
    // floor(value + 0.5) of the real value, saturated to the int range; NaN gives 0.
    virtual int32_t getIntegerValue() const;

protected:
    void storeValues(float normalised, float real);
    float loadReal() const { return m_real.load(std::memory_order_relaxed); }
    void setLabel(const char* label);

    // The magnitude formats: %g from 1000000, else 0 to 3 decimals by magnitude.
    static void formatMagnitude(float value, char* text);
    static int32_t roundToInteger(float value);
    // Copies at most kTextSize - 1 characters and terminates.
    static void copyText(char* destination, const char* source);

private:
    std::atomic<float> m_normalised;
    std::atomic<float> m_real;
    char m_name[kTextSize];
    char m_label[kTextSize];
};

// Maps 0..1 linearly onto minimum..maximum (and beyond, outside 0..1).
class CVstParamFloat : public CVstParam
{
    BRIVANT_CLASS_RECORD(CVstParamFloat, "CVstParam");

public:
    // A range of zero width gives normalised 0.
    CVstParamFloat(const char* name, const char* label, float minimum, float maximum, float initial);

    void setValue(float normalised) override;
    void getDisplayText(char* text) const override;
    virtual void setRange(float minimum, float maximum);

    // With the flag set zero and positive values show a leading "+"; clear after construction.
    void setPlusSign(bool plusSign) { m_plusSign = plusSign; }
    float getMinimum() const { return m_minimum; }
    float getMaximum() const { return m_maximum; }

private:
    bool m_plusSign;
    float m_minimum;
    float m_maximum;
};

// Maps 0..1 exponentially onto minimum..maximum milliseconds (time constants); the real value is clamped.
class CVstParamFloatExp : public CVstParam
{
    BRIVANT_CLASS_RECORD(CVstParamFloatExp, "CVstParam");

public:
    // Label "ms", range 1 .. 1000, value 0 (real 1).
    explicit CVstParamFloatExp(const char* name);

    // real = exp(ln min + (ln max - ln min) n) in single precision, clamped; NaN gives the minimum.
    void setValue(float normalised) override;
    void getDisplayText(char* text) const override;
    // Both bounds are expected positive.
    virtual void setRange(float minimum, float maximum);

    float getMinimum() const { return m_minimum; }
    float getMaximum() const { return m_maximum; }

private:
    float m_minimum;
    float m_maximum;
};
