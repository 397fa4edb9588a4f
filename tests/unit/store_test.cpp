#include "calibrator/store.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calibrator_fixture.h"
#include "driver/parameters.h"

namespace calibrator {
namespace {

using platform::RootKey;

class StoreTest : public testing_support::CalibratorFixture {
protected:
    StoreTest() {
        parameters().values["ScreenPost"] = 16u;
        parameters().values["Xc"] = 892u;  // a calibration from before, to be replaced
        parameters().values["Beep"] = std::string("on");
    }

    fakes::FakeRegistry::Key& parameters() {
        return *registry.findKey(RootKey::LocalMachine, tavrex::kParametersKeyPath);
    }

    // Names and DWORDs of the writes made since the fixture was set up.
    std::vector<std::pair<std::string, std::uint32_t>> written() {
        std::vector<std::pair<std::string, std::uint32_t>> result;
        for (const auto& write : registry.writes()) {
            EXPECT_EQ(write.path, tavrex::kParametersKeyPath);
            result.emplace_back(write.name, std::get<std::uint32_t>(write.value));
        }
        return result;
    }

    // Every field distinct, so a swapped pair shows.
    static tavrex::CalibrationRecord Record() {
        return {1960, 1900, -4144, 4000, 90, 2275, 1820, 4096, 3072, 11, 12, 13, 14, 15, 16, 17, 18};
    }
};

TEST_F(StoreTest, WritesTheNineValuesInOrderAndNothingElse) {
    Calibrator app(seams());
    StoreCalibration(app, Record());

    const std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"Xc", 1960u},  {"XL", 0xFFFFEFD0u}, {"Yc", 1900u},  {"YL", 4000u},   {"Shp", 2275u},
        {"Shs", 1820u}, {"Svp", 4096u},      {"Svs", 3072u}, {"Rotate", 90u},
    };
    EXPECT_EQ(written(), expected);
    EXPECT_EQ(registry.opens().back().access, platform::kKeySetValue);

    auto& values = parameters().values;
    EXPECT_EQ(values.size(), 11u);
    EXPECT_EQ(std::get<std::uint32_t>(values["ScreenPost"]), 16u);
    EXPECT_EQ(std::get<std::string>(values["Beep"]), "on");
    EXPECT_EQ(std::get<std::uint32_t>(values["Xc"]), 1960u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StoreTest, WithoutTheRightToWriteTellsTheUserAndWritesNothing) {
    registry.grant(RootKey::LocalMachine, tavrex::kParametersKeyPath, platform::kKeyQueryValue);
    Calibrator app(seams());
    StoreCalibration(app, Record());

    EXPECT_TRUE(registry.writes().empty());
    EXPECT_EQ(std::get<std::uint32_t>(parameters().values["Xc"]), 892u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, fakes::Shown::Prompt);
    EXPECT_EQ(messages.shown[0].text, "该用户没有管理员权限!");
    EXPECT_EQ(messages.shown[0].caption, " 错误");
}

TEST_F(StoreTest, AFailingWriteDoesNotStopTheOthers) {
    parameters().failingWrites = {"Xc", "Svp"};
    Calibrator app(seams());
    StoreCalibration(app, Record());

    std::vector<std::string> names;
    for (const auto& write : written()) names.push_back(write.first);
    EXPECT_EQ(names, (std::vector<std::string>{"XL", "Yc", "YL", "Shp", "Shs", "Svs", "Rotate"}));
    EXPECT_EQ(std::get<std::uint32_t>(parameters().values["Xc"]), 892u);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace calibrator
