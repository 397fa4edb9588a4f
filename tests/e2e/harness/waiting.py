"""The harness's error, its log line, and the one bounded wait every wait of the e2e tests goes through."""

import sys
import time

_ANY = object()


class HarnessError(RuntimeError):
    pass


def log(message):
    print(f"[e2e {time.strftime('%H:%M:%S')}] {message}", file=sys.stderr, flush=True)


def wait_until(read, timeout, what, expected=_ANY, done=None, interval=0.2):
    """Calls read() until its answer is done: done(answer) when given, else the answer equals expected when
    given, else it is true. Returns that answer; after timeout seconds raises a HarnessError naming what was
    waited for and the last answer."""
    deadline = time.monotonic() + timeout
    while True:
        value = read()
        if done(value) if done else (value == expected) if expected is not _ANY else value:
            return value
        if time.monotonic() > deadline:
            wanted = "" if expected is _ANY else f" (expected {expected!r})"
            raise HarnessError(f"{what}: not within {timeout} s; the last answer was {value!r}{wanted}")
        time.sleep(interval)
