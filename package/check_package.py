#!/usr/bin/env python3
"""Checks a package of the tool as a user would get it, without running it.

    python3 package/check_package.py --zip ZIP --debug DEBUG --version VERSION
        --binutils PREFIX --forbid PATH [--forbid PATH...]

The zip must hold exactly ToDoList.dll and README.txt, in that order. The text must be code
page 932 with CR LF line ends and name the version. The DLL must be a 32-bit PE without a time
stamp, keep ASLR and DEP (DYNAMIC_BASE, NX_COMPAT), carry no debug information but a debug
link to DEBUG by its name and checksum, and hold none of the PATHs given (the folders it was
built in); DEBUG must hold none of them either. An address in the DLL must read back as a
source line through DEBUG. What the DLL exports and imports is checked by
tests/plugin/check_module.cmake, as for every build. PREFIX is the binutils' prefix, e.g.
i686-w64-mingw32-. Prints what failed and exits 1 when anything did, else exits 0.
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

ENTRIES = ["ToDoList.dll", "README.txt"]
IMAGE_FILE_MACHINE_I386 = 0x14C
DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
# The export the address is read back for, and the source file that defines it.
EXPORT = "NewLumaplexTool"
EXPORT_SOURCE = "plugin/factory.cpp"


def run(command):
    """What the command printed, in the C locale (the binutils translate their headings)."""
    env = dict(os.environ, LC_ALL="C", LANGUAGE="C")
    return subprocess.run(command, env=env, check=True, capture_output=True, text=True).stdout


def pe_header(dll):
    """The machine, time stamp and DLL characteristics of a PE32 image."""
    if dll[:2] != b"MZ":
        raise ValueError("not an executable image")
    (pe,) = struct.unpack_from("<I", dll, 0x3C)
    if dll[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    machine, _, stamp = struct.unpack_from("<HHI", dll, pe + 4)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", dll, optional)
    if magic != 0x10B:
        raise ValueError(f"not a PE32 image (optional header magic {magic:#x})")
    (characteristics,) = struct.unpack_from("<H", dll, optional + 70)
    return machine, stamp, characteristics


def debug_link(objcopy, dll_path):
    """The file name and checksum of the DLL's .gnu_debuglink section, or None."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "link")
        try:
            run([objcopy, "--dump-section", f".gnu_debuglink={out}", dll_path,
                 os.path.join(folder, "copy")])
        except subprocess.CalledProcessError:
            return None
        with open(out, "rb") as section:
            data = section.read()
    name, _, rest = data.partition(b"\0")
    crc = struct.unpack("<I", rest[-4:])[0] if len(rest) >= 4 else None
    return name.decode("ascii", "replace"), crc


def export_address(objdump, dll_path):
    """The virtual address of EXPORT in the DLL, from its export table and image base."""
    dump = run([objdump, "-p", dll_path])
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", dump, re.M).group(1), 16)
    rvas = re.findall(r"^\s*\[\s*\d+\] \+base\[\s*\d+\]\s+([0-9a-fA-F]+) Export RVA", dump, re.M)
    names = re.findall(r"^\s*\[\s*\d+\] (\S+)$", dump.split("Ordinal/Name Pointer")[-1], re.M)
    if names != [EXPORT] or len(rvas) != 1:
        return None
    return base + int(rvas[0], 16)


def check(args):
    failures = []
    prefix = args.binutils
    with zipfile.ZipFile(args.zip) as archive:
        names = archive.namelist()
        if names != ENTRIES:
            failures.append(f"the zip holds {names}, not {ENTRIES}")
            return failures
        dll = archive.read("ToDoList.dll")
        text = archive.read("README.txt")

    try:
        readme = text.decode("cp932")
    except UnicodeDecodeError as error:
        failures.append(f"README.txt is not code page 932 text: {error}")
        readme = ""
    if text.replace(b"\r\n", b"").count(b"\n") or text.replace(b"\r\n", b"").count(b"\r"):
        failures.append("README.txt has line ends other than CR LF")
    if not text.endswith(b"\r\n"):
        failures.append("README.txt does not end with CR LF")
    if args.version not in readme:
        failures.append(f"README.txt does not name the version {args.version}")

    try:
        machine, stamp, characteristics = pe_header(dll)
        if machine != IMAGE_FILE_MACHINE_I386:
            failures.append(f"the DLL is for machine {machine:#x}, not 32-bit x86")
        if stamp != 0:
            failures.append(f"the DLL's PE header has the time stamp {stamp:#x}")
        for flag, what in ((DYNAMIC_BASE, "ASLR (DYNAMIC_BASE)"), (NX_COMPAT, "DEP (NX_COMPAT)")):
            if not characteristics & flag:
                failures.append(f"the DLL has lost {what}: DllCharacteristics {characteristics:#x}")
    except (ValueError, struct.error) as error:
        failures.append(f"the DLL's header cannot be read: {error}")

    with open(args.debug, "rb") as source:
        debug = source.read()
    for path in args.forbid:
        for what, data in (("the DLL", dll), (os.path.basename(args.debug), debug)):
            if path.encode() in data:
                failures.append(f"{what} holds the build path {path}")

    with tempfile.TemporaryDirectory() as folder:
        dll_path = os.path.join(folder, "ToDoList.dll")
        with open(dll_path, "wb") as out:
            out.write(dll)
        sections = run([prefix + "objdump", "-h", dll_path])
        if re.search(r"\s\.debug_", sections):
            failures.append("the DLL still carries debug information")
        link = debug_link(prefix + "objcopy", dll_path)
        if link is None:
            failures.append("the DLL has no debug link")
        elif link[0] != os.path.basename(args.debug):
            failures.append(f"the DLL's debug link names {link[0]}, not {os.path.basename(args.debug)}")
        elif link[1] != zlib.crc32(debug):
            failures.append(f"the DLL's debug link does not match {os.path.basename(args.debug)}")
        address = export_address(prefix + "objdump", dll_path)
        if address is None:
            failures.append(f"the DLL's export table is not just {EXPORT}")
        else:
            line = run([prefix + "addr2line", "-e", args.debug, f"{address:#x}"]).strip()
            if EXPORT_SOURCE not in line:
                failures.append(f"the address of {EXPORT} reads back as {line!r} through "
                                f"{os.path.basename(args.debug)}, not as a line of {EXPORT_SOURCE}")
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--zip", required=True)
    parser.add_argument("--debug", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--binutils", required=True)
    parser.add_argument("--forbid", action="append", default=[])
    args = parser.parse_args()
    failures = check(args)
    for failure in failures:
        print(f"package check: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
