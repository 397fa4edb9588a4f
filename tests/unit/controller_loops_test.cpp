#include "calibrator/controller_loops.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "driver/requests.h"
#include "tests/unit/calibrator_fixture.h"

namespace {

using testing_support::CalibratorFixture;

class GreetingTest : public CalibratorFixture {
protected:
    void Greet() {
        app = std::make_unique<calibrator::Calibrator>(seams());
        app->device = devices.open("\\\\.\\tavrex", 3);
        calibrator::GreetController(*app);
    }
    void Controller(standin::ControllerBehaviour behaviour, std::uint32_t failuresFirst = 0) {
        auto lock = devices.lock();
        devices.core().setControllerBehaviour(behaviour);
        devices.core().setControllerFailures(failuresFirst);
    }
    // The frames the controller was sent, as text ("ET3", "GP", ...).
    std::vector<std::string> Frames() {
        std::vector<std::string> frames;
        for (const auto& entry : devices.log())
            if (entry.code == tavrex::REQ_CONTROLLER_COMMAND) frames.push_back(testing_support::FrameName(entry));
        return frames;
    }
    std::unique_ptr<calibrator::Calibrator> app;
};

TEST_F(GreetingTest, SilentControllerGetsFiveAttemptsWithLongWaitsAndTheCornerLayout) {
    Controller(standin::CONTROLLER_SILENT);
    Greet();
    EXPECT_EQ(app->controllerMode, 0u);
    EXPECT_EQ(Frames(), std::vector<std::string>(5, "ET3"));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{2000, 50, 2000, 50, 2000, 50, 2000, 50, 2000, 50}));
    EXPECT_EQ(clock.now(), 10250u);
}

TEST_F(GreetingTest, AnswerOnTheThirdAttemptTakesTheControllerLayoutAndReadsGpOnce) {
    Controller(standin::CONTROLLER_ANSWERING, 2);
    Greet();
    EXPECT_EQ(app->controllerMode, 1u) << "earlier failures cleared it; the acknowledgement sets it again";
    EXPECT_EQ(Frames(), (std::vector<std::string>{"ET3", "ET3", "ET3", "GP"}));
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{2000, 50, 2000, 50, 50}));
    EXPECT_EQ(app->ackReply[1], '0');
}

TEST_F(GreetingTest, WrongAcknowledgementByteIsRetriedAfterShortWaits) {
    Controller(standin::CONTROLLER_WRONG_ACK);
    Greet();
    EXPECT_EQ(app->controllerMode, 0u);
    EXPECT_EQ(Frames(), std::vector<std::string>(5, "ET3"));
    EXPECT_EQ(clock.waits(), std::vector<std::uint32_t>(5, 50));
}

// A controller that acknowledges "ET3" but fails "GP": the greeting still succeeds, after 250 ms.
TEST_F(GreetingTest, FailingGpAfterTheAcknowledgementWaitsAndKeepsTheControllerLayout) {
    class AckThenFail : public platform::DeviceHandle {
    public:
        int calls = 0;
        bool control(std::uint32_t code, const void*, std::uint32_t, void* out, std::uint32_t outSize,
                     std::uint32_t* returned) override {
            ++calls;
            if (code != tavrex::REQ_CONTROLLER_COMMAND || calls > 1) return false;
            const std::uint8_t ack[3] = {0x01, '0', 0x0D};
            std::memcpy(out, ack, outSize < 3 ? outSize : 3);
            *returned = 3;
            return true;
        }
    };
    app = std::make_unique<calibrator::Calibrator>(seams());
    auto device = std::make_unique<AckThenFail>();
    AckThenFail* raw = device.get();
    app->device = std::move(device);
    calibrator::GreetController(*app);
    EXPECT_EQ(raw->calls, 2);
    EXPECT_EQ(app->controllerMode, 1u);
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{50, 250}));
}

}  // namespace
