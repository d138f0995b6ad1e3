#include "engine/core/Config.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "platform/os/CodePage.h"
#include "platform/os/Numbers.h"

#include <cmath>
#include <memory>

namespace VantoranEngine {

namespace {

const char* const kDefaultConfigName = "Vantoran Engine";
const char* const kDefaultVideoMode = "800x600x32";
bool IsSpace(char c)
{
    return Platform::IsSpaceByte(static_cast<unsigned char>(c));
}

const double kFloatTolerance = 0.0001;   // smaller float changes are not reported by Update

// Whether a string value comes back unchanged from a "name value" line of the configuration file: the line
// reader cuts at "//" and at line ends, and the line parser trims, removes pairs of blanks and stops the
// value at two backslashes.
bool SurvivesReload(const std::string& text, const std::string& defaultText)
{
    if (text.empty())
        return defaultText.empty();
    if (IsSpace(text.front()) || IsSpace(text.back()))
        return false;
    for (const char* bad : {"//", "\\\\", "  ", "\r", "\n"}) {
        if (text.find(bad) != std::string::npos)
            return false;
    }
    return text.find('\0') == std::string::npos;
}

} // namespace

Config::Config(MessageManager* log, MemoryManager* memory, FileManager* files, const std::string& configName,
               const std::string& configDirectory, const std::string& videoMode, bool forceVideoMode,
               bool forceFullscreen, bool fullscreenDefault)
    : log(log), memory(memory), files(files), forceVideoMode(forceVideoMode), forceFullscreen(forceFullscreen)
{
    path = (configName.empty() ? std::string(kDefaultConfigName) : configName) + ".ini";
    if (!configDirectory.empty())
        path = configDirectory + "\\" + path;

    std::string modeDefault = videoMode;
    if (modeDefault.empty()) {
        modeDefault = kDefaultVideoMode;
        this->forceVideoMode = false;
    }

    EngineSettings& s = settings;
    Register("", "reset_config", ConfigType::Command, false, nullptr, false);
    Register(modeDefault, "v_mode", ConfigType::String, true, &s.v_mode, false);
    Register(fullscreenDefault ? "1" : "0", "v_fullscreen", ConfigType::Bool, true, &s.v_fullscreen, false);
    Register("1", "v_vsync", ConfigType::Bool, true, &s.v_vsync, false);
    Register("1.0", "v_brightness", ConfigType::Float, true, &s.v_brightness, false);
    Register("1.0", "v_contrast", ConfigType::Float, true, &s.v_contrast, false);
    Register("1.0", "v_gamma", ConfigType::Float, true, &s.v_gamma, false);
    Register("1", "r_use_mip_mapping", ConfigType::Bool, true, &s.r_use_mip_mapping, false);
    Register("0", "r_show_octree_nodes", ConfigType::Bool, true, &s.r_show_octree_nodes, false);
    Register("0", "r_show_faces_edges", ConfigType::Bool, true, &s.r_show_faces_edges, false);
    Register("0", "r_show_faces_normals", ConfigType::Bool, true, &s.r_show_faces_normals, false);
    Register("0", "r_show_mip_maps", ConfigType::Bool, true, &s.r_show_mip_maps, false);
    Register("1", "r_texture_anisotropy", ConfigType::Int, true, &s.r_texture_anisotropy, false);
    Register("0", "c_invert_mouse", ConfigType::Bool, true, &s.c_invert_mouse, false);
    Register("", "sc_take_screenshot", ConfigType::Command, false, nullptr, false);
    Register("", "sc_take_screenshot_tga", ConfigType::Command, false, nullptr, false);
    Register("", "sc_take_screenshot_jpg", ConfigType::Command, false, nullptr, false);
    Register("0", "sc_take_screenshot_format", ConfigType::Int, true, &s.sc_take_screenshot_format, false);
    Register("", "sc_start_movie_record", ConfigType::Command, false, nullptr, false);
    Register("", "sc_stop_movie_record", ConfigType::Command, false, nullptr, false);
    Register("", "exit", ConfigType::Command, false, nullptr, false);
}

Config::~Config() = default;

ConfigVariable* Config::Find(const std::string& lowerName)
{
    auto it = variables.find(lowerName);
    return it == variables.end() ? nullptr : &it->second;
}

const ConfigVariable* Config::Find(const std::string& lowerName) const
{
    auto it = variables.find(lowerName);
    return it == variables.end() ? nullptr : &it->second;
}

void Config::Load()
{
    ResetAll();
    pendingLines.clear();

    try {
        std::unique_ptr<FileTextual> file(files->OpenTextual(path, false));
        std::string line;
        while (file->ReadString(line, false)) {
            std::string name;
            if (Execute(line, &name) == ExecuteUnknown)
                pendingLines.try_emplace(name, line);   // the first line for a name is kept
        }
    } catch (const FileError&) {
        // A missing file is normal; lines already run keep their effect.
    }

    if (forceVideoMode)
        ResetToDefault("v_mode");
    if (forceFullscreen)
        ResetToDefault("v_fullscreen");
}

void Config::Save()
{
    try {
        std::unique_ptr<FileTextual> file(files->OpenTextual(path, true));
        for (const auto& [name, variable] : variables) {
            if (!variable.archive || variable.type == ConfigType::Command)
                continue;
            file->WriteString(name + " " + ValueText(variable));
            file->WriteNewLine();
        }
        file->Close();
    } catch (const FileError& error) {
        log->LogError(error.message);
    }
}

void Config::Register(const std::string& defaultText, const std::string& name, ConfigType type, bool archive,
                      void* storage, bool track)
{
    const std::string key = ToLowerCopy(name);
    if (ConfigVariable* existing = Find(key)) {
        if (!existing->unbound)
            return;
        existing->storage = storage;
        existing->unbound = false;
        existing->changed = existing->track;
        if (existing->type != ConfigType::Command)
            WriteValue(*existing, existing->keptText);
        return;
    }

    ConfigVariable variable;
    variable.type = type;
    variable.archive = archive;
    variable.storage = storage;
    variable.defaultText = defaultText;
    variable.ready = type == ConfigType::Command;
    variable.track = track;
    variable.changed = track;
    variables.emplace(key, std::move(variable));
    ResetToDefault(key);

    auto pending = pendingLines.find(key);
    if (pending != pendingLines.end()) {
        const std::string line = pending->second;
        pendingLines.erase(pending);
        Execute(line);
    }
}

void Config::Unregister(const std::string& name)
{
    ConfigVariable* variable = Find(ToLowerCopy(name));
    if (!variable || variable->unbound)
        return;
    variable->keptText = ValueText(*variable);
    variable->unbound = true;
}

int Config::Execute(const std::string& line, std::string* outName)
{
    std::string localName;
    std::string& name = outName ? *outName : localName;
    name.clear();

    std::string text = line;
    TrimLeft(text);
    TrimRight(text);
    TrimLeadingBackslashes(text);
    RemoveAll(text, "  ");
    if (text.empty())
        return ExecuteEmpty;

    size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (IsSpace(c) || c == '\\') {
            if (!name.empty())
                break;
            continue;
        }
        name += c;
    }
    ToLower(name);

