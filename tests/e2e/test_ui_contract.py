"""The control contract against real Windows controls: uicontract.exe runs the same checks the fakes pass
natively, through the dialog layer's Win32 wrappers, so a fake cannot drift from the real controls."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402

session = None


def setUpModule():
    global session
    harness.skip_if_unavailable()
    session = harness.start_session()


def tearDownModule():
    if session:
        session.stop()


class ControlContract(unittest.TestCase):
    def test_real_controls_keep_the_contract(self):
        exe = harness.BIN / "uicontract.exe"
        self.assertTrue(exe.exists(), f"{exe} is missing: build the Windows flavour")
        code, out, err = session.run_windows(exe, timeout=60)
        self.assertEqual(code, 0, f"uicontract exited {code}:\n{out}{err}")
        self.assertIn("control contract kept", out)
        self.assertIn("dialog layer checks passed", out)


if __name__ == "__main__":
    unittest.main()
