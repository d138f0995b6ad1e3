#include "framework/VideoMode.h"

#include "engine/core/StringUtils.h"

namespace GameFramework {

namespace {
constexpr int32_t defaultWidth = 800;
constexpr int32_t defaultHeight = 600;
}

VideoMode::VideoMode()
    : VideoMode(defaultWidth, defaultHeight)
{
}

VideoMode::VideoMode(int32_t width, int32_t height)
    : text(VantoranEngine::IntToString(0, width) + "x" + VantoranEngine::IntToString(0, height)),
      width(width),
      height(height)
{
}

} // namespace GameFramework
