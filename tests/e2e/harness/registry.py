"""The registry of a session, through reg.exe, as the deliverables see it."""

import re

from .waiting import HarnessError

_ROOTS = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER"}


def _signed(hex_text):
    number = int(hex_text, 16)
    return number - (1 << 32) if number & 0x80000000 else number


class RegistryMixin:
    """Needs run_windows(), windows_path(), wow64 and config.out."""

    def reg(self, *args, check=True, view=True):
        """reg.exe on the registry as the deliverables see it (view=False: the 64-bit view, where Wine keeps
        its own settings); returns (exit code, output)."""
        code, out, err = self.run_windows("reg", *args, *(["/reg:32"] if view and self.wow64 else []))
        if check and code != 0:
            raise HarnessError(f"reg {' '.join(args)} exited {code}: {out}{err}")
        return code, out

    def values(self, key):
        """The values of a key: {name: (REG_ type, data text)}; {} when the key is absent."""
        code, out = self.reg("query", key, check=False)
        result = {}
        for line in out.splitlines() if code == 0 else []:
            match = re.match(r"^\s+(.*?)\s+(REG_[A-Z_]+)\s*(.*)$", line)
            if match:
                result[match.group(1)] = (match.group(2), match.group(3))
        return result

    def dwords(self, key):
        """The REG_DWORD values of a key, as signed numbers."""
        return {name: _signed(data) for name, (kind, data) in self.values(key).items() if kind == "REG_DWORD"}

    def value(self, key, name):
        """One value: a signed number for REG_DWORD, the text otherwise; None when absent."""
        kind, data = self.values(key).get(name, (None, None))
        return _signed(data) if kind == "REG_DWORD" else data if kind is None else data.strip()

    def set_dword(self, key, name, value):
        self.reg("add", key, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")

    def set_sz(self, key, name, value):
        self.reg("add", key, "/v", name, "/t", "REG_SZ", "/d", value, "/f")

    def set_values(self, key, values):
        """Several values of one key in one reg.exe run: numbers as REG_DWORD, texts as REG_SZ."""
        root, _, rest = key.partition("\\")
        lines = ["Windows Registry Editor Version 5.00", "", f"[{_ROOTS.get(root, root)}\\{rest}]"]
        for name, value in values.items():
            text = value.replace("\\", "\\\\").replace('"', '\\"') if isinstance(value, str) else None
            lines.append(f'"{name}"=' + (f'"{text}"' if text is not None else f"dword:{value & 0xFFFFFFFF:08x}"))
        path = self.config.out / "values.reg"
        path.write_text("\r\n".join(lines) + "\r\n", encoding="utf-16")
        self.import_key(path)

    def delete_value(self, key, name):
        self.reg("delete", key, "/v", name, "/f", check=False)

    def key_exists(self, key):
        return self.reg("query", key, check=False)[0] == 0

    def export_key(self, key, name):
        path = self.config.out / name
        path.unlink(missing_ok=True)
        self.reg("export", key, self.windows_path(path))
        return path

    def import_key(self, path):
        self.reg("import", self.windows_path(path))

    def delete_key(self, key):
        self.reg("delete", key, "/f")
