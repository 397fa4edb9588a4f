"""The control contract against real Windows controls: uicontract.exe runs the same checks the fakes pass
natively, through the dialog layer's Win32 wrappers, so a fake cannot drift from the real controls: once with
the common controls a program without a manifest gets, once with the 6.0 ones the applet's manifest brings."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402


class ControlContract(harness.SessionCase):
    def test_real_controls_keep_the_contract_in_both_versions_of_the_common_controls(self):
        for name, version in (("uicontract.exe", "5"), ("uicontract6.exe", "6.0")):
            exe = self.session.deliverable(name)
            self.assertTrue(exe.exists(), f"{exe} is missing: build the Windows flavour")
            code, out, err = self.session.run_windows(exe, timeout=60)
            self.assertEqual(code, 0, f"{name} exited {code}:\n{out}{err}")
            lines = out.splitlines()
            self.assertIn(f"common controls {version}", lines, name)
            self.assertIn("control contract kept", lines, name)
            self.assertIn("dialog layer checks passed", lines, name)


if __name__ == "__main__":
    harness.main()
