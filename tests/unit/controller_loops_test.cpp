#include "calibrator/controller_loops.h"

#include <gtest/gtest.h>

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
    devices.hook = [](std::uint32_t code, const void* in, void*, bool answered) {
        return answered && !(code == tavrex::REQ_CONTROLLER_COMMAND &&
                             static_cast<const tavrex::ControllerCommand*>(in)->frame[1] == 'G');
    };
    Greet();
    EXPECT_EQ(Frames(), (std::vector<std::string>{"ET3", "GP"}));
    EXPECT_EQ(app->controllerMode, 1u);
    EXPECT_EQ(clock.waits(), (std::vector<std::uint32_t>{50, 250}));
}

}  // namespace
