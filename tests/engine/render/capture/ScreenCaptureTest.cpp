#include "engine/render/ScreenCapture.h"

#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Image.h"
#include "platform/avi/AviTest.h"
#include "platform/avi/AviParse.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// A 32 × 16 frame: the lower half blue, the upper half red, as the render device reads back (B, G, R, X).
constexpr uint32_t kWidth = 32;
constexpr uint32_t kHeight = 16;

class ScreenCaptureTest : public ::testing::Test {
protected:
    ScreenCaptureTest()
        : log("", "capture", "Capture", false, false), memory(&log),
          files(&log, &memory, base.Path(), ""),
          config(&log, &memory, &files, "Capture", base.Path(), "800x600x32", false, false, false)
    {
        Platform::AviTest::Reset();
        config.Load();
        log.ClearEntries();
    }
    ~ScreenCaptureTest() override { Platform::AviTest::Reset(); }

    std::unique_ptr<ScreenCapture> Make(const std::string& userFolder)
    {
        return std::make_unique<ScreenCapture>(&log, &memory, &files, &config, userFolder,
                                               [this](uint32_t& w, uint32_t& h, std::vector<uint8_t>& pixels) {
                                                   ++grabs;
                                                   if (!grabWorks)
                                                       return false;
                                                   w = kWidth;
                                                   h = kHeight;
                                                   pixels.assign(size_t(w) * h * 4, 0);
                                                   for (size_t i = 0; i < size_t(w) * h; ++i)
                                                       pixels[i * 4 + (i < size_t(w) * h / 2 ? 0 : 2)] = 255;
                                                   return true;
                                               });
    }

    void Fire(const std::string& command) { config.SetCommandReady(command, false); }

    std::vector<std::string> Lines()
    {
        std::vector<std::string> lines;
        for (const LogEntry& entry : log.TakeEntries())
            lines.push_back(entry.text);
        return lines;
    }
    bool Logged(const std::string& text)
    {
        for (const std::string& line : Lines())
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

    std::vector<std::string> FilesIn(const std::string& native) const
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(native, error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder base;   // the data folder
    TempFolder user;   // the user-data folder
    MessageManager log;
    MemoryManager memory;
    FileManager files;
    Config config;
    bool grabWorks = true;
    int grabs = 0;
};

} // namespace

TEST_F(ScreenCaptureTest, ScreenshotCommandsSaveTheFrameInTheChosenFormat)
{
    struct Case {
        std::vector<const char*> commands;
        int32_t format;            // sc_take_screenshot_format before the frame
        const char* file;          // expected single file, or "" for none
        int32_t formatAfter;
    };
    const Case cases[] = {
        {{"sc_take_screenshot"}, 0, "picture000.tga", 0},
        {{"sc_take_screenshot"}, 1, "picture000.jpg", 1},
        {{"sc_take_screenshot_tga"}, 1, "picture000.tga", 1},
        {{"sc_take_screenshot_jpg"}, 0, "picture000.jpg", 0},
        {{"sc_take_screenshot", "sc_take_screenshot_tga", "sc_take_screenshot_jpg"}, 0, "picture000.jpg", 0},
        {{"sc_take_screenshot"}, -3, "picture000.tga", 0},
        {{"sc_take_screenshot"}, 2, "", 2},   // no such format: the name ends in "." and nothing is saved
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commands.front()) + " format " + std::to_string(c.format));
        std::filesystem::remove_all(user / "ScreenCaptures");
        std::unique_ptr<ScreenCapture> capture = Make(user.Path());
        config.settings.sc_take_screenshot_format = c.format;
        for (const char* command : c.commands)
            Fire(command);
        capture->Update();
        EXPECT_EQ(config.settings.sc_take_screenshot_format, c.formatAfter);
        for (const char* command : c.commands)
            EXPECT_TRUE(config.IsCommandReady(command));   // re-armed
        EXPECT_EQ(grabs, 1);
        grabs = 0;
        EXPECT_EQ(capture->GetHeldFrameSize(), 0u);
        const std::vector<std::string> saved = FilesIn(user / "ScreenCaptures");
        if (*c.file == '\0') {
            EXPECT_TRUE(saved.empty());
            EXPECT_TRUE(Logged("image file type"));
            continue;
        }
        ASSERT_EQ(saved, std::vector<std::string>{c.file});
        EXPECT_EQ(capture->GetFileName(), capture->GetFolder() + "\\" + c.file);
        Image image;
        ASSERT_TRUE(image.Load(&log, &memory, &files, user / "ScreenCaptures/" + c.file));
        ASSERT_EQ(image.width, kWidth);
        ASSERT_EQ(image.height, kHeight);
        ASSERT_EQ(image.bitsPerPixel, 24u);
        // Image rows are bottom row first, R, G, B: blue at the bottom, red at the top.
        const uint8_t* bottom = image.Pixel(5, 1);
        const uint8_t* top = image.Pixel(5, kHeight - 2);
        EXPECT_LT(bottom[0], 80);
        EXPECT_GT(bottom[2], 170);
        EXPECT_GT(top[0], 170);
        EXPECT_LT(top[2], 80);
        if (std::string(c.file).ends_with(".tga")) {
            EXPECT_EQ(bottom[2], 255);
            EXPECT_EQ(top[0], 255);
        }
        Lines();
    }
}

