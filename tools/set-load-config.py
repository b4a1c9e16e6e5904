#!/usr/bin/env python3
"""Points a PE32+ image's load configuration entry at its _load_config_used.

GNU ld (2.40) writes the symbol but not the data directory entry that tells
the loader where it is; this fills the entry in after the link.
Usage: set-load-config.py <image> <nm>
"""
import struct
import subprocess
import sys

LOAD_CONFIG_ENTRY = 10


def main(image, nm):
    symbols = subprocess.run([nm, image], check=True, capture_output=True, text=True).stdout
    address = None
    for line in symbols.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[2] == "_load_config_used":
            address = int(fields[0], 16)
    if address is None:
        sys.exit(f"{image}: no _load_config_used")
    with open(image, "r+b") as f:
        data = bytearray(f.read())
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            sys.exit(f"{image}: not a PE image")
        optional = pe + 24
        if struct.unpack_from("<H", data, optional)[0] != 0x20B:
            sys.exit(f"{image}: not PE32+")
        image_base = struct.unpack_from("<Q", data, optional + 24)[0]
        rva = address - image_base
        section_rva_to_offset = None
        sections = optional + struct.unpack_from("<H", data, pe + 20)[0]
        for i in range(struct.unpack_from("<H", data, pe + 6)[0]):
            header = sections + 40 * i
            size, va, raw_size, raw = struct.unpack_from("<IIII", data, header + 8)
            if va <= rva < va + max(size, raw_size):
                section_rva_to_offset = raw + rva - va
        if section_rva_to_offset is None:
            sys.exit(f"{image}: _load_config_used lies in no section")
        size = struct.unpack_from("<I", data, section_rva_to_offset)[0]
        entry = optional + 112 + 8 * LOAD_CONFIG_ENTRY
        struct.pack_into("<II", data, entry, rva, size)
        f.seek(0)
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
