#pragma once
// The start-up record the whole-engine tests share: an 800x600 windowed engine whose data, log and
// configuration live in temporary folders.

#include "engine/core/EngineDescriptor.h"

#include <string>

inline VantoranEngine::EngineDescriptor TestEngineDescriptor(const std::string& dataFolder,
                                                             const std::string& userFolder)
{
    VantoranEngine::EngineDescriptor d;
    d.title = "Brindlemoor";
    d.version = 100;
    d.baseDirectory = dataFolder;
    d.configName = "Brindlemoor";
    d.logEnabled = true;
    d.logReopen = false;
    d.logDirectory = userFolder;
    d.configDirectory = userFolder;
    d.videoMode = "800x600x32";
    d.fullscreenDefault = false;
    return d;
}