TEST_F(ScreenCaptureTest, NamesAreCheckedInTheFolderWrittenTo)
{
    std::unique_ptr<ScreenCapture> capture = Make(user.Path());
    EXPECT_EQ(capture->GetFolder(), user.Path() + "\\ScreenCaptures");
    EXPECT_FALSE(std::filesystem::exists(user / "ScreenCaptures"));   // created when first written to

    // A gap is filled first.
    user.WriteFile("ScreenCaptures/picture001.tga", "x");
    Fire("sc_take_screenshot_tga");
    capture->Update();
    EXPECT_EQ(FilesIn(user / "ScreenCaptures"), (std::vector<std::string>{"picture000.tga", "picture001.tga"}));
    // The next one skips both; the data folder never receives any.
    Fire("sc_take_screenshot_tga");
    capture->Update();
    EXPECT_TRUE(std::filesystem::exists(user / "ScreenCaptures/picture002.tga"));
    EXPECT_FALSE(std::filesystem::exists(base / "ScreenCaptures"));

    // With all 1000 names taken, 999 is written again.
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "ScreenCaptures/picture%03d.jpg", i);
        user.WriteFile(name, "x");
    }
    Fire("sc_take_screenshot_jpg");
    capture->Update();
    EXPECT_GT(std::filesystem::file_size(user / "ScreenCaptures/picture999.jpg"), 1u);
}

TEST_F(ScreenCaptureTest, FolderFallsBackToTheDataFolder)
{
    EXPECT_EQ(Make("")->GetFolder(), base.Path() + "\\ScreenCaptures");
    EXPECT_EQ(Make("shots")->GetFolder(), base.Path() + "\\shots\\ScreenCaptures");
    std::unique_ptr<ScreenCapture> capture = Make("");
    Fire("sc_take_screenshot");
    capture->Update();
    EXPECT_TRUE(std::filesystem::exists(base / "ScreenCaptures/picture000.tga"));
}

TEST_F(ScreenCaptureTest, FailedGrabSavesNothingAndStopsTheMovie)
{
    std::unique_ptr<ScreenCapture> capture = Make(user.Path());
    Fire("sc_start_movie_record");
    capture->Update();   // starts and writes frame 0
    ASSERT_TRUE(capture->IsRecording());
    Lines();

    grabWorks = false;
    Fire("sc_take_screenshot");
    capture->Update();
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("Failed to print image from screen"), std::string::npos);
    EXPECT_EQ(lines[1], "AVI record finished\n");
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(FilesIn(user / "ScreenCaptures"), std::vector<std::string>{"movie000.avi"});
    EXPECT_EQ(capture->GetHeldFrameSize(), 0u);

    // A movie whose first grab fails ends at once, without a file.
    Fire("sc_start_movie_record");
    capture->Update();
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(FilesIn(user / "ScreenCaptures"), std::vector<std::string>{"movie000.avi"});
}

