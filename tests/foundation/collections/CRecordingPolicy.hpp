// A policy that only writes down what a container tells it, in order.
#pragma once

#include "foundation/collections/TPointerDeleter.hpp"

#include <string>
#include <vector>

namespace VolturaTests
{
template <class T>
class CRecordingPolicy : public Brivant::Collections::TPointerDeleter<T>
{
public:
    struct Event
    {
        std::string kind;
        T* element;
        bool operator==(const Event& other) const { return kind == other.kind && element == other.element; }
    };

    void pointerAdded(T* element) override { events.push_back({"added", element}); }
    void deletePointer(T* element) override { events.push_back({"deleted", element}); }

    std::vector<Event> events;
};
} // namespace VolturaTests
