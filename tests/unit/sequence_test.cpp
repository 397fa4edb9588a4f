#include "calibrator/sequence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "calibrator/messages.h"
#include "calibrator/startup.h"
#include "driver/requests.h"
#include "tests/unit/calibrator_fixture.h"

namespace {

using platform::RootKey;
using testing_support::CalibratorFixture;

// Corner touches of an upright panel and diagonal touches of a controller panel, 1024 x 768.
const std::int32_t kCornerTouches[4][2] = {{1000, 900}, {3000, 2900}, {1010, 2890}, {2990, 910}};
const std::int32_t kControllerTouches[4][2] = {{1000, 900}, {1480, 1400}, {2520, 2400}, {3000, 2900}};

// One driver request as the tests read it: its code and, for controller commands, the frame text.
struct Request {
    std::uint32_t code;
    std::string frame;
};

class SequenceTest : public CalibratorFixture {
protected:
    SequenceTest() {
        // Let a polling worker give way to the main thread, as the real 50 ms waits would.
        clock.afterWait = [](std::uint64_t) { std::this_thread::yield(); };
    }
    ~SequenceTest() override { Finish(); }

    void Controller(standin::ControllerBehaviour behaviour) {
        auto lock = devices.lock();
        devices.core().setControllerBehaviour(behaviour);
    }
    void Touch(const std::int32_t (&touches)[4][2]) {
        auto lock = devices.lock();
        for (const auto& t : touches) devices.core().queueTouch(t[0], t[1]);
    }

    // Start-up as the entry point runs it, with the first paint that showing the window brings; the
    // hook, when given, changes the driver's answers from then on.
    void Start(fakes::FakeDevices::Hook hook = {}) {
        app = std::make_unique<calibrator::Calibrator>(seams());
        ASSERT_EQ(calibrator::InitInstance(*app, 1), 1);
        devices.hook = std::move(hook);
        devices.core().clearLog();
        startWaits = clock.waits().size();
        Dispatch(platform::kWmPaint);
        calibrator::StartPasses(*app);
    }
    void Dispatch(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        EXPECT_TRUE(calibrator::HandleCalibratorMessage(*app, message, wParam, lParam));
        if (message == calibrator::MSG_SHOW_TARGET) shownTargets.push_back(static_cast<std::uint32_t>(lParam));
    }
    // Runs the message loop until the program quits; stopAt, when met, is dispatched and then
    // the loop hands control back.
    bool Pump(std::uint32_t stopAtMessage = 0, std::intptr_t stopAtParam = -1, int timeoutMs = 3000) {
        fakes::Posted message{};
        while (windows.quitCode < 0) {
            if (!windows.nextPosted(message, timeoutMs)) return false;
            Dispatch(message.message, message.wParam, message.lParam);
            if (message.message == stopAtMessage && (stopAtParam < 0 || message.lParam == stopAtParam)) return true;
        }
        return true;
    }
    // Runs the message loop until the given message is next, and leaves it undispatched.
    bool PumpUntilPosted(std::uint32_t wanted, int timeoutMs = 3000) {
        fakes::Posted message{};
        while (windows.nextPosted(message, timeoutMs)) {
            if (message.message == wanted) return true;
            Dispatch(message.message, message.wParam, message.lParam);
        }
        return false;
    }
    void Finish() {
        if (app) {
            app->stopRequested = 1;
            if (app->startEvent) app->startEvent->set();
        }
        threads.joinAll();
    }

