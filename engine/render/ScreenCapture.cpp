#include "engine/render/ScreenCapture.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Image.h"
#include "platform/d3d7/D3D7.h"
#include "platform/os/Path.h"

#include <cstring>
#include <filesystem>
#include <system_error>

namespace VantoranEngine {

namespace {

const char* const kFolderName = "ScreenCaptures";
constexpr int kMaxNumber = 999;
constexpr Platform::DWORD kMovieRate = 33;   // frames per second, one per engine frame
constexpr Platform::DWORD kMovieCodec = Platform::AVI_HANDLER_MJPG;
constexpr Platform::DWORD kLowestVideoVersion = 0x010A;

std::string MakeAbsolute(const std::string& name)
{
    if (Platform::IsAbsolutePath(name))
        return name;
    std::error_code error;
    const std::filesystem::path native = std::filesystem::absolute(Platform::ToNativePath(name), error);
    return error ? name : native.string();
}

} // namespace

ScreenCapture::ScreenCapture(MessageManager* log, MemoryManager* memory, FileManager* files, Config* config,
                             const std::string& userFolder, FrameGrabber grabber)
    : log(log), memory(memory), files(files), config(config), grabber(std::move(grabber))
{
    if (!this->grabber)
        this->grabber = Platform::ReadPresentedFrame;
    std::string root = userFolder;
    if (root.empty())
        root = files->GetBaseFolder();
    else if (!Platform::IsAbsolutePath(root) && !files->GetBaseFolder().empty())
        root = files->GetBaseFolder() + "\\" + root;
    folder = MakeAbsolute(root.empty() ? std::string(kFolderName) : root + "\\" + kFolderName);
    if ((Platform::VideoForWindowsVersion() >> 16) < kLowestVideoVersion)
        movieSupported = false;
}

ScreenCapture::~ScreenCapture()
{
    StopMovie();
}

bool ScreenCapture::Fired(const char* command)
{
    if (config->IsCommandReady(command))
        return false;
    config->SetCommandReady(command, true);
    return true;
}

void ScreenCapture::Update()
{
    int32_t& format = config->settings.sc_take_screenshot_format;
    if (format < 0)
        format = 0;

    if (Fired("sc_take_screenshot")) {
        screenshotPending = true;
        screenshotFormat = format;
    }
    if (Fired("sc_take_screenshot_tga")) {
        screenshotPending = true;
        screenshotFormat = 0;
    }
    if (Fired("sc_take_screenshot_jpg")) {
        screenshotPending = true;
        screenshotFormat = 1;
    }
    if (screenshotPending)
        fileName = ChooseName("picture", screenshotFormat == 0 ? "tga" : screenshotFormat == 1 ? "jpg" : "");
    if (Fired("sc_start_movie_record"))
        StartMovie();
    if (Fired("sc_stop_movie_record"))
        StopMovie();

    if (screenshotPending) {
        Image image;
        if (CaptureFrame(&image)) {
            FreeFrame();
            Platform::CreateDirectories(folder);
            (void)image.Save(files, fileName);   // a failed save is logged by the image
        }
        screenshotPending = false;
        return;
    }
    if (!recording)
        return;
    if (CaptureFrame(nullptr) && recording) {
        const Platform::HRESULT result =
            Platform::AVIStreamWrite(aviStream, Platform::LONG(frameCounter), 1, framePixels.data(),
                                     Platform::LONG(frameHeader.biSizeImage), Platform::AVIIF_KEYFRAME, nullptr,
                                     nullptr);
        if (result != Platform::AVIERR_OK) {
            log->LogError("Failed to write to avi stream");
            StopMovie();
        }
        FreeFrame();
        ++frameCounter;
    }
}

std::string ScreenCapture::ChooseName(const std::string& stem, const std::string& extension) const
{
    std::string name;
    for (int i = 0; i <= kMaxNumber; ++i) {
        name = folder + "\\" + stem + IntToString(3, i) + "." + extension;
        if (!FileManager::ExistsOnDisk(name))
            break;
    }
    return name;
}

void ScreenCapture::StartMovie()
{
    if (!movieSupported) {
        log->LogError("Video For Windiws version is too old");
        return;
    }
    if (recording) {
        log->LogError("AVI recording was already started");
        return;
    }
    fileName = ChooseName("movie", "avi");
    log->LogMessage("AVI recording is starting...");
    recording = true;
    frameCounter = 0;
    Platform::AVIFileInit();

    // The first grab gives the movie's size; when it fails the movie has already been stopped.
    if (!CaptureFrame(nullptr))
        return;

    bool created = false;
    Platform::CreateDirectories(folder);
    if (Platform::AVIFileOpenA(&aviFile, fileName.c_str(), Platform::OF_WRITE | Platform::OF_CREATE, nullptr) ==
        Platform::AVIERR_OK) {
        streamInfo = {};
        streamInfo.fccType = Platform::streamtypeVIDEO;
        streamInfo.fccHandler = kMovieCodec;
        streamInfo.dwScale = 1;
        streamInfo.dwRate = kMovieRate;
        streamInfo.dwSuggestedBufferSize = frameHeader.biSizeImage;
        streamInfo.rcFrame = {0, 0, frameHeader.biWidth, frameHeader.biHeight};
        if (Platform::AVIFileCreateStreamA(aviFile, &aviStream, &streamInfo) == Platform::AVIERR_OK &&
            Platform::AVIStreamSetFormat(aviStream, 0, &frameHeader, Platform::LONG(sizeof frameHeader)) ==
                Platform::AVIERR_OK)
            created = true;
    }
    FreeFrame();
    if (!created) {
        log->LogError("Failed to create avi stream");
        StopMovie();
    }
}

void ScreenCapture::StopMovie()
{
    if (!recording)
        return;
    recording = false;
    if (aviStream != nullptr) {
        Platform::AVIStreamRelease(aviStream);
        aviStream = nullptr;
    }
    if (aviFile != nullptr) {
        Platform::AVIFileRelease(aviFile);
        aviFile = nullptr;
    }
    Platform::AVIFileExit();
    log->LogMessage("AVI record finished");
}

bool ScreenCapture::CaptureFrame(Image* image)
{
    uint32_t width = 0;
    uint32_t height = 0;
    const bool grabbed = grabber(width, height, framePixels);
    if (!grabbed || width == 0 || height == 0 || framePixels.size() != size_t(width) * height * 4) {
        log->LogError("Failed to print image from screen");
        FreeFrame();
        StopMovie();
        return false;
    }
    frameHeader = {};
    frameHeader.biSize = sizeof frameHeader;
    frameHeader.biWidth = Platform::LONG(width);
    frameHeader.biHeight = Platform::LONG(height);   // positive: rows bottom-up
    frameHeader.biPlanes = 1;
    frameHeader.biBitCount = 32;
    frameHeader.biCompression = Platform::BI_RGB;
    frameHeader.biSizeImage = Platform::DWORD(framePixels.size());
    if (image != nullptr) {
        image->Create(log, memory, width, height, 32, true);
        std::memcpy(image->pixels, framePixels.data(), framePixels.size());
        image->Convert(24);
        image->SwapRedBlue();
    }
    return true;
}

void ScreenCapture::FreeFrame()
{
    std::vector<uint8_t>().swap(framePixels);
}

} // namespace VantoranEngine
