#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "driver/controller_frames.h"
#include "driver/requests.h"
#include "standin/protocol_core.h"

namespace {

using standin::ProtocolCore;
using standin::Status;

struct Parameters {
    std::map<std::string, std::uint32_t> values;
    static bool Read(void* context, const char* name, std::uint32_t* value) {
        auto& values = static_cast<Parameters*>(context)->values;
        auto it = values.find(name);
        if (it == values.end()) return false;
        *value = it->second;
        return true;
    }
};

class StandinCore : public ::testing::Test {
protected:
    StandinCore() { core->init({&parameters, &Parameters::Read}); }
    Status Send(std::uint32_t code, const void* in = nullptr, std::uint32_t inSize = 0, void* out = nullptr,
                std::uint32_t outSize = 0) {
        returned = 0xDEAD;
        return core->handle(code, in, inSize, out, outSize, &returned);
    }
    tavrex::RawSample Read() {
        tavrex::RawSample sample{tavrex::kSamplePreset, 0, 0};
        EXPECT_EQ(Send(tavrex::REQ_READ_SAMPLE, nullptr, 0, &sample, sizeof sample), Status::Ok);
        return sample;
    }
    Parameters parameters;
    std::unique_ptr<ProtocolCore> core = std::make_unique<ProtocolCore>();
    std::uint32_t returned = 0;
};

TEST_F(StandinCore, ReadsParametersAtLoadAndOnReloadOnly) {
    parameters.values = {{"Xc", 2000}, {"XL", static_cast<std::uint32_t>(-3980)}, {"ScreenPost", 18}, {"Port", 3}};
    core->init({&parameters, &Parameters::Read});
    EXPECT_EQ(core->calibration().Xc, 2000);
    EXPECT_EQ(core->calibration().XL, -3980);
    EXPECT_EQ(core->calibration().Yc, 520) << "missing values keep the driver's defaults";

    tavrex::CalibrationRecord trial{};
    trial.Xc = 1;
    trial.secondSpanY = 17;
    ASSERT_EQ(Send(tavrex::REQ_SET_CALIBRATION, &trial, sizeof trial), Status::Ok);
    EXPECT_EQ(core->calibration().secondSpanY, 17);

    parameters.values["Xc"] = 1234;
    parameters.values["ScreenPost"] = 38;
    std::uint32_t code = 0;
    ASSERT_EQ(Send(tavrex::REQ_GET_SCREEN_POSITION, nullptr, 0, &code, 4), Status::Ok);
    EXPECT_EQ(code, 18u) << "the registry is not read again before a reload";

    ASSERT_EQ(Send(tavrex::REQ_RELOAD_SETTINGS), Status::Ok);
    EXPECT_EQ(core->calibration().Xc, 1234) << "the trial calibration is dropped";
    EXPECT_EQ(core->calibration().secondSpanY, 0);
    ASSERT_EQ(Send(tavrex::REQ_GET_SCREEN_POSITION, nullptr, 0, &code, 4), Status::Ok);
    EXPECT_EQ(code, 38u);
    ASSERT_EQ(Send(tavrex::REQ_GET_PORT, nullptr, 0, &code, 4), Status::Ok);
    EXPECT_EQ(code, 3u);
}

TEST_F(StandinCore, StateAndVersionSteering) {
    std::uint32_t value = 7;
    ASSERT_EQ(Send(tavrex::REQ_GET_DRIVER_STATE, nullptr, 0, &value, 4), Status::Ok);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(returned, 4u);
    core->setStateCurrent(false);
    ASSERT_EQ(Send(tavrex::REQ_GET_DRIVER_STATE, nullptr, 0, &value, 4), Status::Ok);
    EXPECT_EQ(value, 0u);

    core->setVersionCurrent(false);
    EXPECT_NE(Send(tavrex::REQ_GET_SCREEN_POSITION, nullptr, 0, &value, 4), Status::Ok);
    EXPECT_EQ(returned, 0u);
    // Short output buffers are refused rather than overrun.
    EXPECT_EQ(Send(tavrex::REQ_GET_DRIVER_STATE, nullptr, 0, &value, 3), Status::BufferTooSmall);
    EXPECT_NE(Send(0x000F2FFC), Status::Ok);
}

TEST_F(StandinCore, EachArmReleasesOneQueuedTouchToTheReadsAfterIt) {
    ASSERT_TRUE(core->queueTouch(100, -5));
    ASSERT_TRUE(core->queueTouch(300, 400));
    EXPECT_EQ(Read().marker, tavrex::kSamplePreset) << "nothing is captured before an arm";

    ASSERT_EQ(Send(tavrex::REQ_ARM_SAMPLE), Status::Ok);
    tavrex::RawSample sample = Read();
    EXPECT_EQ(sample.marker, tavrex::kSampleFresh);
    EXPECT_EQ(sample.x, 100);
    EXPECT_EQ(sample.y, -5);
    EXPECT_EQ(Read().x, 100) << "the capture holds until the next arm";

    ASSERT_EQ(Send(tavrex::REQ_ARM_SAMPLE), Status::Ok);
    EXPECT_EQ(Read().x, 300);
    ASSERT_EQ(Send(tavrex::REQ_ARM_SAMPLE), Status::Ok);
    EXPECT_EQ(Read().marker, tavrex::kSamplePreset) << "queue empty: the caller's preset stays";
    ASSERT_TRUE(core->queueTouch(7, 8));
    EXPECT_EQ(Read().x, 7) << "a touch that comes after the arm is captured too";

    for (std::uint32_t i = 0; i < ProtocolCore::kTouchQueueSize; ++i) ASSERT_TRUE(core->queueTouch(1, 1));
    EXPECT_FALSE(core->queueTouch(1, 1)) << "a full queue refuses instead of overwriting";
}

TEST_F(StandinCore, ControllerAnswersTakesLinearityAndCanStaySilent) {
    auto command = [this](const tavrex::ControllerCommand& c, void* reply) {
        return Send(tavrex::REQ_CONTROLLER_COMMAND, &c, sizeof c, reply, c.replyLength);
    };
    std::uint8_t ack[3] = {};
    ASSERT_EQ(command(tavrex::MakeEt3Command(), ack), Status::Ok);
    EXPECT_EQ(ack[1], '0');
    ASSERT_EQ(command(tavrex::MakeSpCommand({0x0B, 0xB0, 0x0C, 0x00}), nullptr), Status::Ok);
    EXPECT_EQ(core->linearityX(), 2992u);
    EXPECT_EQ(core->linearityY(), 3072u);
    std::uint8_t gp[10] = {};
    ASSERT_EQ(command(tavrex::MakeGpCommand(), gp), Status::Ok);
    EXPECT_EQ(returned, 10u);
    EXPECT_EQ(tavrex::ParseGpReply(gp), (tavrex::LinearityBytes{0x0B, 0xB0, 0x0C, 0x00}));

    core->setControllerBehaviour(standin::CONTROLLER_WRONG_ACK);
    ASSERT_EQ(command(tavrex::MakeEt0Command(), ack), Status::Ok);
    EXPECT_NE(ack[1], '0');

    core->setControllerBehaviour(standin::CONTROLLER_SILENT);
    EXPECT_NE(command(tavrex::MakeEt3Command(), ack), Status::Ok);
    EXPECT_NE(command(tavrex::MakeGpCommand(), gp), Status::Ok);

    core->setControllerBehaviour(standin::CONTROLLER_ANSWERING);
    tavrex::ControllerCommand noKey = tavrex::MakeEt3Command();
    noKey.key = 0;
    EXPECT_NE(command(noKey, ack), Status::Ok);
    tavrex::ControllerCommand tooLong = tavrex::MakeEt3Command();
    tooLong.sendLength = 17;
    EXPECT_NE(command(tooLong, ack), Status::Ok);
    EXPECT_EQ(Send(tavrex::REQ_CONTROLLER_COMMAND, &noKey, 31, ack, 3), Status::InvalidRequest);
}

TEST_F(StandinCore, LogKeepsEveryRealRequestWithItsInputButNoTestRequests) {
    const std::int32_t touch[2] = {5, 6};
    ASSERT_EQ(Send(standin::TEST_QUEUE_TOUCH, touch, sizeof touch), Status::Ok);
    const tavrex::ControllerCommand et3 = tavrex::MakeEt3Command();
    std::uint8_t ack[3];
    Send(tavrex::REQ_CONTROLLER_COMMAND, &et3, sizeof et3, ack, 3);
    Send(tavrex::REQ_RELOAD_SETTINGS);
    std::uint32_t count = 0;
    ASSERT_EQ(Send(standin::TEST_GET_LOG_COUNT, nullptr, 0, &count, 4), Status::Ok);
    EXPECT_EQ(count, 2u);
    standin::LogEntry entry{};
    const std::uint32_t first = 0;
    ASSERT_EQ(Send(standin::TEST_GET_LOG_ENTRY, &first, 4, &entry, sizeof entry), Status::Ok);
    EXPECT_EQ(entry.code, tavrex::REQ_CONTROLLER_COMMAND);
    EXPECT_EQ(entry.inputSize, 32u);
    EXPECT_EQ(0, std::memcmp(entry.input, &et3, 32));
    EXPECT_EQ(core->logEntry(1)->inputSize, 0u);
    const std::uint32_t past = 2;
    EXPECT_NE(Send(standin::TEST_GET_LOG_ENTRY, &past, 4, &entry, sizeof entry), Status::Ok);

    // The log keeps the newest entries when it overflows.
    for (std::uint32_t i = 0; i < ProtocolCore::kLogSize + 10; ++i) Send(tavrex::REQ_ARM_SAMPLE);
    Send(tavrex::REQ_TEST_BEEP);
    EXPECT_EQ(core->logCount(), ProtocolCore::kLogSize);
    EXPECT_EQ(core->logEntry(ProtocolCore::kLogSize - 1)->code, tavrex::REQ_TEST_BEEP);
    EXPECT_EQ(core->logDropped(), 13u);
    ASSERT_EQ(Send(standin::TEST_CLEAR_LOG), Status::Ok);
    EXPECT_EQ(core->logCount(), 0u);
}

}  // namespace

