#!/usr/bin/env python3
"""Packs the release zip: the two deliverables and the read-me in one folder named after the release.

    make_zip.py OUTPUT.zip VERSION README BRENNICK_EXE LINTARA_CPL

The read-me goes in as Windows expects a text file there: code page 936, CR LF line ends.
"""

import sys
import zipfile
from pathlib import Path


def main():
    output, version, readme, *deliverables = sys.argv[1:]
    folder = f"tavrex-{version}"
    text = Path(readme).read_text(encoding="utf-8").replace("@VERSION@", version)
    partial = Path(output + ".part")
    with zipfile.ZipFile(partial, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path in map(Path, deliverables):
            archive.write(path, f"{folder}/{path.name}")
        archive.writestr(f"{folder}/readme.txt", text.replace("\n", "\r\n").encode("gbk"))
    partial.replace(output)


if __name__ == "__main__":
    main()
