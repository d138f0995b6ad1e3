#pragma once
// A list of object pointers with reusable slots, one per kind of object a manager updates or draws.
// The list never deletes an object: its owner removes it with Remove and deletes it. Slot indices are
// internal (a removal may compact the slots), so nothing outside keeps them.
//
// Threads: none of this locks. Objects are removed only outside any walk over the same list, since a
// removal may compact the slots under the walker.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VantoranEngine {

template <typename T>
class ObjectManager {
public:
    virtual ~ObjectManager() = default;

    // A null pointer is ignored; the most recently freed slot is reused first; duplicates are listed twice.
    void Add(T* object)
    {
        if (object == nullptr)
            return;
        if (!freeSlots.empty()) {
            slots[freeSlots.back()] = object;
            freeSlots.pop_back();
        } else {
            slots.push_back(object);
        }
        ++count;
    }

    // Clears the first slot holding the object; false for null or an object that is not listed.
    bool Remove(T* object)
    {
        if (object == nullptr)
            return false;
        for (uint32_t i = 0; i < slots.size(); ++i) {
            if (slots[i] != object)
                continue;
            slots[i] = nullptr;
            freeSlots.push_back(i);
            --count;
            if (2 * static_cast<size_t>(count) < slots.size()) {
                std::erase(slots, nullptr);
                freeSlots.clear();
            }
            return true;
        }
        return false;
    }

    int count = 0;
    std::vector<T*> slots;          // null entries are free
    std::vector<uint32_t> freeSlots; // stack: the last freed slot is on top
};

} // namespace VantoranEngine
