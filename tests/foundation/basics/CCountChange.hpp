// How far a record's live and total counts have moved since this snapshot was taken.
#pragma once

#include "foundation/basics/CClass.hpp"

namespace VolturaTests
{
class CCountChange
{
public:
    explicit CCountChange(const Brivant::Basics::CClass& record)
        : m_record(record), m_live(record.getInstanceCount()), m_total(record.getTotalCount())
    {
    }

    long live() const { return m_record.getInstanceCount() - m_live; }
    long total() const { return m_record.getTotalCount() - m_total; }

private:
    const Brivant::Basics::CClass& m_record;
    long m_live;
    long m_total;
};
} // namespace VolturaTests
