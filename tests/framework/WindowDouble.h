#pragma once
// A test double for any window base: it records each Show with its arguments and each Hide in a shared
// event list ("show exit(2)", "hide main menu"), and lets a test set the result as the game window would.
// Visibility is the base's own shown flag.

#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace WindowDoubles {

using Events = std::vector<std::string>;

inline std::string Describe(int32_t value) { return std::to_string(value); }
inline std::string Describe(bool value) { return value ? "1" : "0"; }
inline std::string Describe(const std::u16string& text) { return "\"" + std::string(text.begin(), text.end()) + "\""; }
template <typename E>
    requires std::is_enum_v<E>
std::string Describe(E value)
{
    return std::to_string(static_cast<int32_t>(value));
}
template <typename T>
std::string Describe(T* pointer)
{
    return pointer == nullptr ? "none" : "entry";
}

template <typename Base, typename... Args>
class WindowDouble : public Base {
public:
    template <typename... CtorArgs>
    WindowDouble(Events* events, std::string name, CtorArgs&&... ctorArgs)
        : Base(std::forward<CtorArgs>(ctorArgs)...),
          events(events),
          name(std::move(name))
    {
    }

    void Show(Args... args) override
    {
        Base::Show(args...);
        lastShow = std::make_tuple(args...);
        std::string text = "show " + name;
        if constexpr (sizeof...(Args) > 0) {
            std::string list;
            ((list += (list.empty() ? "" : ", ") + Describe(args)), ...);
            text += "(" + list + ")";
        }
        events->push_back(text);
    }

    void Hide() override
    {
        Base::Hide();
        events->push_back("hide " + name);
    }

    // The game window's choice: set in its own update, after the base's part cleared the code.
    void Choose(int32_t code)
    {
        Base::Update();
        this->result = code;
    }

    Events* events;
    std::string name;
    std::tuple<std::decay_t<Args>...> lastShow;
};

} // namespace WindowDoubles