    std::vector<Request> Requests() {
        std::vector<Request> requests;
        for (const auto& entry : devices.log()) requests.push_back({entry.code, testing_support::FrameName(entry)});
        return requests;
    }
    std::vector<std::string> Frames() {
        std::vector<std::string> frames;
        for (const auto& r : Requests())
            if (r.code == tavrex::REQ_CONTROLLER_COMMAND) frames.push_back(r.frame);
        return frames;
    }
    int Count(std::uint32_t code) {
        int n = 0;
        for (const auto& r : Requests()) n += r.code == code;
        return n;
    }
    std::vector<tavrex::CalibrationRecord> AppliedRecords() {
        std::vector<tavrex::CalibrationRecord> records;
        for (const auto& entry : devices.log()) {
            if (entry.code != tavrex::REQ_SET_CALIBRATION) continue;
            tavrex::CalibrationRecord record;
            std::memcpy(&record, entry.input, sizeof record);
            records.push_back(record);
        }
        return records;
    }
    std::vector<std::uint32_t> UiWaits() {
        auto all = clock.waitsOn(std::this_thread::get_id());
        // The start-up greeting's waits are not the sequence's.
        std::vector<std::uint32_t> ui;
        std::size_t skipped = 0;
        for (std::uint32_t w : all)
            if (skipped++ >= startWaits) ui.push_back(w);
        return ui;
    }
    std::vector<std::string> Stored() {
        std::vector<std::string> names;
        for (const auto& w : registry.writes()) names.push_back(w.name);
        return names;
    }

    std::unique_ptr<calibrator::Calibrator> app;
    std::vector<std::uint32_t> shownTargets;
    std::size_t startWaits = 0;
};

TEST_F(SequenceTest, CornerPassConfirmedStoresTheTrialAndEndsWithoutReloading) {
    Controller(standin::CONTROLLER_SILENT);
    Touch(kCornerTouches);
    Start();
    ASSERT_EQ(app->controllerMode, 0u);
    ASSERT_TRUE(Pump());
    Finish();

    EXPECT_EQ(screen.painted, std::vector<std::uint32_t>{16}) << "the first paint shows the first target";
    EXPECT_EQ(std::vector<std::uint32_t>(shownTargets.begin(), shownTargets.begin() + 5),
              (std::vector<std::uint32_t>{16, 32, 256, 288, 0}));
    ASSERT_EQ(AppliedRecords().size(), 1u);
    const tavrex::CalibrationRecord trial = AppliedRecords()[0];
    EXPECT_EQ(trial.Xc, 2000);
    EXPECT_EQ(trial.XL, 3980);
    EXPECT_EQ(trial.secondSpanY, 3960);
    EXPECT_EQ(devices.core().calibration().Xc, 2000) << "the driver keeps the confirmed trial";

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, fakes::Shown::Prompt);
    EXPECT_EQ(messages.shown[0].text, "鼠标指针可以准确跟随手指触点了吗?");
    EXPECT_EQ(messages.shown[0].caption, " 校准确认");
    EXPECT_EQ(messages.shown[0].owner, app->mainWindow);
    EXPECT_EQ(Stored(), (std::vector<std::string>{"Xc", "XL", "Yc", "YL", "Shp", "Shs", "Svp", "Svs", "Rotate"}));
    EXPECT_EQ(desktop.pointerCalls, (std::vector<bool>{false, true}))
        << "hidden from the first pass on, shown for the question, and left visible at the end";
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 0);
    EXPECT_EQ(Count(tavrex::REQ_CONTROLLER_COMMAND), 0) << "no controller commands in the corner layout";
    EXPECT_EQ(windows.quitCode, 0);
    // Each target: arm, one read that finds the queued touch, one 50 ms wait.
    const auto requests = Requests();
    EXPECT_EQ(requests.at(0).code, tavrex::REQ_ARM_SAMPLE);
    EXPECT_EQ(requests.at(1).code, tavrex::REQ_READ_SAMPLE);
    EXPECT_EQ(requests.at(2).code, tavrex::REQ_ARM_SAMPLE);
}

TEST_F(SequenceTest, ControllerPassLoadsLinearityThenLeavesCalibrationMode) {
    Touch(kControllerTouches);
    Start();
    ASSERT_EQ(app->controllerMode, 1u);
    ASSERT_TRUE(Pump());
    Finish();

    EXPECT_EQ(std::vector<std::uint32_t>(shownTargets.begin(), shownTargets.begin() + 5),
              (std::vector<std::uint32_t>{16, 64, 128, 32, 0}));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"SP", "GP", "ET0", "ET0"}));
    EXPECT_EQ(devices.core().linearityX(), 2992u);
    EXPECT_EQ(devices.core().linearityY(), 3072u);
    // The "SP" frame as the controller received it.
    for (const auto& entry : devices.log()) {
        if (entry.code != tavrex::REQ_CONTROLLER_COMMAND || entry.input[1] != 'S') continue;
        const std::uint8_t sp[12] = {0x01, 0x53, 0x50, 0xB0, 0x0B, 0xB0, 0x0B, 0x00, 0x0C, 0x00, 0x0C, 0x0D};
        EXPECT_EQ(0, std::memcmp(entry.input, sp, sizeof sp));
    }
    EXPECT_EQ(UiWaits(), (std::vector<std::uint32_t>{100, 50, 20}));
    EXPECT_EQ(AppliedRecords().at(0).XL, 3840);
    EXPECT_EQ(windows.quitCode, 0);
}

