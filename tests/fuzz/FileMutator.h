#pragma once
// FileMutator: seeded damage to a file's bytes, as a disk, a download or a hand editor would do it:
// bits flipped, the end cut off, a 32-bit count set to 0, to a huge value or off by a few, bytes
// inserted, removed or repeated elsewhere, and for text files a number replaced by 0, a negative or a
// huge one. Each case applies one to three of these; the same seed gives the same cases.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace Fuzz {

class FileMutator {
public:
    explicit FileMutator(uint32_t seed) : random(seed) {}

    std::vector<uint8_t> Mutate(const std::vector<uint8_t>& original)
    {
        std::vector<uint8_t> bytes = original;
        const int count = static_cast<int>(Below(3)) + 1;
        for (int i = 0; i < count; ++i)
            Apply(bytes);
        return bytes;
    }

private:
    uint32_t Below(uint32_t limit) { return limit == 0 ? 0 : static_cast<uint32_t>(random() % limit); }

    void Apply(std::vector<uint8_t>& bytes)
    {
        switch (Below(9)) {
        case 0:
            FlipBits(bytes);
            break;
        case 1:
            if (!bytes.empty())
                bytes.resize(Below(static_cast<uint32_t>(bytes.size())));
            break;
        case 2:
            SetCount(bytes, 0);
            break;
        case 3:
            SetCount(bytes, HugeValue(bytes));
            break;
        case 4:
            InsertBytes(bytes);
            break;
        case 5:
            RemoveBytes(bytes);
            break;
        case 6:
            NudgeCount(bytes);
            break;
        case 7:
            RepeatBytes(bytes);
            break;
        default:
            ReplaceNumber(bytes);
            break;
        }
    }

    void FlipBits(std::vector<uint8_t>& bytes)
    {
        if (bytes.empty())
            return;
        const uint32_t flips = Below(8) + 1;
        for (uint32_t i = 0; i < flips; ++i)
            bytes[Below(static_cast<uint32_t>(bytes.size()))] ^= static_cast<uint8_t>(1u << Below(8));
    }

    uint32_t HugeValue(const std::vector<uint8_t>& bytes)
    {
        static constexpr uint32_t values[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x40000000u,
                                              0x00FFFFFFu, 0x00010000u, 0x0000FFFFu, 0xFFFFFFFEu};
        const uint32_t pick = Below(static_cast<uint32_t>(std::size(values)) + 1);
        // Just past what the file could hold, the value a careless size check lets through.
        return pick == std::size(values) ? static_cast<uint32_t>(bytes.size()) + Below(64) : values[pick];
    }

    // A little-endian 32-bit value at a random place, aligned to 4 most of the time (where counts lie).
    void SetCount(std::vector<uint8_t>& bytes, uint32_t value)
    {
        if (bytes.size() < 4)
            return;
        uint32_t at = Below(static_cast<uint32_t>(bytes.size()) - 3);
        if (Below(4) != 0)
            at &= ~3u;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }

    // A little-endian 32-bit value at an aligned place moved by one to three up or down: the count a
    // check off by one lets through.
    void NudgeCount(std::vector<uint8_t>& bytes)
    {
        if (bytes.size() < 4)
            return;
        const uint32_t at = Below(static_cast<uint32_t>(bytes.size()) - 3) & ~3u;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
        const uint32_t step = Below(3) + 1;
        value = Below(2) == 0 ? value + step : value - step;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }

    // A run of the file's own bytes copied to another place: records repeated or shifted.
    void RepeatBytes(std::vector<uint8_t>& bytes)
    {
        if (bytes.empty())
            return;
        const uint32_t from = Below(static_cast<uint32_t>(bytes.size()));
        const uint32_t count = std::min<uint32_t>(Below(64) + 1, static_cast<uint32_t>(bytes.size()) - from);
        const std::vector<uint8_t> run(bytes.begin() + from, bytes.begin() + from + count);
        const uint32_t to = Below(static_cast<uint32_t>(bytes.size()) + 1);
        bytes.insert(bytes.begin() + to, run.begin(), run.end());
    }

    void InsertBytes(std::vector<uint8_t>& bytes)
    {
        const uint32_t at = Below(static_cast<uint32_t>(bytes.size()) + 1);
        const uint32_t count = Below(16) + 1;
        std::vector<uint8_t> inserted(count);
        const bool same = Below(2) == 0; // runs of one byte look like padding or counts
        const uint8_t fill = static_cast<uint8_t>(Below(256));
        for (uint8_t& b : inserted)
            b = same ? fill : static_cast<uint8_t>(Below(256));
        bytes.insert(bytes.begin() + at, inserted.begin(), inserted.end());
    }

    void RemoveBytes(std::vector<uint8_t>& bytes)
    {
        if (bytes.empty())
            return;
        const uint32_t at = Below(static_cast<uint32_t>(bytes.size()));
        const uint32_t count = std::min<uint32_t>(Below(16) + 1, static_cast<uint32_t>(bytes.size()) - at);
        bytes.erase(bytes.begin() + at, bytes.begin() + at + count);
    }

    // A run of decimal digits (text files keep their counts so) becomes 0, a negative or a huge number.
    void ReplaceNumber(std::vector<uint8_t>& bytes)
    {
        std::vector<size_t> starts;
        for (size_t i = 0; i < bytes.size(); ++i)
            if (IsDigit(bytes[i]) && (i == 0 || !IsDigit(bytes[i - 1])))
                starts.push_back(i);
        if (starts.empty()) {
            SetCount(bytes, HugeValue(bytes));
            return;
        }
        const size_t start = starts[Below(static_cast<uint32_t>(starts.size()))];
        size_t end = start;
        while (end < bytes.size() && IsDigit(bytes[end]))
            ++end;
        static const char* const numbers[] = {"0", "-1", "2147483647", "4294967295", "99999999999999999999",
                                              "-2147483648", "65536", "1e38", "nan", "100000"};
        const std::string text = numbers[Below(static_cast<uint32_t>(std::size(numbers)))];
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.begin() + static_cast<std::ptrdiff_t>(end));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(start), text.begin(), text.end());
    }

    static bool IsDigit(uint8_t b) { return b >= '0' && b <= '9'; }

    std::mt19937 random;
};

} // namespace Fuzz
