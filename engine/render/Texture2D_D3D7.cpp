#include "engine/render/Texture2D_D3D7.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/D3D7.h"

#include <cstring>

namespace VantoranEngine {

using namespace Platform;

namespace {

const char* const tag = "Texture2D_D3D7::CreateSurface";

struct FormatSearch {
    DWORD bits;
    bool found = false;
    DDPIXELFORMAT format{};
};

HRESULT EnumTextureFormatsCallback(DDPIXELFORMAT* format, void* context)
{
    FormatSearch* search = static_cast<FormatSearch*>(context);
    constexpr DWORD refused = DDPF_FOURCC | DDPF_LUMINANCE | DDPF_BUMPLUMINANCE | DDPF_BUMPDUDV;
    const bool alpha = (format->dwFlags & DDPF_ALPHAPIXELS) != 0;
    if (format->dwRGBBitCount != search->bits || (format->dwFlags & refused) != 0 ||
        format->dwRGBAlphaBitMask == 0xF000 || alpha != (search->bits == 32))
        return D3DENUMRET_OK;
    search->format = *format;
    search->found = true;
    return D3DENUMRET_CANCEL;
}

uint32_t BitCount(DWORD mask)
{
    uint32_t count = 0;
    for (; mask != 0; mask &= mask - 1)
        ++count;
    return count;
}

uint32_t LowestBit(DWORD mask)
{
    uint32_t bit = 0;
    while (bit < 32 && !(mask & (1u << bit)))
        ++bit;
    return bit;
}

// Where an 8-bit component goes in a mask, worked out once per surface rather than once per pixel: the
// component is shifted right to the mask's width (or left when the mask is wider than 8 bits), then up to
// the mask's lowest bit. A zero mask (no such component) gives 0.
struct ChannelPlacement {
    DWORD mask = 0;
    uint32_t narrow = 0; // right shift to the mask's width
    uint32_t widen = 0;  // left shift when the mask has more than 8 bits
    uint32_t lowest = 0;

    explicit ChannelPlacement(DWORD m) : mask(m)
    {
        if (mask == 0)
            return;
        const uint32_t bits = BitCount(mask);
        narrow = bits >= 8 ? 0 : 8 - bits;
        widen = bits >= 8 ? bits - 8 : 0;
        lowest = LowestBit(mask);
    }

    DWORD Place(uint8_t component) const
    {
        if (mask == 0)
            return 0;
        return (((DWORD{component} >> narrow) << widen) << lowest) & mask;
    }

