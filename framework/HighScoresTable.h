#pragma once
// HighScoresTable: the ten best game scores of the installation with the players' names, in
// <user-data root>\usersdata\high_scores_table.hsf (magic "GFHSF", version 100).
//
// Rules:
// - Entries are kept best first: a higher score first, equal scores in the order they were added.
// - Every addition is saved at once. A failed save is logged and leaves the old file; a missing or
//   damaged file gives an empty table, written back at once (a damaged one is logged as an error). A
//   file with more than ten entries loads the first ten; a count that promises more entries than the
//   file holds makes the file damaged. Entries read out of order are put in order, and the next order
//   number stays above every order number read.
// - Main thread only.

#include "framework/VersionedFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class Engine;
class FileManager;
class MessageManager;
} // namespace VantoranEngine

namespace GameFramework {

struct HighScoreEntry {
    std::u16string name;
    uint32_t score = 0;
    uint32_t orderNumber = 0; // entries ever added before this one: breaks ties
};

class HighScoresTable {
public:
    static constexpr const char* fileMagic = "GFHSF";
    static constexpr uint32_t fileVersion = 100;
    static constexpr size_t limit = 10;

    // Reads the table.
    HighScoresTable(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot);
    HighScoresTable(VantoranEngine::Engine& engine, std::string userRoot);
    virtual ~HighScoresTable();

    HighScoresTable(const HighScoresTable&) = delete;
    HighScoresTable& operator=(const HighScoresTable&) = delete;

    // Adds the score, keeps the best ten and saves; the new entry, or null when it did not stay.
    const HighScoreEntry* Add(uint32_t score, const std::u16string& name);

    // Best first.
    const std::vector<std::unique_ptr<HighScoreEntry>>& GetEntries() const { return entries; }
    uint32_t GetNextOrderNumber() const { return nextOrderNumber; }

    // False when the file could not be written (logged; the old file stays).
    bool Save();
    // user-data root + "\usersdata\high_scores_table.hsf".
    std::string GetPath() const;

private:
    void Load();

    VantoranEngine::MessageManager* log;
    VersionedFile file;
    std::vector<std::unique_ptr<HighScoreEntry>> entries;
    std::string userRoot;
    uint32_t nextOrderNumber = 0;
};

} // namespace GameFramework
