#pragma once
// The start-up record the game object fills and the Engine copies. The caller sets every field; the
// numbers and flags start at zero only so that a forgotten field is predictable.

#include <cstdint>
#include <string>

namespace VantoranEngine {

struct EngineDescriptor {
    std::string title;              // empty: "Vantoran Engine", and version becomes 67
    int32_t version = 0;            // times 100: 100 shows as 1.00
    std::string baseDirectory;      // data folder; empty: the program's folder
    bool saveConfig = false;        // ~Engine saves the configuration file first
    std::string configName;         // stem of the configuration file; empty: "Vantoran Engine"
    bool logEnabled = false;
    bool logReopen = false;         // close the log after every write, reopen to append
    std::string logDirectory;
    std::string logName;            // stem of the log file; empty: title
    std::string configDirectory;    // empty: the data folder
    std::string packDirectory;      // sub-folder of the data folder searched for "*.pak"; empty: the data folder
    uint32_t parentWindow = 0;      // 0 for a top-level main window
    int32_t iconId = 0;
    bool unusedFlag = false;        // carried and copied; the engine never reads it
    bool forceVideoMode = false;    // videoMode wins over the configuration file
    std::string videoMode;          // default of v_mode, "<width>x<height>x<bits>"; empty: "800x600x32"
    bool forceFullscreen = false;   // fullscreenDefault wins over the configuration file
    bool fullscreenDefault = false; // default of v_fullscreen
    bool sound3D = false;           // the sound device fetches the 3D listener
};

} // namespace VantoranEngine