TEST_F(ScreenCaptureTest, RecordsAMovieFramePerFrameExceptScreenshotFrames)
{
    std::unique_ptr<ScreenCapture> capture = Make(user.Path());
    Fire("sc_stop_movie_record");   // not recording: nothing
    capture->Update();
    EXPECT_TRUE(Lines().empty());

    Fire("sc_start_movie_record");
    capture->Update();
    EXPECT_EQ(capture->GetFrameCounter(), 1u);
    capture->Update();
    Fire("sc_start_movie_record");
    capture->Update();
    EXPECT_EQ(capture->GetFrameCounter(), 3u);
    Fire("sc_take_screenshot");
    capture->Update();   // the screenshot's frame adds no movie frame
    EXPECT_EQ(capture->GetFrameCounter(), 3u);
    EXPECT_EQ(capture->GetHeldFrameSize(), 0u);
    capture->Update();
    Fire("sc_stop_movie_record");
    capture->Update();
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(capture->GetFrameCounter(), 4u);

    std::vector<std::string> lines = Lines();
    std::vector<std::string> expected = {"AVI recording is starting...\n", "Error: AVI recording was already started!\n",
                                         "AVI record finished\n"};
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines[0], expected[0]);
    EXPECT_NE(lines[1].find("AVI recording was already started"), std::string::npos);
    EXPECT_EQ(lines[2], expected[2]);

    const AviParse::File movie = AviParse::Parse(TempFolder::ReadFile(user / "ScreenCaptures/movie000.avi"));
    ASSERT_EQ(movie.error, "");
    EXPECT_EQ(movie.totalFrames, 4u);
    EXPECT_EQ(movie.length, 4u);
    EXPECT_EQ(movie.frames.size(), 4u);
    EXPECT_EQ(movie.width, kWidth);
    EXPECT_EQ(movie.height, kHeight);
    EXPECT_EQ(movie.rate, 33u);
    EXPECT_EQ(movie.handler, "MJPG");
    EXPECT_TRUE(std::filesystem::exists(user / "ScreenCaptures/picture000.tga"));

    // The next movie takes the next name.
    Fire("sc_start_movie_record");
    capture->Update();
    EXPECT_EQ(capture->GetFileName(), capture->GetFolder() + "\\movie001.avi");
}

TEST_F(ScreenCaptureTest, AviFailuresStopTheMovie)
{
    using Platform::AviTest::Fault;
    for (Fault fault : {Fault::Open, Fault::CreateStream, Fault::SetFormat}) {
        SCOPED_TRACE(Platform::AviTest::FaultName(fault));
        Platform::AviTest::InjectFault(fault, 1);
        std::unique_ptr<ScreenCapture> capture = Make(user.Path());
        Fire("sc_start_movie_record");
        capture->Update();
        EXPECT_FALSE(capture->IsRecording());
        EXPECT_EQ(capture->GetHeldFrameSize(), 0u);
        const std::vector<std::string> lines = Lines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "AVI recording is starting...\n");
        EXPECT_NE(lines[1].find("Failed to create avi stream"), std::string::npos);
        EXPECT_EQ(lines[2], "AVI record finished\n");
    }

    std::unique_ptr<ScreenCapture> capture = Make(user.Path());
    Fire("sc_start_movie_record");
    capture->Update();
    Platform::AviTest::InjectFault(Fault::Write, 1);
    Lines();
    capture->Update();
    EXPECT_FALSE(capture->IsRecording());
    EXPECT_EQ(capture->GetFrameCounter(), 2u);   // counted also after the failed write
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("Failed to write to avi stream"), std::string::npos);
    EXPECT_EQ(lines[1], "AVI record finished\n");
    capture.reset();
}

TEST_F(ScreenCaptureTest, DestructorFinishesTheMovie)
{
    std::unique_ptr<ScreenCapture> capture = Make(user.Path());
    Fire("sc_start_movie_record");
    capture->Update();
    capture->Update();
    const std::string name = capture->GetFileName();
    capture.reset();
    EXPECT_TRUE(Logged("AVI record finished"));
    const AviParse::File movie = AviParse::Parse(TempFolder::ReadFile(user / "ScreenCaptures/movie000.avi"));
    ASSERT_EQ(movie.error, "");
    EXPECT_EQ(movie.totalFrames, 2u);
}
