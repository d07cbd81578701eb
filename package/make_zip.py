#!/usr/bin/env python3
"""Writes a zip whose bytes depend only on what goes into it.

    python3 package/make_zip.py OUT.zip EPOCH NAME=FILE...

Each FILE is stored as NAME, in the order given, with the time EPOCH (seconds since 1970, UTC;
the package takes its commit's time), no owner, permissions or extra fields of this machine,
and one compression. Two runs on the same files give the same bytes, wherever and whenever
they run.
"""

import sys
import time
import zipfile


def main(argv):
    if len(argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    out, epoch, entries = argv[1], int(argv[2]), argv[3:]
    # A zip keeps local times from 1980 on, in steps of two seconds.
    when = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for entry in entries:
            name, _, path = entry.partition("=")
            if not name or not path:
                sys.stderr.write(f"error: {entry!r} is not NAME=FILE\n")
                return 2
            info = zipfile.ZipInfo(name, date_time=when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # made on Windows' terms: no Unix permission bits
            info.external_attr = 0x20  # the archive attribute, as Windows gives new files
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
