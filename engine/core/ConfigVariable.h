#pragma once
// One console variable or command as Config keeps it.

#include <cstdint>
#include <string>

namespace VantoranEngine {

// The storage a variable is bound to: Int an int32_t, Float a float, Bool a bool, String a std::string;
// a command has none.
enum class ConfigType : int32_t {
    Int = 0,
    Float = 1,
    Bool = 2,
    String = 3,
    Command = 4,
};

struct ConfigVariable {
    ConfigType type = ConfigType::Int;
    bool archive = false;        // written by Config::Save
    void* storage = nullptr;     // the owner's value; null for a command
    std::string defaultText;     // empty for a command
    bool ready = false;          // commands: true while idle, false once fired
    bool track = false;          // compared with the shadow values once per frame
    int32_t shadowInt = 0;       // last values Config::Update saw, by type
    float shadowFloat = 0.0f;
    bool shadowBool = false;
    std::string shadowString;
    bool changed = false;        // set in a frame in which a tracked value changed; cleared by Config::EndFrame
    bool unbound = false;        // set by Config::Unregister until the name is registered again
    std::string keptText;        // the value as text while unbound
};

} // namespace VantoranEngine