    ConfigVariable* variable = Find(name);
    if (!variable || variable->unbound)
        return ExecuteUnknown;

    if (variable->type == ConfigType::Command) {
        variable->ready = false;
        return ExecuteDone;
    }

    std::string value = text.substr(pos);
    const size_t comment = value.find("\\\\");
    if (comment != std::string::npos)
        value.erase(comment);
    TrimLeft(value);
    TrimRight(value);
    if (value.empty())
        return ExecuteNoValue;

    return SetChecked(name, *variable, value) ? ExecuteDone : ExecuteRefused;
}

void Config::SetCommandReady(const std::string& name, bool ready)
{
    ConfigVariable* variable = Find(name);
    if (variable && !variable->unbound)
        variable->ready = ready;
}

bool Config::IsCommandReady(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLowerCopy(name));
    return variable && !variable->unbound && variable->ready;
}

bool Config::IsChanged(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLowerCopy(name));
    return variable && variable->changed;
}

bool Config::SetValueText(const std::string& name, const std::string& text)
{
    const std::string key = ToLowerCopy(name);
    ConfigVariable* variable = Find(key);
    if (!variable || variable->unbound || variable->type == ConfigType::Command)
        return false;
    return SetChecked(key, *variable, text);
}

bool Config::SetChecked(const std::string& lowerName, ConfigVariable& variable, const std::string& text)
{
    if (variable.type == ConfigType::String && variable.archive && !SurvivesReload(text, variable.defaultText)) {
        log->LogWarning(lowerName + " keeps its value: \"" + text +
                        "\" could not be read back from the configuration file");
        return false;
    }
    WriteValue(variable, text);
    return true;
}