TEST_F(SequenceTest, CancelWithdrawsTheTrialAndRunsAnotherPass) {
    Touch(kCornerTouches);
    const std::int32_t second[4][2] = {{900, 1000}, {2900, 3000}, {2890, 1010}, {910, 2990}};
    Touch(second);
    Controller(standin::CONTROLLER_SILENT);
    messages.promptAnswers = {platform::kIdCancel, -1, platform::kIdOk};
    registry.findKey(RootKey::LocalMachine, tavrex::kParametersKeyPath)->values["Xc"] = 777u;
    Start();
    // The third pass needs touches too: the second and third share the rotated panel.
    Touch(second);
    ASSERT_TRUE(Pump());
    Finish();

    ASSERT_EQ(AppliedRecords().size(), 3u);
    EXPECT_EQ(AppliedRecords()[0].Rotate, 0);
    EXPECT_EQ(AppliedRecords()[1].Rotate, 90);
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 2) << "each unconfirmed pass is withdrawn";
    // Every withdrawal comes before the next pass's first arm.
    const auto requests = Requests();
    int reloads = 0;
    for (std::size_t i = 0; i < requests.size(); ++i)
        if (requests[i].code == tavrex::REQ_RELOAD_SETTINGS) {
            ++reloads;
            ASSERT_LT(i + 1, requests.size());
            EXPECT_EQ(requests[i + 1].code, tavrex::REQ_ARM_SAMPLE);
        }
    EXPECT_EQ(reloads, 2);
    // Re-entering calibration mode failed: three "ET3" attempts each time, 50 ms apart.
    EXPECT_EQ(Frames(), std::vector<std::string>(6, "ET3"));
    EXPECT_EQ(UiWaits(), std::vector<std::uint32_t>(6, 50));
    EXPECT_EQ(desktop.pointerCalls, (std::vector<bool>{false, true, false, true, false, true}));
    EXPECT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(registry.writes().size(), 9u) << "only the confirmed pass is stored";
    EXPECT_EQ(std::get<std::uint32_t>(registry.writes()[8].value), 90u);
}

TEST_F(SequenceTest, SilentControllerAtStartCanJoinTheControllerLayoutOnANewPass) {
    Controller(standin::CONTROLLER_SILENT);
    Touch(kCornerTouches);
    messages.promptAnswers = {platform::kIdCancel};
    Start();
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET, calibrator::TARGET_NONE));
    Controller(standin::CONTROLLER_ANSWERING);  // the controller wakes up before the question
    Touch(kControllerTouches);
    ASSERT_TRUE(Pump());
    Finish();
    EXPECT_EQ(app->controllerMode, 1u);
    EXPECT_EQ(std::vector<std::uint32_t>(shownTargets.begin() + 5, shownTargets.begin() + 10),
              (std::vector<std::uint32_t>{16, 64, 128, 32, 0}));
    EXPECT_EQ(Frames(), (std::vector<std::string>{"ET3", "SP", "GP", "ET0", "ET0"}));
}

TEST_F(SequenceTest, EscapeWhileATargetShowsLeavesWithTheStoredCalibration) {
    Start();  // answering controller, no touches: the worker polls the first target
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET, calibrator::TARGET_TOP_LEFT));
    Dispatch(platform::kWmKeyUp, 13);  // other keys do nothing
    EXPECT_EQ(windows.quitCode, -1);
    Dispatch(platform::kWmKeyUp, 27);
    EXPECT_EQ(windows.quitCode, 0);
    Finish();

    EXPECT_EQ(Frames(), std::vector<std::string>{"ET0"});
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 1);
    EXPECT_EQ(Count(tavrex::REQ_SET_CALIBRATION), 0) << "the worker ends without computing";
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(UiWaits(), std::vector<std::uint32_t>{});
}

