#!/usr/bin/env python3
"""Reads a built UnInstall.exe back and checks what it carries.

  check_pe.py resources EXE VERSION   version resource and manifest
  check_pe.py imports EXE LIST        imported functions, exactly those in LIST
  check_pe.py list EXE                imported functions, and the image's range
"""
import re
import struct
import sys


class Pe:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        assert self.data[pe:pe + 4] == b"PE\0\0", "not a PE file"
        sections, optional_size = struct.unpack_from("<H12xH", self.data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.pe32plus = magic == 0x20B
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i)
                            for i in range(16)]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", self.data, table + 40 * i)
                         for i in range(sections)]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError("RVA %#x outside every section" % rva)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        found = []
        rva = self.directories[1][0]
        while True:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, self.offset(rva))
            if name == 0:
                return found
            dll = self.string(name).upper()
            at = self.offset(lookup or thunks)
            width, flag = (8, 1 << 63) if self.pe32plus else (4, 1 << 31)
            while True:
                entry = struct.unpack_from("<Q" if width == 8 else "<I", self.data, at)[0]
                if entry == 0:
                    break
                found.append("%s!%s" % (dll, "#%d" % (entry & 0xFFFF) if entry & flag
                                         else self.string((entry & 0x7FFFFFFF) + 2)))
                at += width
            rva += 20

    def resources(self):
        """{(type, name): bytes} of the resource tree."""
        base = self.offset(self.directories[2][0])
        found = {}

        def walk(at, path):
            named, numbered = struct.unpack_from("<12xHH", self.data, at)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                if target & 0x80000000:
                    walk(base + (target & 0x7FFFFFFF), path + [ident])
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    found[(path[0], path[1])] = self.data[self.offset(rva):self.offset(rva) + size]

        walk(base, [])
        return found


def version_strings(block):
    """The StringFileInfo values of a VS_VERSIONINFO block."""
    values = {}

    def parse(at, end):
        while at + 6 <= end:
            length, value_length, kind = struct.unpack_from("<HHH", block, at)
            if length == 0:
                return
            key_end = at + 6
            while block[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = block[at + 6:key_end].decode("utf-16-le")
            child = (key_end + 2 + 3) & ~3
            containers = ("VS_VERSION_INFO", "StringFileInfo", "VarFileInfo")
            if key in containers or re.fullmatch(r"[0-9A-Fa-f]{8}", key):
                if key == "VS_VERSION_INFO":
                    child = (child + value_length + 3) & ~3  # past VS_FIXEDFILEINFO
                parse(child, at + length)
            elif kind == 1:
                text = block[child:child + 2 * value_length].decode("utf-16-le")
                values[key] = text.rstrip("\0")
            at = (at + length + 3) & ~3

    parse(0, len(block))
    return values


def check(ok, what, failures):
    print("%s %s" % ("ok  " if ok else "FAIL", what))
    if not ok:
        failures.append(what)


def check_resources(path, version):
    failures = []
    resources = Pe(path).resources()
    info = resources.get((16, 1))
    check(info is not None, "has a version resource", failures)
    if info:
        fixed = info.index(struct.pack("<I", 0xFEEF04BD))
        ms, ls, pms, pls = struct.unpack_from("<4I", info, fixed + 8)
        numbers = [int(n) for n in version.split(".")] + [0]
        wanted = ((numbers[0] << 16) | numbers[1], (numbers[2] << 16) | numbers[3])
        check((ms, ls) == wanted, "file version %d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), failures)
        check((pms, pls) == wanted, "product version", failures)
        strings = version_strings(info)
        text = "%s.0" % version
        for key, value in [("FileDescription", "Orlatune UnInstall"), ("ProductName", "Orlatune"),
                           ("CompanyName", "Kestrane"), ("OriginalFilename", "UnInstall.exe"),
                           ("InternalName", "UnInstall.exe"), ("FileVersion", text),
                           ("ProductVersion", text)]:
            check(strings.get(key) == value, "%s is %r (got %r)" % (key, value, strings.get(key)), failures)
    manifest = resources.get((24, 1))
    check(manifest is not None, "has an application manifest", failures)
    if manifest:
        xml = manifest.decode("utf-8")
        check(re.search(r'requestedExecutionLevel\s+level="requireAdministrator"', xml) is not None,
              "manifest asks for requireAdministrator", failures)
        count = len(re.findall(r"<supportedOS Id=", xml))
        check(count >= 5, "manifest names %d supported systems" % count, failures)
    return failures


def check_imports(path, listed):
    failures = []
    wanted = sorted(line.strip() for line in open(listed)
                    if line.strip() and not line.startswith("#"))
    got = sorted(Pe(path).imports())
    for name in sorted(set(got) - set(wanted)):
        check(False, "imports %s, which the list does not name" % name, failures)
    for name in sorted(set(wanted) - set(got)):
        check(False, "the list names %s, which is not imported" % name, failures)
    check(not failures, "%d imported functions, as listed in %s" % (len(got), listed), failures)
    return failures


def list_imports(path):
    pe = Pe(path)
    for name in pe.imports():
        print(name)
    return []


def image_range(path):
    """ImageBase and SizeOfImage."""
    pe = Pe(path)
    header = struct.unpack_from("<I", pe.data, 0x3C)[0] + 24
    base = (struct.unpack_from("<Q", pe.data, header + 24)[0] if pe.pe32plus
            else struct.unpack_from("<I", pe.data, header + 28)[0])
    return base, struct.unpack_from("<I", pe.data, header + 56)[0]


if __name__ == "__main__":
    if sys.argv[1] == "list":
        list_imports(sys.argv[2])
        sys.exit(0)
    command, exe, argument = sys.argv[1:4]
    result = (check_resources if command == "resources" else check_imports)(exe, argument)
    sys.exit(1 if result else 0)