namespace {

// The core runs inside the kernel: no request, however malformed, may read or write outside the
// buffers it was given (the sanitizers watch), and no answer may claim more bytes than fit.
TEST(StandinCoreRobustness, RandomRequestsStayWithinTheirBuffers) {
    auto core = std::make_unique<standin::ProtocolCore>();
    core->init({});
    std::mt19937 random(20261208);
    const std::uint32_t codes[] = {tavrex::REQ_READ_SAMPLE,
                                   tavrex::REQ_ARM_SAMPLE,
                                   tavrex::REQ_SET_CALIBRATION,
                                   tavrex::REQ_RELOAD_SETTINGS,
                                   tavrex::REQ_SET_BEEP,
                                   tavrex::REQ_GET_BEEP,
                                   tavrex::REQ_TEST_BEEP,
                                   tavrex::REQ_CONTROLLER_COMMAND,
                                   tavrex::REQ_GET_SCREEN_POSITION,
                                   tavrex::REQ_GET_PORT,
                                   tavrex::REQ_GET_DRIVER_STATE,
                                   standin::TEST_QUEUE_TOUCH,
                                   standin::TEST_SET_CONTROLLER,
                                   standin::TEST_GET_CALIBRATION,
                                   standin::TEST_GET_LOG_ENTRY,
                                   standin::TEST_GET_LINEARITY,
                                   0x000F2FFC,
                                   0};
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t code = codes[random() % std::size(codes)];
        // Exactly-sized heap buffers, so that any overrun is caught.
        std::vector<std::uint8_t> in(random() % 80), out(random() % 80);
        for (auto& byte : in) byte = static_cast<std::uint8_t>(random());
        if (code == tavrex::REQ_CONTROLLER_COMMAND && in.size() >= 32 && random() % 2) {
            // Well-formed blocks with random frames reach the frame parser.
            tavrex::ControllerCommand command = tavrex::MakeGpCommand();
            command.sendLength = random() % 20;
            command.replyLength = random() % 16;
            std::memcpy(in.data(), &command, 16 + 16);
            static const char kFrameBytes[] = "\x01SPGET30\r";
            for (int b = 0; b < 16; ++b)
                in[b] = static_cast<std::uint8_t>(random() % 4 ? kFrameBytes[random() % 9] : random());
        }
        std::uint32_t returned = 0xFFFFFFFF;
        core->handle(code, in.empty() ? nullptr : in.data(), static_cast<std::uint32_t>(in.size()),
                     out.empty() ? nullptr : out.data(), static_cast<std::uint32_t>(out.size()), &returned);
        ASSERT_LE(returned, out.size()) << "code " << std::hex << code;
    }
    EXPECT_LE(core->logCount(), standin::ProtocolCore::kLogSize);
}

}  // namespace
