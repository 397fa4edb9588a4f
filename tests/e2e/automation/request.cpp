#include "tests/e2e/automation/request.h"

#include <cwchar>

namespace tavrexauto {

const wchar_t* const kUsage =
    L"usage: tavrexauto wait CLASS|* TITLE|* [timeout_ms] [visible|tabs]\n"
    L"                                                      print the handle of the first such top-level window;\n"
    L"                                                      only a visible one, or a visible one with a tab control\n"
    L"       tavrexauto gone WINDOW [timeout_ms]            wait until no such window exists\n"
    L"       tavrexauto info WINDOW                         class, title, rects, styles, visible, topmost, owner\n"
    L"       tavrexauto text WINDOW ID                      the text of child control ID\n"
    L"       tavrexauto children WINDOW                     every child: id class \"text\" left top right bottom\n"
    L"       tavrexauto click WINDOW ID                     BM_CLICK on button ID\n"
    L"       tavrexauto key WINDOW VK [up|down|both]        post WM_KEYDOWN/WM_KEYUP (default both)\n"
    L"       tavrexauto close WINDOW [box|message]          post SC_CLOSE (default) or WM_CLOSE\n"
    L"       tavrexauto slider WINDOW ID POS                TBM_SETPOS, then WM_HSCROLL/WM_VSCROLL to the parent\n"
    L"       tavrexauto pick WINDOW ID INDEX                CB_SETCURSEL, then CBN_SELCHANGE to the parent\n"
    L"       tavrexauto items WINDOW ID                     the items of combo box ID, one a line\n"
    L"       tavrexauto state WINDOW ID                     enabled, visible, checked, selected item, icon, slider "
    L"position\n"
    L"       tavrexauto idealsize WINDOW ID              BCM_GETIDEALSIZE of button ID: \"CX CY\", or \"0 0\" where\n"
    L"                                                      the common controls 6.0 are not in force\n"
    L"       tavrexauto tabs WINDOW                         the selected tab's index, then every tab's text\n"
    L"       tavrexauto page WINDOW INDEX                   choose tab INDEX of the property sheet; print its page\n"
    L"                                                      and \"took N us\", the time the change took\n"
    L"       tavrexauto rawsz HKCU\\PATH NAME TEXT            store TEXT as a REG_SZ without its terminating zero\n"
    L"       tavrexauto hold FILE MS                        open FILE for reading and writing, shared with no one;\n"
    L"                                                      print \"held\" and keep it open for MS ms\n"
    L"       tavrexauto foreground | zorder | monitors | doubleclicktime\n"
    L"       tavrexauto version FILE                        a file's version resource as Windows reads it\n"
    L"WINDOW is a handle (0x1A2B or decimal) or CLASS TITLE, * for any; timeouts default to 10000 ms.\n"
    L"exit: 0 done, 1 not found, timed out or refused, 2 bad arguments\n";

namespace {

bool ParseUnsigned(std::wstring_view token, unsigned base, std::uint64_t limit, std::uint64_t& value) {
    if (token.empty() || token.size() > 10) return false;
    std::uint64_t result = 0;
    for (wchar_t c : token) {
        unsigned digit;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<unsigned>(c - L'0');
        } else if (base == 16 && c >= L'a' && c <= L'f') {
            digit = static_cast<unsigned>(c - L'a' + 10);
        } else if (base == 16 && c >= L'A' && c <= L'F') {
            digit = static_cast<unsigned>(c - L'A' + 10);
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > limit) return false;
    }
    value = result;
    return true;
}

// "0x" and up to eight hex digits, or plain decimal: how handles are printed and how a person may type one.
bool ParseHandle(std::wstring_view token, std::uint32_t& handle) {
    std::uint64_t value = 0;
    const bool ok = (token.size() > 2 && token[0] == L'0' && (token[1] == L'x' || token[1] == L'X'))
                        ? token.size() <= 10 && ParseUnsigned(token.substr(2), 16, 0xFFFFFFFFu, value)
                        : ParseUnsigned(token, 10, 0xFFFFFFFFu, value);
    if (ok) handle = static_cast<std::uint32_t>(value);
    return ok;
}

bool ParseInt32(std::wstring_view token, std::int32_t& value) {
    const bool negative = !token.empty() && token[0] == L'-';
    std::uint64_t magnitude = 0;
    if (!ParseUnsigned(negative ? token.substr(1) : token, 10, negative ? 0x80000000u : 0x7FFFFFFFu, magnitude))
        return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

bool ParseTimeout(std::wstring_view token, std::uint32_t& timeoutMs) {
    std::uint64_t value = 0;
    if (!ParseUnsigned(token, 10, 0xFFFFFFFEu, value)) return false;
    timeoutMs = static_cast<std::uint32_t>(value);
    return true;
}

std::optional<std::wstring> Pattern(const std::wstring& token) {
    if (token == L"*") return std::nullopt;
    return token;
}

struct Verbs {
    const wchar_t* name;
    Verb verb;
};

constexpr Verbs kVerbs[] = {
    {L"wait", Verb::Wait},         {L"gone", Verb::Gone},
    {L"info", Verb::Info},         {L"text", Verb::Text},
    {L"children", Verb::Children}, {L"click", Verb::Click},
    {L"key", Verb::Key},           {L"close", Verb::Close},
    {L"slider", Verb::Slider},     {L"pick", Verb::Pick},
    {L"items", Verb::Items},       {L"foreground", Verb::Foreground},
    {L"zorder", Verb::ZOrder},     {L"monitors", Verb::Monitors},
    {L"tabs", Verb::Tabs},         {L"page", Verb::Page},
    {L"state", Verb::State},       {L"doubleclicktime", Verb::DoubleClickTime},
    {L"rawsz", Verb::RawText},     {L"hold", Verb::Hold},
    {L"version", Verb::Version},   {L"idealsize", Verb::IdealSize},
};

ParseOutcome Refuse(std::wstring why) { return {std::nullopt, std::move(why)}; }

}  // namespace

bool WindowQuery::Matches(std::wstring_view windowClass, std::wstring_view windowTitle) const {
    if (className && *className != windowClass) return false;
    if (title && *title != windowTitle) return false;
    return true;
}

ParseOutcome ParseRequest(const std::vector<std::wstring>& args) {
    if (args.empty()) return Refuse(L"no command");
    Request request;
    bool known = false;
    for (const auto& entry : kVerbs) {
        if (args[0] == entry.name) {
            request.verb = entry.verb;
            known = true;
        }
    }
    if (!known) return Refuse(L"unknown command \"" + args[0] + L"\"");

    const Verb verb = request.verb;
    if (verb == Verb::Foreground || verb == Verb::ZOrder || verb == Verb::Monitors || verb == Verb::DoubleClickTime) {
        if (args.size() != 1) return Refuse(args[0] + L" takes no arguments");
        return {request, {}};
    }
    if (verb == Verb::Version) {
        if (args.size() != 2) return Refuse(L"version needs exactly one file");
        request.file = args[1];
        return {request, {}};
    }
    if (verb == Verb::Hold) {
        if (args.size() != 3) return Refuse(L"hold needs a file and a time");
        if (!ParseTimeout(args[2], request.timeoutMs)) return Refuse(L"bad time \"" + args[2] + L"\"");
        request.keyPath = args[1];
        return {request, {}};
    }
    if (verb == Verb::RawText) {
        if (args.size() != 4) return Refuse(L"rawsz needs a key, a value name and a text");
        const std::wstring_view key = args[1];
        if (!key.starts_with(L"HKCU\\")) return Refuse(L"the key is one under HKCU\\");
        request.keyPath = key.substr(5);
        request.valueName = args[2];
        request.text = args[3];
        return {request, {}};
    }

    // The window: one handle token, or a class and a title; wait looks windows up by name only.
    std::size_t next = 1;
    std::uint32_t handle = 0;
    if (verb != Verb::Wait && args.size() > 1 && ParseHandle(args[1], handle)) {
        request.window.handle = handle;
        next = 2;
    } else {
        if (args.size() < 3) return Refuse(args[0] + L" needs a window: a handle or CLASS TITLE");
        request.window.className = Pattern(args[1]);
        request.window.title = Pattern(args[2]);
        next = 3;
    }
    const std::size_t rest = args.size() - next;
    auto arg = [&](std::size_t i) -> const std::wstring& { return args[next + i]; };

    switch (verb) {
        case Verb::Wait:
        case Verb::Gone: {
            std::size_t used = 0;
            if (rest > used && verb == Verb::Wait && (arg(rest - 1) == L"visible" || arg(rest - 1) == L"tabs")) {
                request.visible = true;
                request.tabs = arg(rest - 1) == L"tabs";
                ++used;
            }
            if (rest > used + 1) return Refuse(L"too many arguments for " + args[0]);
            if (rest == used + 1 && !ParseTimeout(arg(0), request.timeoutMs))
                return Refuse(L"bad timeout \"" + arg(0) + L"\"");
            return {request, {}};
        }
        case Verb::Info:
        case Verb::Children:
        case Verb::Tabs:
            if (rest != 0) return Refuse(L"too many arguments for " + args[0]);
            return {request, {}};
        case Verb::Text:
        case Verb::Click:
        case Verb::Items:
        case Verb::State:
        case Verb::IdealSize:
            if (rest != 1) return Refuse(args[0] + L" needs exactly one control id");
            if (!ParseInt32(arg(0), request.controlId)) return Refuse(L"bad control id \"" + arg(0) + L"\"");
            return {request, {}};
        case Verb::Slider:
        case Verb::Pick:
            if (rest != 2) return Refuse(args[0] + L" needs a control id and a value");
            if (!ParseInt32(arg(0), request.controlId)) return Refuse(L"bad control id \"" + arg(0) + L"\"");
            if (!ParseInt32(arg(1), request.value)) return Refuse(L"bad value \"" + arg(1) + L"\"");
            if (verb == Verb::Pick && request.value < 0) return Refuse(L"an item index is not negative");
            return {request, {}};
        case Verb::Page:
            if (rest != 1) return Refuse(L"page needs a tab index");
            if (!ParseInt32(arg(0), request.value) || request.value < 0)
                return Refuse(L"bad tab index \"" + arg(0) + L"\"");
            return {request, {}};
        case Verb::Key:
            if (rest < 1 || rest > 2) return Refuse(L"key needs a virtual key and optionally up, down or both");
            if (!ParseInt32(arg(0), request.value) || request.value < 1 || request.value > 254)
                return Refuse(L"bad virtual key \"" + arg(0) + L"\" (1 to 254)");
            if (rest == 2) {
                if (arg(1) == L"up")
                    request.phase = KeyPhase::Up;
                else if (arg(1) == L"down")
                    request.phase = KeyPhase::Down;
                else if (arg(1) == L"both")
                    request.phase = KeyPhase::Both;
                else
                    return Refuse(L"bad key phase \"" + arg(1) + L"\" (up, down or both)");
            }
            return {request, {}};
        case Verb::Close:
            if (rest > 1) return Refuse(L"too many arguments for close");
            if (rest == 1) {
                if (arg(0) == L"box")
                    request.close = CloseKind::Box;
                else if (arg(0) == L"message")
                    request.close = CloseKind::Message;
                else
                    return Refuse(L"bad close kind \"" + arg(0) + L"\" (box or message)");
            }
            return {request, {}};
        default: return Refuse(L"unhandled command");
    }
}

std::wstring FormatHex32(std::uint32_t value) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xFu];
    return text;
}

