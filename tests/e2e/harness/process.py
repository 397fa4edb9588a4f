"""Linux processes of a session: each in its own process group, each wait bounded."""

import os
import signal
import subprocess

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


def run(argv, env, timeout, output=subprocess.PIPE):
    """Runs argv to its end; returns (exit code, stdout bytes, stderr bytes). output: PIPE captures both, a file
    or DEVNULL takes both (a program that leaves daemons behind holding its output needs one)."""
    piped = output == subprocess.PIPE
    process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=output,
                               stderr=output if piped else subprocess.STDOUT, start_new_session=True)
    try:
        out, err = process.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        kill_group(process)
        try:
            process.communicate(timeout=5)
        except subprocess.TimeoutExpired:
            pass  # a Wine background process may still hold the pipes; they close with the session
        raise HarnessError(f"{' '.join(map(str, argv))} did not end within {timeout} s") from None
    return process.returncode, out or b"", err or b""


class Program:
    """A program started and left running; wait() gives its exit code."""

    def __init__(self, process, name):
        self.process = process
        self.name = name

    def wait(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"{self.name} still runs after {timeout} s") from None

    def running(self):
        return self.process.poll() is None

    def kill(self):
        kill_group(self.process)
        for stream in (self.process.stdout, self.process.stderr):
            if stream:
                stream.close()

    def output(self):
        """stdout and stderr, once the program has ended."""
        out, err = self.process.communicate(timeout=10)
        return out or b"", err or b""
