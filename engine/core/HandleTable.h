#pragma once
// The slot table that managers keep their owned objects in (timers, cameras, sound buffers, sounds).
//
// Rules:
// - The table owns what it holds: Remove and destruction delete the objects.
// - Add reuses the most recently freed slot first; callers never see slot numbers, they hand the object
//   pointer back to have it removed.
// - Walks run over the objects in the order they were added (removals keep the others' order). Do not
//   Add or Remove during a walk.
// - Not thread-safe: its manager decides who may call it.

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

namespace VantoranEngine {

template <class T>
class HandleTable {
public:
    HandleTable() = default;
    ~HandleTable() { Clear(); }
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Takes ownership. Null is ignored.
    void Add(T* object)
    {
        if (!object)
            return;
        size_t slot = slots.size();
        if (!freeSlots.empty()) {
            slot = freeSlots.back();
            freeSlots.pop_back();
        }
        active.push_back(slot);
        if (slot == slots.size())
            slots.emplace_back(object);
        else
            slots[slot].reset(object);
    }

    // Deletes the object and frees its slot. False (and nothing happens) when the table does not hold it.
    bool Remove(T* object)
    {
        if (!object)
            return false;
        for (auto it = active.begin(); it != active.end(); ++it) {
            if (slots[*it].get() == object) {
                const size_t slot = *it;
                active.erase(it);
                slots[slot].reset();
                freeSlots.push_back(slot);
                return true;
            }
        }
        return false;
    }

    // Deletes every object and empties the table.
    void Clear()
    {
        for (size_t slot : active)
            slots[slot].reset();
        active.clear();
        freeSlots.clear();
        slots.clear();
    }

    // The object's slot number, or -1 when the table does not hold it (for diagnostics and tests).
    long SlotOf(const T* object) const
    {
        for (size_t slot : active)
            if (object && slots[slot].get() == object)
                return static_cast<long>(slot);
        return -1;
    }

    size_t Count() const { return active.size(); }

    // Walks the objects in the order they were added.
    class Iterator {
    public:
        Iterator(const HandleTable* table, size_t index) : table(table), index(index) {}
        T* operator*() const { return table->slots[table->active[index]].get(); }
        Iterator& operator++()
        {
            ++index;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return index != other.index; }

    private:
        const HandleTable* table;
        size_t index;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, active.size()); }

private:
    std::vector<std::unique_ptr<T>> slots; // null: a free slot
    std::deque<size_t> freeSlots;          // a stack at its back
    std::vector<size_t> active;            // slots in use, in the order of addition
};

} // namespace VantoranEngine
