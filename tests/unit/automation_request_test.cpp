#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/automation/request.h"

namespace {

using tavrexauto::ParseRequest;
using tavrexauto::Request;
using tavrexauto::Verb;

Request Parsed(std::vector<std::wstring> args) {
    const auto outcome = ParseRequest(args);
    EXPECT_TRUE(outcome.request.has_value()) << std::string(outcome.error.begin(), outcome.error.end());
    return outcome.request.value_or(Request{});
}

TEST(AutomationRequest, WindowsAreNamedByHandleOrByClassAndTitle) {
    Request r = Parsed({L"text", L"0x00A1B2C3", L"1001"});
    EXPECT_EQ(r.verb, Verb::Text);
    EXPECT_EQ(r.window.handle, 0x00A1B2C3u);
    EXPECT_EQ(r.controlId, 1001);

    r = Parsed({L"click", L"0XffFFffFF", L"2"});
    EXPECT_EQ(r.window.handle, 0xFFFFFFFFu);
    r = Parsed({L"info", L"4096"});
    EXPECT_EQ(r.window.handle, 4096u) << "decimal handles as a person may type them";

    r = Parsed({L"info", L"#32770", L"*"});
    EXPECT_FALSE(r.window.handle);
    EXPECT_EQ(r.window.className, L"#32770");
    EXPECT_FALSE(r.window.title) << "* matches any title";
    EXPECT_TRUE(r.window.Matches(L"#32770", L" 校准确认"));
    EXPECT_FALSE(r.window.Matches(L"TAVREXCALIBA", L" 校准确认"));

    // wait looks windows up by name only, even when the class looks like a number.
    r = Parsed({L"wait", L"123", L"TAVREX CALIBRAY", L"2500"});
    EXPECT_EQ(r.verb, Verb::Wait);
    EXPECT_FALSE(r.window.handle);
    EXPECT_EQ(r.window.className, L"123");
    EXPECT_EQ(r.timeoutMs, 2500u);
    EXPECT_EQ(Parsed({L"gone", L"*", L"*"}).timeoutMs, tavrexauto::kDefaultTimeoutMs);
    EXPECT_FALSE(r.visible);
    r = Parsed({L"wait", L"#32770", L"*", L"600", L"visible"});
    EXPECT_TRUE(r.visible && !r.tabs && r.timeoutMs == 600u);
    EXPECT_TRUE(Parsed({L"wait", L"#32770", L"*", L"tabs"}).tabs);
}

TEST(AutomationRequest, VerbArgumentsAreReadWithTheirDefaults) {
    Request r = Parsed({L"key", L"0x10", L"27"});
    EXPECT_EQ(r.value, 27);
    EXPECT_EQ(r.phase, tavrexauto::KeyPhase::Both);
    EXPECT_EQ(Parsed({L"key", L"0x10", L"13", L"up"}).phase, tavrexauto::KeyPhase::Up);
    EXPECT_EQ(Parsed({L"key", L"0x10", L"13", L"down"}).phase, tavrexauto::KeyPhase::Down);

    EXPECT_EQ(Parsed({L"close", L"0x10"}).close, tavrexauto::CloseKind::Box);
    EXPECT_EQ(Parsed({L"close", L"0x10", L"message"}).close, tavrexauto::CloseKind::Message);

    r = Parsed({L"slider", L"0x10", L"1005", L"-3"});
    EXPECT_EQ(r.controlId, 1005);
    EXPECT_EQ(r.value, -3) << "a slider position may be below zero; the control clamps it";
    r = Parsed({L"pick", L"0x10", L"-2147483648", L"2147483647"});
    EXPECT_EQ(r.controlId, INT32_MIN);
    EXPECT_EQ(r.value, INT32_MAX);
    r = Parsed({L"idealsize", L"0x10", L"1"});
    EXPECT_TRUE(r.verb == Verb::IdealSize && r.controlId == 1);

    EXPECT_EQ(Parsed({L"foreground"}).verb, Verb::Foreground);
    EXPECT_EQ(Parsed({L"zorder"}).verb, Verb::ZOrder);
    EXPECT_EQ(Parsed({L"monitors"}).verb, Verb::Monitors);
    EXPECT_EQ(Parsed({L"wait", L"*", L"*", L"4294967294"}).timeoutMs, 4294967294u);

    r = Parsed({L"rawsz", L"HKCU\\Control Panel\\Mouse", L"DoubleClickSpeed", L"56"});
    EXPECT_EQ(r.keyPath + L"|" + r.valueName + L"|" + r.text, L"Control Panel\\Mouse|DoubleClickSpeed|56");
    EXPECT_EQ(Parsed({L"hold", L"\\\\.\\COM7", L"60000"}).timeoutMs, 60000u);
}

TEST(AutomationRequest, EveryMalformedCommandLineIsRefusedWithAReason) {
    const std::vector<std::vector<std::wstring>> bad = {
        {},
        {L"Wait", L"*", L"*"},  // verbs are lower case
        {L"foreground", L"extra"},
        {L"info"},            // no window
        {L"info", L"CLASS"},  // a class without a title
        {L"info", L"0x10", L"extra"},
        {L"text", L"0x10"},  // no control id
        {L"text", L"0x10", L"1", L"2"},
        {L"text", L"0x10", L"12a"},
        {L"idealsize", L"0x10"},
        {L"click", L"0x10", L"2147483648"},  // beyond int32
        {L"pick", L"0x10", L"1001", L"-1"},  // an index is not negative
        {L"slider", L"0x10", L"1001"},
        {L"key", L"0x10", L"0"},  // virtual keys are 1 to 254
        {L"key", L"0x10", L"255"},
        {L"key", L"0x10", L"27", L"sideways"},
        {L"key", L"0x10", L"27", L"up", L"again"},
        {L"close", L"0x10", L"x"},
        {L"wait", L"*", L"*", L"4294967295"},  // the largest timeout is reserved
        {L"wait", L"*", L"*", L"-1"},
        {L"wait", L"*", L"*", L"10", L"20"},
        {L"gone", L"*", L"*", L""},
        {L"wait", L"*", L"*", L"tabs", L"10"},  // the condition comes last
        {L"rawsz", L"HKLM\\x", L"a", L"b"},
    };
    for (const auto& args : bad) {
        const auto outcome = ParseRequest(args);
        std::string line;
        for (const auto& a : args) line += std::string(a.begin(), a.end()) + " ";
        EXPECT_FALSE(outcome.request.has_value()) << line;
        EXPECT_FALSE(outcome.error.empty()) << line;
    }
    // A token that is not a handle names a class: 0x1234567890 (too long) needs a title after it.
    EXPECT_FALSE(ParseRequest({L"info", L"0x1234567890"}).request.has_value());
    EXPECT_EQ(Parsed({L"info", L"0x1234567890", L"*"}).window.className, L"0x1234567890");
}

TEST(AutomationRequest, AnswersAreShapedForLineReaders) {
    EXPECT_EQ(tavrexauto::FormatHandle(0x1A2B), L"0x00001A2B");
    EXPECT_EQ(tavrexauto::FormatHex32(0xDEADBEEF), L"0xDEADBEEF");
    EXPECT_EQ(tavrexauto::FormatRect(-1, 0, 1024, 768), L"-1 0 1024 768");
    EXPECT_EQ(tavrexauto::QuoteText(L"a\\b\"c\r\nd\te"), L"\"a\\\\b\\\"c\\r\\nd\\te\"");
    EXPECT_EQ(tavrexauto::QuoteText(L""), L"\"\"");
    // Repeat count 1 and the scan code; a key-up also has the previous-state and transition bits.
    EXPECT_EQ(tavrexauto::KeyMessageLParam(false, 0x01), 0x00010001u);
    EXPECT_EQ(tavrexauto::KeyMessageLParam(true, 0x01), 0xC0010001u);
    EXPECT_EQ(tavrexauto::KeyMessageLParam(true, 0x1FF), 0xC0FF0001u) << "only the scan code's low byte";
}

}  // namespace
