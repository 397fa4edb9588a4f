#include "driver/controller_frames.h"

#include <cstring>
#include <initializer_list>

namespace tavrex {

namespace {

ControllerCommand MakeCommand(std::initializer_list<std::uint8_t> frame, std::uint32_t replyLength) {
    ControllerCommand command;
    std::memset(&command, 0, sizeof command);
    std::uint32_t length = 0;
    for (std::uint8_t byte : frame)
        if (length < sizeof command.frame) command.frame[length++] = byte;
    command.sendLength = length;
    command.replyLength = replyLength;
    command.key = kControllerKey;
    return command;
}

}  // namespace

ControllerCommand MakeEt3Command() { return MakeCommand({0x01, 'E', 'T', '3', 0x0D}, kAckReplyLength); }

ControllerCommand MakeEt0Command() { return MakeCommand({0x01, 'E', 'T', '0', 0x0D}, kAckReplyLength); }

ControllerCommand MakeGpCommand() { return MakeCommand({0x01, 'G', 'P', 0x0D}, kGpReplyLength); }

ControllerCommand MakeSpCommand(const LinearityBytes& v) {
    return MakeCommand({0x01, 'S', 'P', v.xLow, v.xHigh, v.xLow, v.xHigh, v.yLow, v.yHigh, v.yLow, v.yHigh, 0x0D}, 0);
}

LinearityBytes ParseGpReply(const std::uint8_t (&reply)[kGpReplyLength]) {
    LinearityBytes values;
    values.xLow = reply[1];
    values.xHigh = reply[2];
    values.yLow = reply[5];
    values.yHigh = reply[6];
    return values;
}

}  // namespace tavrex