TEST_F(SequenceTest, EscapeWithASilentControllerRetriesEt0WithDoubleWaits) {
    Start();
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET));
    Controller(standin::CONTROLLER_SILENT);
    Dispatch(platform::kWmKeyUp, 27);
    Finish();
    EXPECT_EQ(Frames(), std::vector<std::string>(3, "ET0"));
    EXPECT_EQ(UiWaits(), std::vector<std::uint32_t>(6, 50));
    // The reload follows the last "ET0", whatever the controller did.
    const auto requests = Requests();
    std::size_t lastEt0 = 0, reload = 0;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        if (requests[i].frame == "ET0") lastEt0 = i;
        if (requests[i].code == tavrex::REQ_RELOAD_SETTINGS) reload = i;
    }
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 1);
    EXPECT_GT(reload, lastEt0);
}

TEST_F(SequenceTest, ConfirmedEndRetriesAnUnacknowledgedEt0AfterShortWaits) {
    Touch(kControllerTouches);
    Start();
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET, 0));
    Controller(standin::CONTROLLER_WRONG_ACK);
    ASSERT_TRUE(Pump());
    Finish();
    // "SP" is taken but "GP" reads back fine; "ET0" after the pass is never acknowledged (retried at
    // once, 5 times), and the end's "ET0" waits 50 ms after each of its 5 attempts.
    EXPECT_EQ(Frames(), (std::vector<std::string>{"SP", "GP", "ET0", "ET0", "ET0", "ET0", "ET0", "ET0", "ET0", "ET0",
                                                  "ET0", "ET0"}));
    EXPECT_EQ(UiWaits(), (std::vector<std::uint32_t>{100, 50, 20, 50, 50, 50, 50, 50}));
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 0);
}

// Corrupts the first "GP" replies, as a controller that has not yet taken the values would answer.
fakes::FakeDevices::Hook StaleLinearity(int staleReplies) {
    return [staleReplies](std::uint32_t code, const void* in, void* out, bool answered) mutable {
        const auto* command = static_cast<const tavrex::ControllerCommand*>(in);
        if (answered && code == tavrex::REQ_CONTROLLER_COMMAND && command->frame[1] == 'G' && staleReplies > 0) {
            --staleReplies;
            static_cast<std::uint8_t*>(out)[1] ^= 0x01;
        }
        return answered;
    };
}

TEST_F(SequenceTest, LinearityReadBackThatMatchesOnTheThirdAttemptEndsTheLoop) {
    Touch(kControllerTouches);
    Start(StaleLinearity(2));
    ASSERT_TRUE(Pump());
    Finish();
    EXPECT_EQ(Frames(), (std::vector<std::string>{"SP", "GP", "SP", "GP", "SP", "GP", "ET0", "ET0"}));
    EXPECT_EQ(UiWaits(), (std::vector<std::uint32_t>{100, 50, 50, 50, 20}));
}

TEST_F(SequenceTest, SystemDestroyingTheWindowStoresNothing) {
    Start();
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET));
    Dispatch(platform::kWmDestroy);
    Finish();
    EXPECT_EQ(windows.quitCode, 0);
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_EQ(Frames(), std::vector<std::string>{"ET0"});
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 0);
}

TEST_F(SequenceTest, PassAppliedAfterEscapeIsWithdrawnByTheWorker) {
    Controller(standin::CONTROLLER_SILENT);
    Touch(kCornerTouches);
    // ESC lands while the worker applies its pass: the request itself raises the stop flag.
    Start([this](std::uint32_t code, const void*, void*, bool answered) {
        if (code == tavrex::REQ_SET_CALIBRATION) app->stopRequested = 1;
        return answered;
    });
    EXPECT_FALSE(Pump(calibrator::MSG_PASS_DONE, -1, 300)) << "no question is asked for a withdrawn pass";
    Finish();
    const auto requests = Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2].code, tavrex::REQ_SET_CALIBRATION);
    EXPECT_EQ(requests.back().code, tavrex::REQ_RELOAD_SETTINGS);
    EXPECT_EQ(devices.core().calibration().Xc, 892) << "the driver is back on its stored calibration";
}

