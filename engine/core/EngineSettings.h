#pragma once
// Storage of the engine's own console variables. Config registers each field under its own name and keeps
// it up to date; the main window, the input, the render system and the screen capture read the fields
// directly through their Config pointer. Values are only meaningful once Config is constructed.

#include <cstdint>
#include <string>

namespace VantoranEngine {

struct EngineSettings {
    std::string v_mode;          // "<width>x<height>x<bits>", see Config::ParseVideoMode
    bool v_fullscreen = false;
    bool v_vsync = false;
    float v_brightness = 0.0f;
    float v_contrast = 0.0f;
    float v_gamma = 0.0f;
    bool r_use_mip_mapping = false;
    bool r_show_octree_nodes = false;
    bool r_show_faces_edges = false;
    bool r_show_faces_normals = false;
    bool r_show_mip_maps = false;
    int32_t r_texture_anisotropy = 0;
    bool c_invert_mouse = false;
    int32_t sc_take_screenshot_format = 0;
};

} // namespace VantoranEngine
