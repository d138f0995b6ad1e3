// DirectInput-shaped keyboard and mouse devices, fed by the window stand-in's event pump.

#include "platform/input/DirectInput.h"
#include "platform/input/DirectInputTest.h"
#include "platform/input/InputFeed.h"
#include "platform/os/Clock.h"
#include "platform/window/SdlWindow.h"
#include "platform/window/WindowApi.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace Platform {

enum class DeviceKind { Keyboard, Mouse };

const DIDATAFORMAT c_dfDIKeyboard = {256, 1};
const DIDATAFORMAT c_dfDIMouse2 = {sizeof(DIMOUSESTATE2), 2};

struct IDirectInputDevice7A::Impl {
    DeviceKind kind = DeviceKind::Keyboard;
    const DIDATAFORMAT* format = nullptr;
    bool acquired = false;
    DWORD bufferSize = 0; // events; 0: unbuffered
    bool overflow = false;
    std::deque<DIDEVICEOBJECTDATA> queue;
};

namespace {

struct Fault {
    Test::DirectInputCall call;
    Test::DirectInputDevice device;
    HRESULT result;
    int remaining; // < 0: until cleared
};

struct InputState {
    std::vector<IDirectInputDevice7A::Impl*> devices;
    BYTE keys[256] = {};
    BYTE buttons[8] = {};
    LONG immediateX = 0; // motion since the last immediate mouse read
    LONG immediateY = 0;
    LONG immediateZ = 0;
    int pendingX = 0; // motion of the current pump, queued as one event per axis at its end
    int pendingY = 0;
    int pendingZ = 0;
    DWORD sequence = 0;
    std::vector<Fault> faults;
};

InputState& Input()
{
    static InputState state;
    return state;
}

bool Faulted(Test::DirectInputCall call, Test::DirectInputDevice device, HRESULT* result)
{
    for (Fault& fault : Input().faults) {
        if (fault.call != call || fault.remaining == 0)
            continue;
        if (fault.device != Test::DirectInputDevice::Any && device != Test::DirectInputDevice::Any &&
            fault.device != device)
            continue;
        if (fault.remaining > 0)
            --fault.remaining;
        *result = fault.result;
        return true;
    }
    return false;
}

Test::DirectInputDevice DeviceOf(const IDirectInputDevice7A::Impl* impl)
{
    return impl->kind == DeviceKind::Keyboard ? Test::DirectInputDevice::Keyboard : Test::DirectInputDevice::Mouse;
}

void Append(DeviceKind kind, DWORD offset, DWORD data)
{
    InputState& input = Input();
    const DWORD sequence = ++input.sequence;
    for (IDirectInputDevice7A::Impl* device : input.devices) {
        if (device->kind != kind || !device->acquired || device->bufferSize == 0)
            continue;
        if (device->queue.size() >= device->bufferSize) {
            device->overflow = true;
            continue;
        }
        device->queue.push_back({offset, data, GetTickCount(), sequence});
    }
}

} // namespace