TEST_F(SequenceTest, PassDoneHandledAfterEscapeAsksNothingAndLeavesTheTrialWithdrawn) {
    Controller(standin::CONTROLLER_SILENT);
    Touch(kCornerTouches);
    Start();
    // The worker has applied its pass and posted that it is done; ESC is handled before that message,
    // as when it lands between the worker's last stop check and its post.
    ASSERT_TRUE(PumpUntilPosted(calibrator::MSG_PASS_DONE));
    Dispatch(platform::kWmKeyUp, platform::kVkEscape);
    EXPECT_EQ(windows.quitCode, 0);
    Dispatch(calibrator::MSG_PASS_DONE);
    Finish();

    EXPECT_TRUE(messages.shown.empty()) << "no question after the user left";
    EXPECT_EQ(desktop.pointerCalls, std::vector<bool>{false}) << "the pointer was never shown for a question";
    EXPECT_TRUE(registry.writes().empty());
    EXPECT_EQ(Frames(), std::vector<std::string>{});
    EXPECT_EQ(Count(tavrex::REQ_SET_CALIBRATION), 1);
    const auto requests = Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().code, tavrex::REQ_RELOAD_SETTINGS);
    EXPECT_EQ(devices.core().calibration().Xc, tavrex::kDefaultCalibration.Xc) << "the trial is withdrawn";
    EXPECT_EQ(Count(tavrex::REQ_ARM_SAMPLE), 4) << "the worker starts no new pass after the stop";
}

TEST_F(SequenceTest, SilentControllerAfterAPassFailsEverySpGpAndEt0Attempt) {
    Touch(kControllerTouches);
    Start();
    ASSERT_EQ(app->controllerMode, 1u);
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET, calibrator::TARGET_NONE));
    Controller(standin::CONTROLLER_SILENT);  // the controller stops answering while the pass is applied
    ASSERT_TRUE(Pump());
    Finish();

    // Seven "SP"/"GP" attempts, five "ET0" after the pass, then five "ET0" at the confirmed end.
    std::vector<std::string> expected;
    for (int i = 0; i < 7; ++i) expected.insert(expected.end(), {"SP", "GP"});
    expected.insert(expected.end(), 10, "ET0");
    EXPECT_EQ(Frames(), expected);
    // 100, 50 after each "SP", 20, 50 after each failed "ET0" of the pass; the end's retries do not wait.
    std::vector<std::uint32_t> waits{100};
    waits.insert(waits.end(), 7, 50);
    waits.push_back(20);
    waits.insert(waits.end(), 5, 50);
    EXPECT_EQ(UiWaits(), waits);
    ASSERT_EQ(messages.shown.size(), 1u) << "none of the failures is reported";
    EXPECT_EQ(registry.writes().size(), 9u) << "the confirmed pass is stored all the same";
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 0);
    EXPECT_EQ(windows.quitCode, 0);
}

TEST_F(SequenceTest, LinearityThatNeverReadsBackGivesUpAfterSevenAttempts) {
    Touch(kControllerTouches);
    Start(StaleLinearity(1000));
    ASSERT_TRUE(Pump());
    Finish();
    std::vector<std::string> expected;
    for (int i = 0; i < 7; ++i) expected.insert(expected.end(), {"SP", "GP"});
    expected.insert(expected.end(), {"ET0", "ET0"});
    EXPECT_EQ(Frames(), expected);
    EXPECT_EQ(UiWaits(), (std::vector<std::uint32_t>{100, 50, 50, 50, 50, 50, 50, 50, 20}));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(SequenceTest, UnacknowledgedEt3BeforeANewPassFallsBackToTheCornerLayout) {
    Touch(kControllerTouches);
    Touch(kCornerTouches);
    messages.promptAnswers = {platform::kIdCancel, platform::kIdOk};
    // A controller that takes every command but never acknowledges "ET3".
    Start([](std::uint32_t code, const void* in, void* out, bool answered) {
        const auto* command = static_cast<const tavrex::ControllerCommand*>(in);
        if (answered && code == tavrex::REQ_CONTROLLER_COMMAND && std::memcmp(command->frame + 1, "ET3", 3) == 0)
            static_cast<std::uint8_t*>(out)[1] = '1';
        return answered;
    });
    ASSERT_EQ(app->controllerMode, 1u);
    ASSERT_TRUE(Pump());
    Finish();

    EXPECT_EQ(app->controllerMode, 0u);
    ASSERT_GE(shownTargets.size(), 10u);
    EXPECT_EQ(std::vector<std::uint32_t>(shownTargets.begin(), shownTargets.begin() + 5),
              (std::vector<std::uint32_t>{16, 64, 128, 32, 0}));
    EXPECT_EQ(std::vector<std::uint32_t>(shownTargets.begin() + 5, shownTargets.begin() + 10),
              (std::vector<std::uint32_t>{16, 32, 256, 288, 0}));
    // Three "ET3" retried at once; the corner pass and its confirmed end send no controller command.
    EXPECT_EQ(Frames(), (std::vector<std::string>{"SP", "GP", "ET0", "ET3", "ET3", "ET3"}));
    EXPECT_EQ(UiWaits(), (std::vector<std::uint32_t>{100, 50, 20}));
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 1);
    EXPECT_EQ(AppliedRecords().size(), 2u);
}

