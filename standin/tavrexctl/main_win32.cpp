// tavrexctl.exe: the Win32 entry; the commands themselves are in commands.cpp.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/win32.h"
#include "standin/tavrexctl/commands.h"

int main(int argc, char** argv) {
    // Scripts on the Linux side read this output: plain "\n", no "\r\n".
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    platform::win32::Devices devices;
    platform::win32::Desktop desktop;
    std::string out, err;
    const int code = tavrexctl::Run(argc, argv, devices, desktop, out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    std::fflush(stdout);
    return code;
}
