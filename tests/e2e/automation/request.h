// tavrexauto: what the e2e tests ask of the windows on screen. The command line is read and the answers are
// shaped here, apart from Win32; the Windows side only looks windows up and sends messages.
// Texts are wide here: the arguments come from the wide command line and window texts are read as UTF-16,
// so matching never depends on the code page; only printing converts to the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrexauto {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the window or control is not there, a wait ran out, a message failed
inline constexpr int kExitUsage = 2;

inline constexpr std::uint32_t kDefaultTimeoutMs = 10000;
inline constexpr std::uint32_t kPollIntervalMs = 50;

extern const wchar_t* const kUsage;

enum class Verb {
    Wait,
    Gone,
    Info,
    Text,
    Children,
    Click,
    Key,
    Close,
    Slider,
    Pick,
    Items,
    Foreground,
    ZOrder,
    Monitors,
    Tabs,
    Page,
    State,
    DoubleClickTime,
    Version,
    RawText,
    Hold,
    IdealSize
};
enum class KeyPhase { Down, Up, Both };
enum class CloseKind { Box, Message };  // WM_SYSCOMMAND SC_CLOSE as the close box sends it, or a plain WM_CLOSE

// A top-level window named by its handle, or by class and title where an empty optional means "any".
struct WindowQuery {
    std::optional<std::uint32_t> handle;
    std::optional<std::wstring> className;
    std::optional<std::wstring> title;

    bool Matches(std::wstring_view windowClass, std::wstring_view windowTitle) const;
};

struct Request {
    Verb verb = Verb::Foreground;
    WindowQuery window;
    std::int32_t controlId = 0;  // Text, Click, Slider, Pick, Items, State, IdealSize
    std::int32_t value = 0;      // Key: virtual key; Slider: position; Pick, Page: index
    KeyPhase phase = KeyPhase::Both;
    CloseKind close = CloseKind::Box;
    std::uint32_t timeoutMs = kDefaultTimeoutMs;
    std::wstring file;  // Version
    // Wait: only a visible window counts, and with tabs only one that holds a tab control by now. A dialog
    // exists, hidden, before its initialisation has built what it shows.
    bool visible = false;
    bool tabs = false;
    // RawText: the key under HKEY_CURRENT_USER, the value's name and its text. Hold: the file in keyPath.
    std::wstring keyPath;
    std::wstring valueName;
    std::wstring text;
};

struct ParseOutcome {
    std::optional<Request> request;
    std::wstring error;  // why the arguments were refused
};

// args excludes the program name.
ParseOutcome ParseRequest(const std::vector<std::wstring>& args);

// "0x%08X": what every command prints for a handle and reads back.
std::wstring FormatHandle(std::uint32_t handle);
std::wstring FormatHex32(std::uint32_t value);
std::wstring FormatRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

// A text in double quotes with backslash, quote, CR, LF and tab escaped, so one control stays on one line.
// Escaping happens before the conversion to the code page: a GBK trail byte may be 0x5C.
std::wstring QuoteText(std::wstring_view text);

// The lParam a keyboard driver would give WM_KEYDOWN (repeat 1, first press) or WM_KEYUP (previous state
// down, transition up) for a key with this scan code.
std::uint32_t KeyMessageLParam(bool keyUp, std::uint32_t scanCode);

}  // namespace tavrexauto
