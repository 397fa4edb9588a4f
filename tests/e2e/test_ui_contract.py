"""The control contract against real Windows controls: uicontract.exe runs the same checks the fakes pass
natively, through the dialog layer's Win32 wrappers, so a fake cannot drift from the real controls."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402


class ControlContract(harness.SessionCase):
    def test_real_controls_keep_the_contract(self):
        exe = self.session.deliverable("uicontract.exe")
        self.assertTrue(exe.exists(), f"{exe} is missing: build the Windows flavour")
        code, out, err = self.session.run_windows(exe, timeout=60)
        self.assertEqual(code, 0, f"uicontract exited {code}:\n{out}{err}")
        self.assertIn("control contract kept", out)
        self.assertIn("dialog layer checks passed", out)


if __name__ == "__main__":
    harness.main()
