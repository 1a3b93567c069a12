// Swapping the counted object a holder points to.
#pragma once

#include <type_traits>

namespace Brivant
{
namespace Collections
{
// The new object is referenced before the old one is released, and the object already held is left alone:
// releasing it first could delete it. The type comes from the holder alone, so nullptr and derived objects pass.
template <class T>
void swapCounted(T*& held, std::common_type_t<T>* replacement)
{
    if (replacement == held)
        return;
    if (replacement != nullptr)
        replacement->referenced();
    T* old = held;
    held = replacement;
    if (old != nullptr)
        old->dereference();
}
} // namespace Collections
} // namespace Brivant
