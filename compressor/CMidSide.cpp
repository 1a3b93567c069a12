#include "compressor/CMidSide.hpp"

using Brivant::Basics::CClass;

CMidSide::CMidSide() = default;

CMidSide::~CMidSide() = default;