namespace InputFeed {

void Key(int directInputKey, bool down)
{
    if (directInputKey <= 0 || directInputKey > 255)
        return;
    Input().keys[directInputKey] = down ? 0x80 : 0;
    Append(DeviceKind::Keyboard, static_cast<DWORD>(directInputKey), down ? 0x80 : 0);
}

void MouseButton(int button, bool down)
{
    if (button < 0 || button > 7)
        return;
    Input().buttons[button] = down ? 0x80 : 0;
    Append(DeviceKind::Mouse, DIMOFS_BUTTON0 + static_cast<DWORD>(button), down ? 0x80 : 0);
}

void MouseMotion(int dx, int dy)
{
    InputState& input = Input();
    input.pendingX += dx;
    input.pendingY += dy;
    input.immediateX += dx;
    input.immediateY += dy;
}

void MouseWheel(int delta)
{
    InputState& input = Input();
    input.pendingZ += delta;
    input.immediateZ += delta;
}

void EndPump()
{
    InputState& input = Input();
    if (input.pendingX != 0)
        Append(DeviceKind::Mouse, DIMOFS_X, static_cast<DWORD>(input.pendingX));
    if (input.pendingY != 0)
        Append(DeviceKind::Mouse, DIMOFS_Y, static_cast<DWORD>(input.pendingY));
    if (input.pendingZ != 0)
        Append(DeviceKind::Mouse, DIMOFS_Z, static_cast<DWORD>(input.pendingZ));
    input.pendingX = input.pendingY = input.pendingZ = 0;
}

void FocusLost()
{
    InputState& input = Input();
    std::fill(std::begin(input.keys), std::end(input.keys), BYTE{0});
    std::fill(std::begin(input.buttons), std::end(input.buttons), BYTE{0});
    input.immediateX = input.immediateY = input.immediateZ = 0;
    input.pendingX = input.pendingY = input.pendingZ = 0;
    for (IDirectInputDevice7A::Impl* device : input.devices) {
        device->queue.clear();
        device->overflow = true;
    }
}

void Reset()
{
    FocusLost();
    for (IDirectInputDevice7A::Impl* device : Input().devices)
        device->overflow = false;
}

} // namespace InputFeed

HRESULT IDirectInputDevice7A::SetDataFormat(const DIDATAFORMAT* format)
{
    HRESULT result;
    if (Faulted(Test::DirectInputCall::SetDataFormat, DeviceOf(impl_), &result))
        return result;
    const DIDATAFORMAT* expected = impl_->kind == DeviceKind::Keyboard ? &c_dfDIKeyboard : &c_dfDIMouse2;
    if (!format || format->kind != expected->kind)
        return DIERR_INVALIDPARAM;
    if (impl_->acquired)
        return DIERR_ACQUIRED;
    impl_->format = format;
    return DI_OK;
}

HRESULT IDirectInputDevice7A::SetCooperativeLevel(HWND window, DWORD flags)
{
    HRESULT result;
    if (Faulted(Test::DirectInputCall::SetCooperativeLevel, DeviceOf(impl_), &result))
        return result;
    const DWORD exclusivity = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD reach = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if (exclusivity == 0 || exclusivity == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || reach == 0 ||
        reach == (DISCL_FOREGROUND | DISCL_BACKGROUND) || !IsWindow(window))
        return DIERR_INVALIDPARAM;
    return DI_OK;
}

HRESULT IDirectInputDevice7A::SetProperty(DIPROPID property, const DIPROPHEADER* header)
{
    HRESULT result;
    if (Faulted(Test::DirectInputCall::SetProperty, DeviceOf(impl_), &result))
        return result;
    if (property != DIPROP_BUFFERSIZE || !header || header->dwHow != DIPH_DEVICE ||
        header->dwSize < sizeof(DIPROPDWORD) || header->dwHeaderSize != sizeof(DIPROPHEADER))
        return DIERR_INVALIDPARAM;
    if (impl_->acquired)
        return DIERR_ACQUIRED;
    impl_->bufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    return DI_OK;
}

HRESULT IDirectInputDevice7A::Acquire()
{
    HRESULT result;
    if (Faulted(Test::DirectInputCall::Acquire, DeviceOf(impl_), &result))
        return result;
    if (!impl_->format)
        return DIERR_INVALIDPARAM;
    impl_->acquired = true;
    return DI_OK;
}

HRESULT IDirectInputDevice7A::Unacquire()
{
    impl_->acquired = false;
    impl_->queue.clear();
    impl_->overflow = false;
    return DI_OK;
}

HRESULT IDirectInputDevice7A::GetDeviceState(DWORD size, void* state)
{
    PumpEvents();
    HRESULT result;
    if (Faulted(Test::DirectInputCall::GetDeviceState, DeviceOf(impl_), &result))
        return result;
    if (!state || !impl_->format || size != impl_->format->dwDataSize)
        return DIERR_INVALIDPARAM;
    if (!impl_->acquired)
        return DIERR_NOTACQUIRED;
    InputState& input = Input();
    if (impl_->kind == DeviceKind::Keyboard) {
        std::memcpy(state, input.keys, sizeof(input.keys));
        return DI_OK;
    }
    DIMOUSESTATE2 mouse{};
    mouse.lX = input.immediateX;
    mouse.lY = input.immediateY;
    mouse.lZ = input.immediateZ;
    std::memcpy(mouse.rgbButtons, input.buttons, sizeof(mouse.rgbButtons));
    input.immediateX = input.immediateY = input.immediateZ = 0;
    std::memcpy(state, &mouse, sizeof(mouse));
    return DI_OK;
}

