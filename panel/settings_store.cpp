// Loading and saving the touch applet's settings record.
#include "panel/settings_store.h"

#include <cstring>

#include "driver/parameters.h"
#include "panel/gbk_text.h"
#include "panel/pages/beep_page.h"
#include "panel/pages/mouse_mode_page.h"
#include "panel/texts.h"
#include "panel/touch_applet.h"

namespace panel {

char DoubleClickSpeedText[5 + 1] = "     ";
char DoubleClickHeightText[4 + 1] = "    ";

namespace {

// What a missing or out-of-range frequency becomes.
constexpr std::uint32_t kDefaultBeepFrequency = 2000;

// A Parameters value as 4 raw bytes, whatever its type. A value of any other size leaves the field
// as it was: a shorter one would mix its bytes with the old value's.
void ReadRaw(platform::RegistryKey& key, const char* name, std::uint32_t& field) {
    unsigned char bytes[4];
    std::uint32_t size = 0;
    if (!key.queryBytes(name, bytes, sizeof bytes, size) || size != sizeof bytes) return;
    std::memcpy(&field, bytes, sizeof bytes);
}

void ReadRaw(platform::RegistryKey& key, const char* name, std::int32_t& field) {
    std::uint32_t value = static_cast<std::uint32_t>(field);
    ReadRaw(key, name, value);
    field = static_cast<std::int32_t>(value);
}

// Read with room for one byte less than the buffer, which keeps the terminator. A value that cannot
// be read as text of that size takes the fallback rather than whatever an earlier text left in the
// buffer, and so does a text without a digit rather than 0: OK writes the value back to the user's
// settings and puts the double-click time into force.
template <std::size_t N>
std::int32_t ReadText(platform::RegistryKey& key, const char* name, char (&buffer)[N], std::int32_t fallback) {
    std::uint32_t size = 0;
    if (!key.queryText(name, buffer, N - 1, size)) return fallback;
    return DecimalValue(buffer, N).value_or(fallback);
}

constexpr std::int32_t kFallbackDoubleClickHeight = 40;
constexpr std::int32_t kFallbackDoubleClickSpeed = 900;

}  // namespace

void CTouchApplet::ShowError(const char* message) {
    seams_.messageBoxes.show(0, message, text::kError, platform::kMbIconError | platform::kMbOk);
}

void CTouchApplet::LoadSettings() {
    if (auto key = seams_.registry.open(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath,
                                        platform::kKeyQueryValue)) {
        ReadRaw(*key, tavrex::kValueBeepMode, BeepMode);
        ReadRaw(*key, tavrex::kValueBeepFreq1, BeepFreq1);
        ReadRaw(*key, tavrex::kValueBeepTime1, BeepTime1);
        ReadRaw(*key, tavrex::kValuePort, Port);
        ReadRaw(*key, tavrex::kValueMouseMode, MouseMode);
        ReadRaw(*key, tavrex::kValueScreenPost, ScreenPost);
        ReadRaw(*key, tavrex::kValueRBNDelay, RBNDelay);
        if (BeepMode > kLastBeepMode) BeepMode = kLastBeepMode;
        if (BeepFreq1 < kBeepFrequencyMin || BeepFreq1 > kBeepFrequencyMax) BeepFreq1 = kDefaultBeepFrequency;
        if (BeepTime1 < kBeepDurationMin || BeepTime1 > kBeepDurationMax) BeepTime1 = kBeepDurationMin;
        if (MouseMode > kLastMouseMode) MouseMode = kLastMouseMode;
    } else {
        BeepMode = kLastBeepMode;
        BeepFreq1 = kDefaultBeepFrequency;
        BeepTime1 = kBeepDurationMin;
        MouseMode = kLastMouseMode;
        Port = 1;
        ShowError(text::kReadRegistryFailed);
    }

    if (auto key = seams_.registry.open(platform::RootKey::CurrentUser, kMouseKeyPath, platform::kKeyAllAccess)) {
        DoubleClickSpeed = ReadText(*key, kValueDoubleClickSpeed, DoubleClickSpeedText, kFallbackDoubleClickSpeed);
        DoubleClickHeight = ReadText(*key, kValueDoubleClickHeight, DoubleClickHeightText, kFallbackDoubleClickHeight);
    } else {
        ShowError(text::kMouseKeyReadFailed);
        DoubleClickHeight = kFallbackDoubleClickHeight;
        DoubleClickSpeed = kFallbackDoubleClickSpeed;
    }
}

void CTouchApplet::SaveSettings() {
    if (auto key =
            seams_.registry.open(platform::RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeySetValue)) {
        key->setDword(tavrex::kValueBeepMode, BeepMode);
        key->setDword(tavrex::kValueBeepFreq1, BeepFreq1);
        key->setDword(tavrex::kValueBeepTime1, BeepTime1);
        key->setDword(tavrex::kValueBeepFreq2, BeepFreq2);
        key->setDword(tavrex::kValueBeepTime2, BeepTime2);
        key->setDword(tavrex::kValuePort, static_cast<std::uint32_t>(Port));
        key->setDword(tavrex::kValueMouseMode, MouseMode);
        key->setDword(tavrex::kValueScreenPost, ScreenPost);
        key->setDword(tavrex::kValueRBNDelay, RBNDelay);
    } else {
        ShowError(text::kWriteRegistryFailed);
    }

    if (auto key = seams_.registry.open(platform::RootKey::CurrentUser, kMouseKeyPath, platform::kKeyAllAccess)) {
        char height[kDecimalTextSize];
        DecimalText(height, DoubleClickHeight);
        key->setString(kValueDoubleClickHeight, height);
        key->setString(kValueDoubleClickWidth, height);
        char speed[kDecimalTextSize];
        DecimalText(speed, DoubleClickSpeed);
        key->setString(kValueDoubleClickSpeed, speed);
    } else {
        ShowError(text::kMouseKeyWriteFailed);
    }
}

}  // namespace panel
