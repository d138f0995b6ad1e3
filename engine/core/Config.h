#pragma once
// Console variables and commands, and the configuration file that keeps the variables between runs.
//
// Rules:
// - Names are case-insensitive: every operation except SetCommandReady lower-cases the name it is given
//   (callers of SetCommandReady pass lower-case names). Records are kept and listed in ascending byte order
//   of their lower-cased names.
// - A variable is bound to storage its owner keeps: an int32_t, a float, a bool or a std::string, by type.
//   The owner calls Unregister before that storage goes away; the value is kept as text and written into
//   the new storage when the name is registered again.
// - A command's ready flag is true while idle and false once fired. Its owner polls IsCommandReady once
//   per frame, runs its action and re-arms it with SetCommandReady(name, true); "exit" is never re-armed.
// - The configuration file holds one "name value" line per saved variable, ANSI with CR LF; "//" starts a
//   comment. Lines for names not registered yet wait and are applied when the name is registered. A save
//   replaces the old file only once the new one is completely written; a failure is logged, not thrown.
// - A saved string variable accepts only values that read back unchanged from the file: no "//", no two
//   backslashes in a row, no two blanks in a row, no line break or NUL, no white space at either end, and
//   not empty unless its default is empty. SetValueText and Execute refuse any other value (the variable
//   keeps its value) and log a warning. Defaults are not checked.
// - Main thread only.

#include "engine/core/ConfigVariable.h"
#include "engine/core/EngineSettings.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace VantoranEngine {

class FileManager;
class MemoryManager;
class MessageManager;

// Results of Config::Execute.
enum ConfigExecuteResult : int {
    ExecuteDone = 0,
    ExecuteNoValue = 3,      // the variable exists but the line gave no value
    ExecuteUnknown = 4,      // no such name, or the name is unbound
    ExecuteEmpty = 5,        // nothing but white space and backslashes
    ExecuteRefused = 6,      // a saved string variable refused a value that could not be saved
};

class Config {
public:
    // configName empty means "Vantoran Engine"; configDirectory empty means the file manager's data folder.
    // videoMode empty means "800x600x32" and then forceVideoMode is ignored. The force flags make Load
    // reset v_mode and v_fullscreen to their defaults after reading the file.
    Config(MessageManager* log, MemoryManager* memory, FileManager* files, const std::string& configName,
           const std::string& configDirectory, const std::string& videoMode, bool forceVideoMode,
           bool forceFullscreen, bool fullscreenDefault);
    virtual ~Config();

    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // Resets every variable to its default, then runs every line of the configuration file. A missing or
    // unreadable file is normal and leaves the defaults.
    void Load();
    // Writes every saved variable, bound or not, in name order. Logs a failure; never throws.
    void Save();

    // Binds a name to storage (null for a command) and writes the default into it, then the value a waiting
    // configuration line gives. A name that is bound already keeps its first binding; an unbound one takes
    // the new storage and gets back its kept value (its type, default, archive and track stay as first
    // registered).
    void Register(const std::string& defaultText, const std::string& name, ConfigType type, bool archive,
                  void* storage, bool track);
    void Unregister(const std::string& name);

    // Runs one line: "name value" sets a variable, "name" alone asks for it (ExecuteNoValue), a command's
    // name fires it whatever follows. outName, when given, receives the lower-cased name.
    int Execute(const std::string& line, std::string* outName = nullptr);

    void SetCommandReady(const std::string& name, bool ready);
    bool IsCommandReady(const std::string& name) const;        // false for an unknown or unbound name
    bool IsChanged(const std::string& name) const;             // false for an unknown name

    // Converts text into a bound variable's storage: int and bool through a decimal integer (saturating to
    // 32 bits; a bool is set when it is not 0), float through a decimal number, string unchanged. False when
    // nothing was written: a command, an unknown or unbound name, or a refused string.
    bool SetValueText(const std::string& name, const std::string& text);
    // int in plain decimal, float with six decimals, bool "1" or "0", string as is; an unbound variable gives
    // its kept text; a command or an unknown name gives "".
    std::string GetValueText(const std::string& name) const;
    void ResetToDefault(const std::string& name);
    std::string GetDefaultText(const std::string& name) const;
    void ResetAll();

    // Start of frame: serves "reset_config" and marks tracked variables whose value changed.
    void Update();
    // End of frame: clears every changed flag.
    void EndFrame();

    // Replaces the list with the names of all bound records, in name order.
    void GetNames(std::vector<std::string>& names) const;

    // "<width>x<height>x<bits>" ('x' or 'X'), each part a decimal number (no leading digits gives 0).
    // Fewer than two separators give 640, 480, 16. Any out pointer may be null.
    static void ParseVideoMode(const std::string& text, uint32_t* width, uint32_t* height, uint32_t* bits);

    // The configuration file as handed to the file manager.
    const std::string& GetPath() const { return path; }

    EngineSettings settings;

private:
    ConfigVariable* Find(const std::string& lowerName);
    const ConfigVariable* Find(const std::string& lowerName) const;
    std::string ValueText(const ConfigVariable& variable) const;
    // Writes text into a bound variable's storage without the save check.
    static void WriteValue(ConfigVariable& variable, const std::string& text);
    // Writes text through the save check; false (and a warning) when a saved string refuses it.
    bool SetChecked(const std::string& lowerName, ConfigVariable& variable, const std::string& text);

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    std::string path;
    std::map<std::string, ConfigVariable> variables;
    std::map<std::string, std::string> pendingLines;   // lower-cased name -> the first file line for it
    bool forceVideoMode;
    bool forceFullscreen;
};

} // namespace VantoranEngine
