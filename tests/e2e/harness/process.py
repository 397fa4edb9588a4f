"""Linux processes of a session: each in its own process group, each wait bounded."""

import os
import signal
import subprocess
import tempfile
import time

from .waiting import HarnessError


def gbk(data, errors="strict"):
    """Output of a Windows console program as text: code page 936, CR LF or LF line ends."""
    return data.decode("gbk", errors=errors).replace("\r\n", "\n")


def utf8(data):
    """Output of tavrexauto, which answers in UTF-8 whatever Wine's code page."""
    return data.decode("utf-8", errors="replace").replace("\r\n", "\n")


def kill_group(process, grace=2.0):
    if process is None or process.poll() is not None:
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=grace)
            return
        except subprocess.TimeoutExpired:
            continue


def run(argv, env, timeout, output=None):
    """Runs argv to its end; returns (exit code, stdout bytes, stderr bytes). output: a file or DEVNULL that
    takes both instead.

    What is captured goes to files, never to pipes: Wine's desktop process keeps the stderr of the program whose
    window lookup started it, for as long as any window stays open, and a pipe it holds would not end when the
    program does."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=output or out,
                                   stderr=subprocess.STDOUT if output else err, start_new_session=True)
        try:
            process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            kill_group(process)
            raise HarnessError(f"{' '.join(map(str, argv))} did not end within {timeout} s") from None
        out.seek(0)
        err.seek(0)
        return process.returncode, out.read(), err.read()


class Program:
    """A program started and left running, its output going to files as run()'s does; wait() gives its exit
    code."""

    def __init__(self, argv, env, cwd, name):
        self.name = name
        self.out, self.err = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        self.process = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=self.out,
                                        stderr=self.err, start_new_session=True)

    def wait(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{self.name} still runs after {timeout} s") from None

    def running(self):
        return self.process.poll() is None

    def kill(self):
        kill_group(self.process)
        self.out.close()
        self.err.close()

    def first_line(self, timeout):
        """The first line the program prints, while it runs on."""
        end = time.monotonic() + timeout
        while b"\n" not in (text := os.pread(self.out.fileno(), 4096, 0)):
            if not self.running() or time.monotonic() > end:
                raise HarnessError(f"{self.name} printed no line within {timeout} s: {text!r}")
            time.sleep(0.1)
        return text.split(b"\n", 1)[0].strip()

    def output(self):
        """stdout and stderr, once the program has ended."""
        self.wait(10)
        return os.pread(self.out.fileno(), 1 << 24, 0), os.pread(self.err.fileno(), 1 << 24, 0)