HRESULT IDirectInputDevice7A::GetDeviceData(DWORD objectSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD)
{
    PumpEvents();
    HRESULT result;
    if (Faulted(Test::DirectInputCall::GetDeviceData, DeviceOf(impl_), &result)) {
        if (count)
            *count = 0;
        return result;
    }
    if (!count || objectSize != sizeof(DIDEVICEOBJECTDATA))
        return DIERR_INVALIDPARAM;
    if (!impl_->acquired) {
        *count = 0;
        return DIERR_NOTACQUIRED;
    }
    if (impl_->bufferSize == 0) {
        *count = 0;
        return DIERR_NOTBUFFERED;
    }
    if (impl_->overflow) {
        impl_->overflow = false;
        impl_->queue.clear();
        *count = 0;
        return DI_BUFFEROVERFLOW;
    }
    const DWORD n = std::min<DWORD>(*count, static_cast<DWORD>(impl_->queue.size()));
    for (DWORD i = 0; i < n; ++i) {
        if (data)
            data[i] = impl_->queue.front();
        impl_->queue.pop_front();
    }
    *count = n;
    return DI_OK;
}

DWORD IDirectInputDevice7A::AddRef()
{
    return ++refs_;
}

DWORD IDirectInputDevice7A::Release()
{
    const DWORD left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

IDirectInputDevice7A::~IDirectInputDevice7A()
{
    std::erase(Input().devices, impl_);
    delete impl_;
}

HRESULT IDirectInput7A::CreateDeviceEx(const GUID& device, const GUID& interfaceId, void** out, void* outer)
{
    if (!out)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    const bool keyboard = device == GUID_SysKeyboard;
    if (!keyboard && !(device == GUID_SysMouse))
        return DIERR_DEVICENOTREG;
    HRESULT result;
    if (Faulted(Test::DirectInputCall::CreateDevice,
                keyboard ? Test::DirectInputDevice::Keyboard : Test::DirectInputDevice::Mouse, &result))
        return result;
    if (!(interfaceId == IID_IDirectInputDevice7A) || outer)
        return DIERR_NOINTERFACE;
    auto* impl = new IDirectInputDevice7A::Impl();
    impl->kind = keyboard ? DeviceKind::Keyboard : DeviceKind::Mouse;
    Input().devices.push_back(impl);
    *out = new IDirectInputDevice7A(impl);
    return DI_OK;
}

DWORD IDirectInput7A::AddRef()
{
    return ++refs_;
}

DWORD IDirectInput7A::Release()
{
    const DWORD left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT DirectInputCreateEx(HINSTANCE instance, DWORD version, const GUID& interfaceId, void** out, void* outer)
{
    if (!out)
        return DIERR_INVALIDPARAM;
    *out = nullptr;
    HRESULT result;
    if (Faulted(Test::DirectInputCall::Create, Test::DirectInputDevice::Any, &result))
        return result;
    if (!instance || instance != GetModuleHandleA(nullptr) || version != DIRECTINPUT_VERSION || outer)
        return DIERR_INVALIDPARAM;
    if (!(interfaceId == IID_IDirectInput7A))
        return DIERR_NOINTERFACE;
    *out = new IDirectInput7A();
    return DI_OK;
}

namespace Test {

void FailDirectInput(DirectInputCall call, DirectInputDevice device, HRESULT result, int times)
{
    Input().faults.push_back({call, device, result, times});
}

void ClearDirectInputFaults()
{
    Input().faults.clear();
}

} // namespace Test

} // namespace Platform