std::wstring FormatHandle(std::uint32_t handle) { return FormatHex32(handle); }

std::wstring FormatRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return std::to_wstring(left) + L" " + std::to_wstring(top) + L" " + std::to_wstring(right) + L" " +
           std::to_wstring(bottom);
}

std::wstring QuoteText(std::wstring_view text) {
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        switch (c) {
            case L'\\': quoted += L"\\\\"; break;
            case L'"': quoted += L"\\\""; break;
            case L'\r': quoted += L"\\r"; break;
            case L'\n': quoted += L"\\n"; break;
            case L'\t': quoted += L"\\t"; break;
            default:
                // Other control characters, and the ordinal marker of a resource-named control (which may
                // come back through the code page as a private-use character), as \xXXXX.
                if (c < L' ' || c == 0xFFFF || (c >= 0xE000 && c <= 0xF8FF)) {
                    static const wchar_t kDigits[] = L"0123456789ABCDEF";
                    quoted += L"\\x";
                    for (int shift = 12; shift >= 0; shift -= 4) quoted += kDigits[(c >> shift) & 0xF];
                } else {
                    quoted += c;
                }
        }
    }
    quoted += L'"';
    return quoted;
}

std::uint32_t KeyMessageLParam(bool keyUp, std::uint32_t scanCode) {
    std::uint32_t lParam = 1u | ((scanCode & 0xFFu) << 16);
    if (keyUp) lParam |= (1u << 30) | (1u << 31);
    return lParam;
}

}  // namespace tavrexauto