void Config::WriteValue(ConfigVariable& variable, const std::string& text)
{
    switch (variable.type) {
    case ConfigType::Int:
        *static_cast<int32_t*>(variable.storage) = Platform::StringToInt(text);
        break;
    case ConfigType::Float:
        *static_cast<float*>(variable.storage) = StringToFloat(text);
        break;
    case ConfigType::Bool:
        *static_cast<bool*>(variable.storage) = StringToBool(text);
        break;
    case ConfigType::String:
        *static_cast<std::string*>(variable.storage) = text;
        break;
    case ConfigType::Command:
        break;
    }
}

std::string Config::ValueText(const ConfigVariable& variable) const
{
    if (variable.unbound)
        return variable.keptText;
    switch (variable.type) {
    case ConfigType::Int:
        return IntToString(0, *static_cast<const int32_t*>(variable.storage));
    case ConfigType::Float:
        return FloatToString(*static_cast<const float*>(variable.storage), 6);
    case ConfigType::Bool:
        return BoolToString(*static_cast<const bool*>(variable.storage));
    case ConfigType::String:
        return *static_cast<const std::string*>(variable.storage);
    case ConfigType::Command:
        break;
    }
    return std::string();
}

std::string Config::GetValueText(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLowerCopy(name));
    return variable ? ValueText(*variable) : std::string();
}

void Config::ResetToDefault(const std::string& name)
{
    ConfigVariable* variable = Find(ToLowerCopy(name));
    if (!variable || variable->unbound)
        return;
    WriteValue(*variable, variable->defaultText);
    variable->ready = variable->type == ConfigType::Command;
}

std::string Config::GetDefaultText(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLowerCopy(name));
    return variable ? variable->defaultText : std::string();
}

void Config::ResetAll()
{
    for (auto& entry : variables)
        ResetToDefault(entry.first);
}

void Config::Update()
{
    if (!IsCommandReady("reset_config")) {
        SetCommandReady("reset_config", true);
        ResetAll();
    }

    for (auto& entry : variables) {
        ConfigVariable& v = entry.second;
        if (!v.track || v.unbound)
            continue;
        switch (v.type) {
        case ConfigType::Int: {
            const int32_t value = *static_cast<const int32_t*>(v.storage);
            if (value != v.shadowInt) {
                v.changed = true;
                v.shadowInt = value;
            }
            break;
        }
        case ConfigType::Float: {
            const float value = *static_cast<const float*>(v.storage);
            if (std::fabs(value - v.shadowFloat) > kFloatTolerance) {
                v.changed = true;
                v.shadowFloat = value;
            }
            break;
        }
        case ConfigType::Bool: {
            const bool value = *static_cast<const bool*>(v.storage);
            if (value != v.shadowBool) {
                v.changed = true;
                v.shadowBool = value;
            }
            break;
        }
        case ConfigType::String: {
            const std::string& value = *static_cast<const std::string*>(v.storage);
            if (value != v.shadowString) {
                v.changed = true;
                v.shadowString = value;
            }
            break;
        }
        case ConfigType::Command:
            break;
        }
    }
}

void Config::EndFrame()
{
    for (auto& entry : variables)
        entry.second.changed = false;
}

void Config::GetNames(std::vector<std::string>& names) const
{
    names.clear();
    for (const auto& [name, variable] : variables) {
        if (!variable.unbound)
            names.push_back(name);
    }
}

void Config::ParseVideoMode(const std::string& text, uint32_t* width, uint32_t* height, uint32_t* bits)
{
    const size_t first = text.find_first_of("xX");
    const size_t second = first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);

    uint32_t w = 640;
    uint32_t h = 480;
    uint32_t b = 16;
    if (second != std::string::npos) {
        w = Platform::StringToUInt(text.substr(0, first));
        h = Platform::StringToUInt(text.substr(first + 1, second - first - 1));
        b = Platform::StringToUInt(text.substr(second + 1));
    }
    if (width)
        *width = w;
    if (height)
        *height = h;
    if (bits)
        *bits = b;
}

} // namespace VantoranEngine