TEST_F(SequenceTest, EscapeInTheCornerLayoutReloadsWithoutEt0) {
    Controller(standin::CONTROLLER_SILENT);
    Start();
    ASSERT_EQ(app->controllerMode, 0u);
    ASSERT_TRUE(Pump(calibrator::MSG_SHOW_TARGET, calibrator::TARGET_TOP_LEFT));
    Controller(standin::CONTROLLER_ANSWERING);  // it would answer now, but the corner layout does not ask
    Dispatch(platform::kWmKeyUp, platform::kVkEscape);
    Finish();
    EXPECT_EQ(windows.quitCode, 0);
    EXPECT_EQ(Frames(), std::vector<std::string>{});
    EXPECT_EQ(Count(tavrex::REQ_RELOAD_SETTINGS), 1);
    EXPECT_EQ(UiWaits(), std::vector<std::uint32_t>{});
    EXPECT_TRUE(registry.writes().empty());
}

TEST_F(SequenceTest, FiveCancelsInARowEachWithdrawTheirTrialBeforeTheNextPass) {
    Controller(standin::CONTROLLER_SILENT);
    for (int pass = 0; pass < 6; ++pass) Touch(kCornerTouches);
    messages.promptAnswers = {platform::kIdCancel, platform::kIdCancel, platform::kIdCancel,
                              platform::kIdCancel, platform::kIdCancel, platform::kIdOk};
    Start();
    ASSERT_TRUE(Pump());
    Finish();

    EXPECT_EQ(messages.shown.size(), 6u);
    EXPECT_EQ(AppliedRecords().size(), 6u);
    // Applied, withdrawn, next pass's first arm; five times; then the confirmed one stays.
    std::vector<std::uint32_t> milestones;
    bool passStarted = false;
    for (const auto& r : Requests()) {
        if (r.code == tavrex::REQ_SET_CALIBRATION || r.code == tavrex::REQ_RELOAD_SETTINGS) {
            milestones.push_back(r.code);
            passStarted = false;
        } else if (r.code == tavrex::REQ_ARM_SAMPLE && !passStarted) {
            milestones.push_back(r.code);
            passStarted = true;
        }
    }
    std::vector<std::uint32_t> expected;
    for (int pass = 0; pass < 6; ++pass) {
        expected.push_back(tavrex::REQ_ARM_SAMPLE);
        expected.push_back(tavrex::REQ_SET_CALIBRATION);
        if (pass < 5) expected.push_back(tavrex::REQ_RELOAD_SETTINGS);
    }
    EXPECT_EQ(milestones, expected);
    std::vector<bool> pointer{false};
    for (int pass = 0; pass < 5; ++pass) pointer.insert(pointer.end(), {true, false});
    pointer.push_back(true);
    EXPECT_EQ(desktop.pointerCalls, pointer);
    EXPECT_EQ(registry.writes().size(), 9u) << "only the confirmed pass is stored";
    EXPECT_EQ(devices.core().calibration().Xc, 2000);
}

}  // namespace
