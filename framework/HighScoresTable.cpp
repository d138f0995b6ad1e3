#include "framework/HighScoresTable.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"

#include <algorithm>

namespace GameFramework {

using VantoranEngine::FileError;

namespace {

// The least bytes an entry takes: an empty name's count byte, score, order number.
constexpr uint32_t minEntrySize = 1 + 4 + 4;

// Best first: a higher score, then the entry added earlier.
bool Before(const std::unique_ptr<HighScoreEntry>& a, const std::unique_ptr<HighScoreEntry>& b)
{
    return a->score != b->score ? a->score > b->score : a->orderNumber < b->orderNumber;
}

} // namespace

HighScoresTable::HighScoresTable(VantoranEngine::MessageManager* log_, VantoranEngine::FileManager* files,
                                 std::string userRoot_)
    : log(log_), file(files, fileMagic, fileVersion), userRoot(std::move(userRoot_))
{
    Load();
}

HighScoresTable::HighScoresTable(VantoranEngine::Engine& engine, std::string userRoot_)
    : HighScoresTable(engine.messageManager.get(), engine.fileManager.get(), std::move(userRoot_))
{
}

HighScoresTable::~HighScoresTable()
{
    file.CloseQuietly();
}

std::string HighScoresTable::GetPath() const
{
    return userRoot + "\\usersdata\\high_scores_table.hsf";
}

void HighScoresTable::Load()
{
    try {
        file.Open(GetPath(), VersionedFile::Mode::Read);
        const uint32_t next = file.ReadU32();
        const uint32_t count = file.ReadU32();
        file.CheckCount(count, minEntrySize);
        std::vector<std::unique_ptr<HighScoreEntry>> loaded;
        for (uint32_t i = 0; i < count && i < limit; ++i) {
            auto entry = std::make_unique<HighScoreEntry>();
            entry->name = file.ReadWide();
            entry->score = file.ReadU32();
            entry->orderNumber = file.ReadU32();
            loaded.push_back(std::move(entry));
        }
        file.Close();
        // A damaged file may hold its entries out of order or order numbers at or past the next one:
        // the table keeps its order and new entries stay behind older equal scores.
        std::stable_sort(loaded.begin(), loaded.end(), Before);
        nextOrderNumber = next;
        for (const auto& entry : loaded)
            if (entry->orderNumber >= nextOrderNumber && entry->orderNumber < UINT32_MAX)
                nextOrderNumber = entry->orderNumber + 1;
        entries = std::move(loaded);
    } catch (const FileError& error) {
        file.Discard();
        // A first start has no table yet; a table that is there but cannot be read is said so.
        if (VantoranEngine::FileManager::ExistsOnDisk(GetPath()))
            log->LogError(error.message);
        nextOrderNumber = 0;
        entries.clear();
        Save();
    }
}

const HighScoreEntry* HighScoresTable::Add(uint32_t score, const std::u16string& name)
{
    auto entry = std::make_unique<HighScoreEntry>();
    entry->name = name;
    entry->score = score;
    entry->orderNumber = nextOrderNumber++;
    const HighScoreEntry* added = entry.get();
    entries.push_back(std::move(entry));
    std::stable_sort(entries.begin(), entries.end(), Before);
    while (entries.size() > limit) {
        if (entries.back().get() == added)
            added = nullptr;
        entries.pop_back();
    }
    Save();
    return added;
}

bool HighScoresTable::Save()
{
    try {
        file.Open(GetPath(), VersionedFile::Mode::Write);
        file.WriteU32(nextOrderNumber);
        file.WriteU32(static_cast<uint32_t>(entries.size()));
        for (const auto& entry : entries) {
            file.WriteWide(entry->name);
            file.WriteU32(entry->score);
            file.WriteU32(entry->orderNumber);
        }
        file.Close();
        return true;
    } catch (const FileError& error) {
        file.Discard();
        log->LogError(error.message);
        return false;
    }
}

} // namespace GameFramework
