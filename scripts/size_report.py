#!/usr/bin/env python3
"""Where the bytes of the shipped files go: each deliverable's size, PE sections, subsystem, imports and exports,
and its largest contributors from the link map that the build keeps (build/<preset>/maps/), grouped by library
and by object. A report, not a test: it measures and never fails on a number.

    scripts/size_report.py [BUILD_DIR] [--top N]

BUILD_DIR defaults to build/windows, the shipped i686 files. Build it first (cmake --build --preset windows).
"""

import argparse
import re
import shutil
import subprocess
import sys
from collections import defaultdict
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
DELIVERABLES = ("brennick.exe", "lintara.cpl")

# An input section in the map: " .text$name  0xADDR  0xSIZE  file"; a long name puts the rest on the next line.
SECTION = re.compile(r"^ (\.[^\s]+|COMMON)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+))?$")
PLACEMENT = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.+)$")
MEMBER = re.compile(r"^(.*?)\(([^()]+)\)$")


def objdump(path):
    machine = path.read_bytes()[:4096]
    offset = int.from_bytes(machine[0x3C:0x40], "little")
    triplet = "x86_64-w64-mingw32" if machine[offset + 4:offset + 6] == b"\x64\x86" else "i686-w64-mingw32"
    tool = shutil.which(f"{triplet}-objdump")
    if not tool:
        sys.exit(f"size_report: {triplet}-objdump is missing (scripts/setup.sh installs it)")
    return tool


def pe_facts(path):
    tool = objdump(path)
    private = subprocess.run([tool, "-p", str(path)], capture_output=True, text=True, check=True).stdout
    headers = subprocess.run([tool, "-h", str(path)], capture_output=True, text=True, check=True).stdout
    subsystem = re.search(r"^Subsystem\s+\S+\s+\((.*)\)", private, re.M)
    imports = re.findall(r"DLL Name: (\S+)", private)
    exports = []
    table = private.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) == 2:
        for line in table[1].splitlines()[1:]:
            match = re.match(r"^\s+\[\s*\d+\]\s+(\S+)", line)
            if not match:
                break
            exports.append(match.group(1))
    sections = []
    for match in re.finditer(r"^\s+\d+\s+(\S+)\s+([0-9a-f]{8})\s+[0-9a-f]{8,16}\s+[0-9a-f]{8,16}\s+[0-9a-f]{8}",
                             headers, re.M):
        sections.append((match.group(1), int(match.group(2), 16)))
    return subsystem.group(1) if subsystem else "?", imports, exports, sections


def origin(file_name):
    """(library, object) of an input file: an archive member, or an object of the link line itself."""
    match = MEMBER.match(file_name)
    if match:
        return Path(match.group(1)).name, match.group(2)
    path = Path(file_name)
    return "(objects on the link line)", path.name


def contributions(map_path):
    """Bytes that reach the image, as [(output section kind, library, object, size)]."""
    lines = map_path.read_text(errors="replace").splitlines()
    try:
        start = lines.index("Linker script and memory map")
    except ValueError:
        sys.exit(f"size_report: {map_path} is not a GNU ld map")
    result = []
    output = None
    pending = None
    for line in lines[start + 1:]:
        if line.startswith(".") or line.startswith("/DISCARD/"):
            output = line.split()[0]
            pending = None
            continue
        if pending:
            match = PLACEMENT.match(line)
            if match:
                result.append((output, *origin(match.group(3).strip()), int(match.group(2), 16)))
            pending = None
            continue
        match = SECTION.match(line)
        if not match:
            continue
        if match.group(2) is None:
            pending = match.group(1)
        elif not match.group(1).startswith(".debug"):
            result.append((output, *origin(match.group(4).strip()), int(match.group(3), 16)))
    return [entry for entry in result if entry[0] and not entry[0].startswith((".debug", "/DISCARD/"))]


def kib(size):
    return f"{size:>9,} B ({size / 1024:6.1f} KiB)"


def report(build, name, top):
    path = build / "bin" / name
    if not path.exists():
        print(f"{name}: not built in {build}")
        return
    size = path.stat().st_size
    subsystem, imports, exports, sections = pe_facts(path)
    print(f"== {name}: {size:,} bytes ({size / 1024:.1f} KiB)")
    print(f"   subsystem {subsystem}; imports {', '.join(imports)}; exports {', '.join(exports) or '-'}")
    print("   sections: " + ", ".join(f"{section} {length:,}" for section, length in sections))
    map_path = build / "maps" / f"{name}.map"
    if not map_path.exists():
        print(f"   no link map at {map_path}")
        return
    entries = contributions(map_path)
    by_library = defaultdict(int)
    by_object = defaultdict(int)
    by_kind = defaultdict(lambda: defaultdict(int))
    for output, library, obj, length in entries:
        by_library[library] += length
        by_object[(library, obj)] += length
        by_kind[library][output] += length
    total = sum(by_library.values())
    print(f"   from the link map: {total:,} bytes of sections (before file alignment)")
    print("   by library:")
    for library, length in sorted(by_library.items(), key=lambda item: -item[1]):
        kinds = sorted(by_kind[library].items(), key=lambda item: -item[1])[:4]
        detail = ", ".join(f"{kind} {value:,}" for kind, value in kinds)
        print(f"     {kib(length)}  {library:<34} {detail}")
    print(f"   largest {top} objects:")
    for (library, obj), length in sorted(by_object.items(), key=lambda item: -item[1])[:top]:
        print(f"     {kib(length)}  {library}({obj})")
    print()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default=str(REPO / "build" / "windows"))
    parser.add_argument("--top", type=int, default=20)
    args = parser.parse_args()
    build = Path(args.build)
    for name in DELIVERABLES:
        report(build, name, args.top)


if __name__ == "__main__":
    main()