    // The component back from a placed value: placing it again gives the same bits.
    uint8_t Take(DWORD value) const
    {
        if (mask == 0)
            return 255;
        return static_cast<uint8_t>((((value & mask) >> lowest) >> widen) << narrow);
    }
};

// Logs a failed result with the tag; true on success.
bool Succeeded(RenderSystem_D3D7* renderSystem, HRESULT result)
{
    renderSystem->CheckResult(tag, result);
    return result >= 0;
}

} // namespace

Texture2D_D3D7::Texture2D_D3D7(RenderSystem_D3D7* device, const std::string& key, Image* image, bool withMipMaps)
    : Texture2D(key, device->config, device->log, device->memory, withMipMaps), renderSystem(device)
{
    CreateSurface(image);
    renderSystem->AddTexture(this);
}

Texture2D_D3D7::~Texture2D_D3D7()
{
    if (surface != nullptr)
        surface->Release();
    surface = nullptr;
    levelImages.clear();
    renderSystem->RemoveTexture(this); // also unbinds it from every texture unit
}

uint32_t Texture2D_D3D7::TextureSide(uint32_t size, uint32_t limit)
{
    uint32_t lower = 1;
    while (lower * 2 <= size && lower < 0x80000000u)
        lower *= 2;
    uint32_t side = lower;
    if (size > lower) {
        const uint32_t upper = lower * 2;
        side = size - lower < upper - size ? lower : upper;
    }
    return limit != 0 && side > limit ? limit : side;
}

void Texture2D_D3D7::ReleaseSurface()
{
    if (surface == nullptr)
        return;
    ReadBackLevels();
    surface->Release();
    surface = nullptr;
}

bool Texture2D_D3D7::ReadBackLevels()
{
    if (surface == nullptr || !levelImages.empty())
        return true;
    const char* const readTag = "Texture2D_D3D7::ReadBackLevels";
    IDirectDrawSurface7* levelSurface = surface;
    levelSurface->AddRef();
    bool read = true;
    while (levelSurface != nullptr && read) {
        DDSURFACEDESC2 locked{};
        locked.dwSize = sizeof(locked);
        HRESULT result;
        do
            result = levelSurface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
        while (result == DDERR_WASSTILLDRAWING);
        renderSystem->CheckResult(readTag, result);
        read = result >= 0 && locked.lpSurface != nullptr;
        if (read) {
            const DDPIXELFORMAT& format = locked.ddpfPixelFormat;
            const ChannelPlacement red(format.dwRBitMask), green(format.dwGBitMask), blue(format.dwBBitMask),
                alpha(format.dwRGBAlphaBitMask);
            const bool wide = format.dwRGBBitCount == 32;
            auto level = std::make_unique<Image>();
            level->Create(log, memory, locked.dwWidth, locked.dwHeight, levelBits, false);
            const uint32_t step = level->BytesPerPixel();
            for (uint32_t y = 0; y < locked.dwHeight; ++y) {
                const uint8_t* row =
                    static_cast<const uint8_t*>(locked.lpSurface) + static_cast<ptrdiff_t>(y) * locked.lPitch;
                uint8_t* p = level->Pixel(0, y);
                for (uint32_t x = 0; x < locked.dwWidth; ++x, p += step) {
                    DWORD value = 0;
                    if (wide) {
                        std::memcpy(&value, row + size_t{x} * 4, 4);
                    } else {
                        uint16_t narrow = 0;
                        std::memcpy(&narrow, row + size_t{x} * 2, 2);
                        value = narrow;
                    }
                    p[0] = red.Take(value);
                    p[1] = green.Take(value);
                    p[2] = blue.Take(value);
                    if (step == 4)
                        p[3] = alpha.Take(value);
                }
            }
            renderSystem->CheckResult(readTag, levelSurface->Unlock(nullptr));
            levelImages.push_back(std::move(level));
        }
        IDirectDrawSurface7* next = nullptr;
        if (read && mipMapping) {
            DDSCAPS2 caps{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, 0};
            if (levelSurface->GetAttachedSurface(&caps, &next) < 0)
                next = nullptr; // the last level
        }
        levelSurface->Release();
        levelSurface = next;
    }
    if (levelSurface != nullptr)
        levelSurface->Release();
    if (!read) {
        levelImages.clear();
        log->LogError("Texture \"" + name + "\": its levels could not be read back");
    }
    return read;
}

void Texture2D_D3D7::CreateSurface(Image* image)
{
    if (surface != nullptr)
        return;
    byteSize = 0;
    const Image* source = image != nullptr ? image : levelImages.empty() ? nullptr : levelImages[0].get();
    if (source == nullptr || source->empty)
        return;
    IDirectDraw7* directDraw = renderSystem->directDraw;
    IDirect3DDevice7* device = renderSystem->device;
    if (directDraw == nullptr || device == nullptr)
        return;

    width = TextureSide(source->width, renderSystem->maxTextureWidth);
    height = TextureSide(source->height, renderSystem->maxTextureHeight);
    const uint32_t bits = source->bitsPerPixel == 8 ? 24 : source->bitsPerPixel;
    const uint32_t bytesPerPixel = bits / 8;

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
    desc.dwTextureStage = 0;
    if (mipMapping) {
        uint32_t levels = 1;
        for (uint32_t side = width > height ? width : height; side > 1; side /= 2)
            ++levels;
        desc.dwFlags |= DDSD_MIPMAPCOUNT;
        desc.dwMipMapCount = levels;
        desc.ddsCaps.dwCaps |= DDSCAPS_MIPMAP | DDSCAPS_COMPLEX;
    }
    const DeviceInfo* chosen = renderSystem->chosenDriver != nullptr ? renderSystem->chosenDriver->chosenDevice : nullptr;
    if (chosen != nullptr && chosen->hardware)
        desc.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
    else
        desc.ddsCaps.dwCaps |= DDSCAPS_SYSTEMMEMORY;

    FormatSearch search{32};
    Succeeded(renderSystem, device->EnumTextureFormats(EnumTextureFormatsCallback, &search));
    if (!search.found) {
        search = FormatSearch{16};
        Succeeded(renderSystem, device->EnumTextureFormats(EnumTextureFormatsCallback, &search));
    }
    if (!search.found)
        log->LogFatalError("Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    desc.ddpfPixelFormat = search.format;

    // Level 0 is kept before the surface is made, so a failed build can be retried from it. A source that
    // needs no resizing, no conversion and no further levels is read as it is, and copied only on failure.
    const bool direct = levelImages.empty() && !mipMapping && source->width == width && source->height == height &&
                        source->bitsPerPixel == bits;
    if (levelImages.empty() && !direct) {
        auto level = std::make_unique<Image>();
        level->Resample(*source, width, height, 1, false);
        level->Convert(bits);
        levelImages.push_back(std::move(level));
    }
    levelBits = bits;
    auto keepSource = [this, direct, source] {
        if (!direct)
            return;
        auto level = std::make_unique<Image>();
        level->CopyFrom(*source, false);
        levelImages.push_back(std::move(level));
    };

    IDirectDrawSurface7* created = nullptr;
    if (!Succeeded(renderSystem, directDraw->CreateSurface(&desc, &created, nullptr)) || created == nullptr) {
        keepSource();
        return;
    }

    const DDPIXELFORMAT& format = search.format;
    const bool wide = format.dwRGBBitCount == 32;
    IDirectDrawSurface7* levelSurface = created;
    uint32_t levelWidth = width;
    uint32_t levelHeight = height;
    uint32_t builtBytes = 0;
    for (size_t i = 0;; ++i) {
        if (!direct && i >= levelImages.size()) {
            auto level = std::make_unique<Image>();
            level->Resample(*levelImages[i - 1], levelWidth, levelHeight, 3, false);
            if (i == 1 && settings != nullptr && settings->r_show_mip_maps)
                level->Fill(Color{1.0f, 0.0f, 0.0f, 1.0f});
            levelImages.push_back(std::move(level));
        }
        const Image& level = direct ? *source : *levelImages[i];

        DDSURFACEDESC2 stagingDesc{};
        stagingDesc.dwSize = sizeof(stagingDesc);
        stagingDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
        stagingDesc.dwWidth = levelWidth;
        stagingDesc.dwHeight = levelHeight;
        stagingDesc.ddpfPixelFormat = format;
        stagingDesc.ddsCaps.dwCaps = DDSCAPS_TEXTURE | DDSCAPS_SYSTEMMEMORY;
        IDirectDrawSurface7* staging = nullptr;
        bool built = Succeeded(renderSystem, directDraw->CreateSurface(&stagingDesc, &staging, nullptr)) &&
                     staging != nullptr;
        if (built) {
            DDSURFACEDESC2 locked{};
            locked.dwSize = sizeof(locked);
            HRESULT result;
            do
                result = staging->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
            while (result == DDERR_WASSTILLDRAWING);
            built = Succeeded(renderSystem, result) && locked.lpSurface != nullptr;
            if (built) {
                const uint32_t step = level.BytesPerPixel();
                const ChannelPlacement red(format.dwRBitMask), green(format.dwGBitMask), blue(format.dwBBitMask),
                    alpha(format.dwRGBAlphaBitMask);
                const uint32_t columns = levelWidth < level.width ? levelWidth : level.width;
                // The usual 32-bit layout (8 bits each, red highest below alpha) needs no shifts worked out.
                const bool plain32 = wide && format.dwRBitMask == 0x00FF0000 && format.dwGBitMask == 0x0000FF00 &&
                                     format.dwBBitMask == 0x000000FF &&
                                     (format.dwRGBAlphaBitMask == 0xFF000000 || format.dwRGBAlphaBitMask == 0);
                const DWORD alphaBits = format.dwRGBAlphaBitMask;
                for (uint32_t y = 0; y < levelHeight && y < level.height; ++y) {
                    uint8_t* row = static_cast<uint8_t*>(locked.lpSurface) + static_cast<ptrdiff_t>(y) * locked.lPitch;
                    const uint8_t* p = level.Pixel(0, y);
                    if (plain32) {
                        for (uint32_t x = 0; x < columns; ++x, p += step) {
                            const DWORD a = step == 4 ? p[3] : 255;
                            const DWORD value = (DWORD{p[0]} << 16 | DWORD{p[1]} << 8 | p[2] | a << 24) &
                                                (0x00FFFFFFu | alphaBits);
                            std::memcpy(row + size_t{x} * 4, &value, 4);
                        }
                        continue;
                    }
                    for (uint32_t x = 0; x < columns; ++x, p += step) {
                        const DWORD value = red.Place(p[0]) | green.Place(p[1]) | blue.Place(p[2]) |
                                            alpha.Place(step == 4 ? p[3] : 255);
                        if (wide) {
                            std::memcpy(row + size_t{x} * 4, &value, 4);
                        } else {
                            const uint16_t narrow = static_cast<uint16_t>(value);
                            std::memcpy(row + size_t{x} * 2, &narrow, 2);
                        }
                    }
                }
                Succeeded(renderSystem, staging->Unlock(nullptr));
                built = Succeeded(renderSystem, levelSurface->Blt(nullptr, staging, nullptr, DDBLT_WAIT, nullptr));
            }
            staging->Release();
        }
        if (!built) {
            created->Release();
            byteSize = 0;
            keepSource();
            return;
        }
        builtBytes += bytesPerPixel * levelWidth * levelHeight;
        if (!mipMapping || (levelWidth == 1 && levelHeight == 1))
            break;
        DDSCAPS2 caps{DDSCAPS_TEXTURE | DDSCAPS_MIPMAP, 0};
        IDirectDrawSurface7* next = nullptr;
        if (!Succeeded(renderSystem, levelSurface->GetAttachedSurface(&caps, &next)) || next == nullptr) {
            created->Release();
            byteSize = 0;
            return;
        }
        next->Release(); // the chain keeps it alive
        levelSurface = next;
        levelWidth = levelWidth > 1 ? levelWidth / 2 : 1;
        levelHeight = levelHeight > 1 ? levelHeight / 2 : 1;
    }
    surface = created;
    byteSize = builtBytes;
    // The surface holds every level now: a second copy would only wait for a reset, which reads them back.
    levelImages.clear();
}

} // namespace VantoranEngine
