// A size in pixels.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

namespace Brivant
{
namespace MathTools
{
class CDimension : public Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CDimension, "CCountedObject");

public:
    CDimension(long width, long height);
    CDimension(const CDimension& other);
    ~CDimension() override;

    CDimension& operator=(const CDimension& other);
    bool operator==(const CDimension& other) const;

    void setDimension(long width, long height);
    void setDimension(const CDimension& other);
    void setWidth(long width) { m_width = width; }
    void setHeight(long height) { m_height = height; }
    long getWidth() const { return m_width; }
    long getHeight() const { return m_height; }

private:
    long m_width;
    long m_height;
};
} // namespace MathTools
} // namespace Brivant
