#include "compressor/CMidSide.hpp"

using Brivant::Basics::CClass;

namespace
{
const CClass& s_record = CMidSide::classRecord();
} // namespace

CClass& CMidSide::classRecord()
{
    static CClass record("CMidSide", "CCountedObject");
    return record;
}

const CClass& CMidSide::getClass() const { return classRecord(); }

CMidSide::CMidSide() = default;

CMidSide::~CMidSide() = default;
