#!/usr/bin/env python3
"""Packs the release zip: the two deliverables and the read-me in one folder named after the release.

    SOURCE_DATE_EPOCH=SECONDS make_zip.py OUTPUT.zip VERSION README BRENNICK_EXE LINTARA_CPL

The read-me goes in as Windows expects a text file there: code page 936, CR LF line ends. Every entry is
dated SOURCE_DATE_EPOCH (the build passes the commit's time; without it, now) and carries the same
permissions, in the order given, so that two builds of one commit give the same zip.
"""

import os
import sys
import time
import zipfile
from pathlib import Path


def entry(name, seconds):
    # The zip stores a local date without a zone: UTC keeps it the same on every builder.
    info = zipfile.ZipInfo(name, date_time=time.gmtime(seconds)[:6])
    info.external_attr = 0o644 << 16
    return info


def main():
    output, version, readme, *deliverables = sys.argv[1:]
    seconds = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    folder = f"tavrex-{version}"
    text = Path(readme).read_text(encoding="utf-8").replace("@VERSION@", version)
    partial = Path(output + ".part")
    packed = [(f"{folder}/{path.name}", path.read_bytes()) for path in map(Path, deliverables)]
    packed.append((f"{folder}/readme.txt", text.replace("\n", "\r\n").encode("gbk")))
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in packed:
            archive.writestr(entry(name, seconds), data, zipfile.ZIP_DEFLATED, 9)
    partial.replace(output)


if __name__ == "__main__":
    main()
