#pragma once
// Screenshots and AVI movies of what the game last presented, driven by console commands.
//
// Rules:
// - Config registers the commands "sc_take_screenshot", "sc_take_screenshot_tga", "sc_take_screenshot_jpg",
//   "sc_start_movie_record", "sc_stop_movie_record" and the variable "sc_take_screenshot_format" (0 TGA,
//   1 JPEG); this class polls and re-arms them once per frame in Update, after the frame was presented.
// - Every capture goes to one folder, fixed at construction: "ScreenCaptures" under the folder given to the
//   constructor (made absolute). It is created before each write, and free names are looked for in it:
//   "pictureNNN.tga|jpg" and "movieNNN.avi", NNN from 000 to 999; with all 1000 taken, 999 is reused.
// - A screenshot is the last presented frame as a 24-bit TGA or a JPEG at quality 85. A movie is a motion
//   JPEG AVI declaring 33 frames per second, one movie frame per engine frame; a frame that takes a
//   screenshot adds no movie frame.
// - Failures are logged and never thrown: a failed grab saves nothing and stops a movie; a failed AVI
//   set-up or write stops the movie.
// - Each grabbed frame is freed as soon as it has been saved or written.
// - Main thread only (the grab reads back from the render device).

#include "platform/avi/Avi.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace VantoranEngine {

class Config;
class FileManager;
class Image;
class MemoryManager;
class MessageManager;

class ScreenCapture {
public:
    // Reads back the last presented frame: width × height pixels of 4 bytes (blue, green, red, unused),
    // bottom row first. False when there is no frame.
    using FrameGrabber = std::function<bool(uint32_t& width, uint32_t& height, std::vector<uint8_t>& pixels)>;

    // userFolder: the folder that holds "ScreenCaptures"; empty means the file manager's base folder, a
    // relative one is taken under it. grabber: null reads back from the render device.
    ScreenCapture(MessageManager* log, MemoryManager* memory, FileManager* files, Config* config,
                  const std::string& userFolder, FrameGrabber grabber = nullptr);
    // Finishes a running movie.
    virtual ~ScreenCapture();

    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    // Once per frame, at the end of the frame.
    void Update();

    // The absolute folder every capture goes to.
    const std::string& GetFolder() const { return folder; }
    // The name last chosen for a screenshot or a movie (absolute), or "".
    const std::string& GetFileName() const { return fileName; }
    bool IsRecording() const { return recording; }
    // The number of the next movie frame.
    uint32_t GetFrameCounter() const { return frameCounter; }
    // Bytes of grabbed frame still held; 0 between frames.
    size_t GetHeldFrameSize() const { return framePixels.capacity(); }

private:
    // The first free "<stem>NNN.<extension>" in the folder.
    std::string ChooseName(const std::string& stem, const std::string& extension) const;
    void StartMovie();
    void StopMovie();
    // Grabs into the held frame and, when given, into image (24 bits, R, G, B). On failure logs, frees the
    // frame, stops a movie and answers false.
    bool CaptureFrame(Image* image);
    void FreeFrame();
    bool Fired(const char* command);

    MessageManager* log;
    MemoryManager* memory;
    FileManager* files;
    Config* config;
    FrameGrabber grabber;
    std::string folder;
    bool movieSupported = true;
    bool screenshotPending = false;
    int32_t screenshotFormat = 0;   // 0 TGA, 1 JPEG, anything else: no file
    std::string fileName;
    bool recording = false;
    uint32_t frameCounter = 0;
    Platform::AVISTREAMINFOA streamInfo{};
    Platform::PAVIFILE aviFile = nullptr;
    Platform::PAVISTREAM aviStream = nullptr;
    Platform::BITMAPINFOHEADER frameHeader{};
    std::vector<uint8_t> framePixels;
};

} // namespace VantoranEngine
