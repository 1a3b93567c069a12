// The mid/side width stage as an object of the effect. Its weights live in the effect and its arithmetic runs
// in the effect's block path: key L = ((L + R) K + (L - R) S) / 2, key R = ((L + R) K - (L - R) S) / 2.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

class CMidSide : public Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CMidSide, "CCountedObject");

public:
    CMidSide();
    ~CMidSide() override;

private:
};
