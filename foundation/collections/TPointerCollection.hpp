// A growable array of element pointers whose ownership is decided by a policy object.
#pragma once

#include "foundation/basics/CCountedObject.hpp"
#include "foundation/collections/TPointerDeleter.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <typeinfo>

namespace Brivant
{
namespace Collections
{
template <class T>
class TPointerCollection : public Basics::CCountedObject
{
public:
    static constexpr long kGrowSize = 32;

    // Without a policy the collection tells nobody and releases nothing.
    explicit TPointerCollection(TPointerDeleter<T>* policy)
        : m_array(nullptr), m_policy(policy), m_arraySize(0), m_growSize(kGrowSize), m_insertIndex(0)
    {
    }

    ~TPointerCollection() override { clearArray(); }

    TPointerCollection(const TPointerCollection&) = delete;
    TPointerCollection& operator=(const TPointerCollection&) = delete;

    // Null pointers are stored like any other. An element the array finds no room for is taken and let go at
    // once, as if added and removed: one handed over new goes, one held elsewhere stays, one owned elsewhere is
    // left alone. Callers need no holder of their own for a new object, and must not free it after a failure.
    void addElement(T* element)
    {
        try
        {
            if (m_array == nullptr)
            {
                clearArray();
                growArray();
            }
            else if (m_insertIndex >= m_arraySize)
            {
                growArray();
            }
        }
        catch (...)
        {
            if (m_policy != nullptr)
            {
                m_policy->pointerAdded(element);
                m_policy->deletePointer(element);
            }
            throw;
        }
        m_array[m_insertIndex++] = element;
        if (m_policy != nullptr)
        {
            m_policy->pointerAdded(element);
        }
    }

    // Null outside the array and for an emptied slot.
    T* getElementAt(long index) const
    {
        if (m_array == nullptr || index < 0 || index >= m_arraySize)
        {
            return nullptr;
        }
        return m_array[index];
    }

    // Leaves a hole: the other elements keep their indexes.
    void removeElementAt(long index)
    {
        T* element = getElementAt(index);
        if (element == nullptr)
        {
            return;
        }
        // The slot is emptied first in case releasing the element reaches back into this collection.
        m_array[index] = nullptr;
        if (m_policy != nullptr)
        {
            m_policy->deletePointer(element);
        }
    }

    // -1 when the pointer is not held.
    long getIndexOfElement(const T* element) const
    {
        for (long index = 0; index < m_insertIndex; ++index)
        {
            if (m_array[index] == element)
            {
                return index;
            }
        }
        return -1;
    }

    // Closes the holes, keeping the elements' order; resizeToFit also drops the unused slots.
    void reorderArray(bool resizeToFit)
    {
        if (m_array == nullptr)
        {
            return;
        }
        long count = 0;
        for (long index = 0; index < m_arraySize; ++index)
        {
            if (m_array[index] != nullptr)
            {
                m_array[count++] = m_array[index];
            }
        }
        std::fill(m_array + count, m_array + m_arraySize, nullptr);
        m_insertIndex = count;
        if (!resizeToFit || count == m_arraySize)
        {
            return;
        }
        if (count == 0)
        {
            delete[] m_array;
            m_array = nullptr;
            m_arraySize = 0;
            return;
        }
        T** fitted = new T*[static_cast<std::size_t>(count)];
        std::copy(m_array, m_array + count, fitted);
        delete[] m_array;
        m_array = fitted;
        m_arraySize = count;
    }

    // Releases every element through the policy and frees the array; the grow step stays.
    void clearArray()
    {
        // Detached first, so that an element released here finds the collection already empty.
        T** array = m_array;
        const long size = m_arraySize;
        m_array = nullptr;
        m_arraySize = 0;
        m_insertIndex = 0;
        if (m_policy != nullptr)
        {
            for (long index = 0; index < size; ++index)
            {
                if (array[index] != nullptr)
                {
                    m_policy->deletePointer(array[index]);
                }
            }
        }
        delete[] array;
    }

    // Sorts the appended slots with a qsort comparator over element pointers.
    void sortArray(int (*comparator)(const void*, const void*))
    {
        if (m_array != nullptr && m_insertIndex > 1)
        {
            std::qsort(m_array, static_cast<std::size_t>(m_insertIndex), sizeof(T*), comparator);
        }
    }

    // Walk slots 0 to getArraySize() - 1 and skip the null ones.
    long getArraySize() const { return m_arraySize; }
    long getInsertIndex() const { return m_insertIndex; }

    const Basics::CClass& getClass() const override { return classRecord(); }

    static Basics::CClass& classRecord()
    {
        static Basics::CClass record("TPointerCollection<TypeName>", typeid(T), "CCountedObject");
        return record;
    }

private:
    void growArray()
    {
        const long grownSize = m_arraySize + m_growSize;
        T** grown = new T*[static_cast<std::size_t>(grownSize)]();
        if (m_array != nullptr)
        {
            std::copy(m_array, m_array + m_arraySize, grown);
        }
        delete[] m_array;
        m_array = grown;
        m_arraySize = grownSize;
    }

    T** m_array;
    TPointerDeleter<T>* m_policy;
    long m_arraySize;
    long m_growSize;
    long m_insertIndex;
    Basics::TInstanceCount<TPointerCollection> m_instanceCount;
};
} // namespace Collections
} // namespace Brivant
