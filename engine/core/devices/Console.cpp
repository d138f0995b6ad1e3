#include "engine/core/devices/Console.h"

#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"

namespace VantoranEngine {

namespace {

const Color kWhite{1.0f, 1.0f, 1.0f, 1.0f};
const Color kGrey{0.5f, 0.5f, 0.5f, 1.0f};
const Color kRed{1.0f, 0.0f, 0.0f, 1.0f};
const Color kGreen{0.0f, 1.0f, 0.0f, 1.0f};
const Color kBlue{0.0f, 0.0f, 1.0f, 1.0f};
const char16_t* const kSpeakerName = u"Console";
constexpr int32_t kMaxPadding = 255;
// Row spacing when there is no font to measure with.
constexpr float kFallbackFontSize = 16.0f;

const char* const kNames[] = {"ui_console_alpha", "ui_console_size", "ui_console_speed", "ui_console_key", "say"};

} // namespace

Console::Console(MessageManager* log, TimerManager* timers, Config* config, Controls* controls, GUIManager* gui,
                 const std::string& caption, const ShaderDescriptor& backgroundDescriptor, int32_t consoleFontId,
                 const std::string& key, float defaultAlpha, float defaultSize, float defaultSpeed)
    : log(log), timers(timers), config(config), controls(controls), gui(gui),
      screenWidth(gui->GetCamera()->orthoWidth), screenHeight(gui->GetCamera()->orthoHeight), keyName(key),
      alpha(defaultAlpha), size(defaultSize), speed(defaultSpeed), fontId(consoleFontId)
{
    config->Register(FloatToString(defaultAlpha, 4), kNames[0], ConfigType::Float, true, &alpha, false);
    config->Register(FloatToString(defaultSize, 4), kNames[1], ConfigType::Float, true, &size, false);
    config->Register(FloatToString(defaultSpeed, 4), kNames[2], ConfigType::Float, true, &speed, false);
    config->Register(key, kNames[3], ConfigType::String, true, &keyName, false);
    config->Register("", kNames[4], ConfigType::String, false, &sayValue, false);
    // Written so that a value that is not a number is replaced as well.
    if (!(alpha > 0.0f && alpha <= 1.0f))
        alpha = defaultAlpha;
    if (!(size > 0.0f && size <= screenHeight))
        size = defaultSize;
    if (!(speed >= 0.0f))
        speed = defaultSpeed;

    font = gui->GetFontManager()->GetFont(fontId);
    if (font == nullptr)
        log->LogError("Console font " + IntToString(0, fontId) + " is missing");
    const float fontSize = font != nullptr ? font->size : kFallbackFontSize;
    lineGap = 0.2f * fontSize;
    lineHeight = 1.2f * fontSize;
    prompt = u"]";

    window = gui->CreateWindow(GUIWindow::Colored | GUIWindow::Tier30, Vector2{0.0f, screenHeight},
                               Vector2{screenWidth, screenHeight}, backgroundDescriptor, nullptr, Vector2{1.0f, 1.0f});
    const float promptWidth = Width(prompt);
    input = gui->CreateUntexturedEditBox(Vector2{promptWidth, lineHeight + lineGap}, Vector2{0.0f, 0.0f}, fontId,
                                         kBlue, Vector2{0.0f, 0.0f}, screenWidth - promptWidth, window);
    input->maxLength = maxInputLength;
    input->UpdateVisibility();
    input->active = false;

    scrollBack = 0;
    historyIndex = 0;
    state = ConsoleClosed;

    titleLine = MultiByteToWide(caption);
    for (int32_t i = 0; i < kMaxPadding - int32_t(caption.size()); ++i) {
        titleLine.push_back(u' ');
        if (Width(titleLine) > screenWidth) {
            titleLine.pop_back();
            break;
        }
    }
    for (int32_t i = 0; i < kMaxPadding; ++i) {
        ruleLine.push_back(u'^');
        if (Width(ruleLine) > screenWidth) {
            ruleLine.pop_back();
            break;
        }
    }
    speakerName = kSpeakerName;
}

Console::~Console()
{
    if (gui->editBoxes.Remove(input))
        delete input;
    gui->DeleteWindow(window);
    for (const char* name : kNames)
        config->Unregister(name);
}

float Console::Width(const std::u16string& text) const
{
    return font != nullptr ? font->GetTextWidth(text, -1.0f) : 0.0f;
}

void Console::Print(const Color& colour, const std::u16string& text)
{
    std::u16string segment;
    float segmentWidth = 0.0f;
    auto finish = [&] {
        const bool endsRow = !segment.empty() && segment.back() == u'\n';
        lines.push_back({colour, segment, endsRow, Width(segment)});
        segment.clear();
        segmentWidth = 0.0f;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const float width = Width(std::u16string(1, c));
        // The first character of a segment is always taken, however wide.
        if (!segment.empty() && c != u'\n' && segmentWidth + width > screenWidth) {
            segment.push_back(u'\n');
            finish();
        }
        segment.push_back(c);
        segmentWidth += width;
        if (c == u'\n' || i + 1 == text.size())
            finish();
    }
    while (lines.size() > maxLines)
        lines.pop_front();
}

void Console::Open()
{
    if (state != ConsoleClosed && state != ConsoleClosing)
        return;
    window->flags |= GUIWindow::Shown;
    window->UpdateVisibility();
    state = ConsoleOpening;
}

void Console::Close()
{
    if (state != ConsoleOpen && state != ConsoleOpening)
        return;
    input->active = false;
    state = ConsoleClosing;
}

void Console::Update()
{
    for (const LogEntry& entry : log->GetEntries()) {
        const Color& colour = entry.kind == LogEntry::Message ? kWhite : entry.kind == LogEntry::Warning ? kGrey : kRed;
        Print(colour, MultiByteToWide(entry.text));
    }

    const float dt = timers->frameTime;
    Vector2& position = window->position;
    if (state == ConsoleOpening) {
        position.x = 0.0f;
        position.y -= dt * speed;
        if (screenHeight - position.y > size) {
            position.y = screenHeight - size;
            input->active = true;
            state = ConsoleOpen;
        }
    } else if (state == ConsoleClosing) {
        position.x = 0.0f;
        position.y += dt * speed;
        if (position.y > screenHeight) {
            position.y = screenHeight;
            window->flags &= ~GUIWindow::Shown;
            window->UpdateVisibility();
            scrollBack = 0;
            state = ConsoleClosed;
        }
    }
    if (state == ConsoleClosed)
        return;
    if (state == ConsoleOpen) {
        position.x = 0.0f;
        position.y = screenHeight - size;
    }
    window->SetColor({1.0f, 1.0f, 1.0f, alpha});
    LayOutRows();

    const Window& mainWindow = controls->window;
    if (!controls->inputHold && mainWindow.keyEventPending && !mainWindow.keyEventIsChar)
        HandleKey(mainWindow.keyEventCode);
}

void Console::QueueText(float x, float y, const Color& colour, const std::u16string& text)
{
    if (font != nullptr)
        window->AddText({x, y}, colour, 0, fontId, text, -1.0f);
}

void Console::LayOutRows()
{
    float y = lineGap;
    QueueText(0.0f, y, kWhite, titleLine);
    y += lineHeight;
    QueueText(0.0f, y, kWhite, prompt);
    y += lineHeight;
    if (scrollBack > 0) {
        QueueText(0.0f, y, kWhite, ruleLine);
        y += lineHeight;
    }

    // From the newest row upwards until y passes H - size, the window's height less the console's.
    int32_t skip = scrollBack;
    size_t start = 0;
    for (size_t i = lines.size(); i-- > 0;) {
        if (!lines[i].endsRow)
            continue;
        if (skip > 0) {
            --skip;
        } else if (y > screenHeight - size) {
            start = i;
            break;
        } else {
            y += lineHeight;
        }
    }
    scrollBack -= skip;

    float x = 0.0f;
    for (size_t i = start; i < lines.size(); ++i) {
        const ConsoleLine& line = lines[i];
        if (!line.text.empty())
            QueueText(x, y, line.colour, line.text);
        if (line.endsRow) {
            x = 0.0f;
            y -= lineHeight;
            if (scrollBack > 0 && y - 0.5f * lineHeight < 2.0f * lineHeight + lineGap)
                break;
        } else {
            x += line.width;
        }
    }
}

void Console::HandleKey(uint16_t key)
{
    switch (key) {
    case keyEnter:
        Execute();
        break;
    case keyEscape:
        SetInputText(u"");
        break;
    case keyTab:
        Complete();
        break;
    case keyUp:
        if (historyIndex > 0) {
            --historyIndex;
            SetInputText(history[size_t(historyIndex)]);
        }
        break;
    case keyDown:
        if (historyIndex < int32_t(history.size())) {
            ++historyIndex;
            SetInputText(historyIndex == int32_t(history.size()) ? std::u16string() : history[size_t(historyIndex)]);
        }
        break;
    case keyPageUp:
        ++scrollBack;
        break;
    case keyPageDown:
        if (scrollBack > 0)
            --scrollBack;
        break;
    default:
        break;
    }
}

void Console::SetInputText(const std::u16string& text)
{
    input->SetText(text.size() > size_t(maxInputLength) ? text.substr(0, maxInputLength) : text);
}

void Console::Execute()
{
    std::u16string text = input->text;
    if (text.empty() || text == u"\\")
        return;
    input->text.clear();
    input->caret = 0;
    input->firstVisible = 0;

    std::string name;
    const int result = config->Execute(WideToMultiByte(text), &name);
    if (result == ExecuteEmpty)
        return;
    if (text.front() != u'\\')
        text.insert(text.begin(), u'\\');
    history.push_back(text);
    while (history.size() > maxHistory)
        history.pop_front();
    historyIndex = int32_t(history.size());
    Print(kBlue, prompt + text + u"\n");

    const std::u16string wideName = MultiByteToWide(name);
    if (result == ExecuteDone && name == "say") {
        Print(kWhite, speakerName + u": \"");
        Print(kGreen, MultiByteToWide(config->GetValueText("say")));
        Print(kWhite, u"\"\n");
    } else if (result == ExecuteNoValue && name != "say") {
        Print(kWhite, u"\"" + wideName + u"\" is \"" + MultiByteToWide(config->GetValueText(name)) +
                          u"\", default is \"" + MultiByteToWide(config->GetDefaultText(name)) + u"\"\n");
    } else if (result == ExecuteUnknown) {
        Print(kWhite, u"Unknown command \"" + wideName + u"\"\n");
    }
}

void Console::Complete()
{
    std::u16string text = input->text;
    if (text.empty())
        return;
    ToLowerWide(text);
    if (text.front() != u'\\')
        text.insert(text.begin(), u'\\');

    std::vector<std::string> names;
    config->GetNames(names);
    std::vector<std::u16string> candidates;
    for (const std::string& name : names) {
        const std::u16string candidate = u"\\" + MultiByteToWide(name);
        if (candidate.compare(0, text.size(), text) == 0)
            candidates.push_back(candidate);
    }
    if (candidates.empty()) {
        SetInputText(text);
        return;
    }
    if (candidates.size() == 1) {
        SetInputText(candidates.front() + u" ");
        return;
    }
    Print(kBlue, text + u"\n");
    std::u16string common = candidates.front();
    for (const std::u16string& candidate : candidates) {
        Print(kWhite, u"    " + candidate + u"\n");
        size_t n = 0;
        while (n < common.size() && n < candidate.size() && common[n] == candidate[n])
            ++n;
        common.resize(n);
    }
    SetInputText(common);
}

} // namespace VantoranEngine
