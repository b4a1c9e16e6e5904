#!/usr/bin/env python3
"""Writes the damaged Config.ini files that the loader must survive.

Each file is named after what is wrong with it. expected.txt lists, for
each file, the number of rules it loads to ("*" where the platform's own
reader and ours may differ, for example on text that is not Shift-JIS).
Files bigger than ~100 KB are made by the test itself instead.

Run from anywhere: python3 tests/data/make-damaged-config.py
"""
import os
import random

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "damaged-config")
CRLF = "\r\n"

KEYS = ["InputCh", "InputKind", "OutputKind", "NoteNumber", "NoteNumberEnd", "CCNumber",
        "CCFlag", "PCNumber", "PCRange", "KeyCode", "KeyFlag", "ActExePath"]


def lines(*text, end=CRLF):
    return end.join(text) + end


def rule(index, **values):
    body = ["[TableItem%03d]" % index]
    body += ["%s=%s" % (key, value) for key, value in values.items()]
    return body


def good(count=1, end=CRLF):
    body = ["[General]", "MidiInDevice=Keys", "TableItemCount=%d" % count]
    for i in range(count):
        body += rule(i, NoteNumber=60 + i, NoteNumberEnd=72, KeyCode=65, KeyFlag=1)
    return lines(*body, end=end)


def cases():
    rnd = random.Random(1234)
    garbage = bytes(rnd.randrange(256) for _ in range(4096))
    printable = bytes(rnd.choice(b"[]=\r\n \tabcXYZ019\x81\x5c\xff") for _ in range(8192))
    yield "empty", b"", 0
    yield "binary-garbage", garbage, "*"
    yield "ini-characters-shuffled", printable, "*"
    yield "nul-bytes-only", b"\0" * 512, 0
    yield "nul-in-count", b"[General]\r\nTableItemCount=2\x003\r\n[TableItem000]\r\nKeyCode=65\r\n", 2
    yield "nul-in-section-line", b"[General]\r\nTableItemCount=1\r\n\0[TableItem000]\r\nKeyCode=65\r\n", 1
    yield "truncated-mid-line", good(2).encode()[:-9], 2
    yield "truncated-mid-section-line", b"[General]\r\nTableItemCount=2\r\n[TableItem00", 2
    yield "truncated-after-equals", b"[General]\r\nTableItemCount=", 0
    yield "huge-count", lines("[General]", "TableItemCount=2000000000", *rule(0, KeyCode=65),
                              *rule(1, KeyCode=66)).encode(), 2
    yield "count-overflowing-32-bits", lines("[General]", "TableItemCount=99999999999",
                                             *rule(0, KeyCode=65)).encode(), 1
    yield "count-one-past-the-cap", lines("[General]", "TableItemCount=10001",
                                          *rule(4, KeyCode=65)).encode(), 5
    yield "count-int-max", lines("[General]", "TableItemCount=2147483647").encode(), 0
    yield "negative-count", lines("[General]", "TableItemCount=-5", *rule(0, KeyCode=65)).encode(), 0
    yield "count-int-min", lines("[General]", "TableItemCount=-2147483648",
                                 *rule(0, KeyCode=65)).encode(), 0
    yield "count-not-a-number", lines("[General]", "TableItemCount=many",
                                      *rule(0, KeyCode=65)).encode(), 0
    yield "count-empty", lines("[General]", "TableItemCount=", *rule(0)).encode(), 0
    yield "count-with-trailing-junk", lines("[General]", "TableItemCount=2 rules",
                                            *rule(0)).encode(), 2
    yield "count-with-plus-sign", lines("[General]", "TableItemCount=+1", *rule(0)).encode(), 1
    yield "values-300", lines("[General]", "TableItemCount=1",
                              *rule(0, **{k: 300 for k in KEYS[:-1]})).encode(), 1
    yield "values-minus-one", lines("[General]", "TableItemCount=1",
                                    *rule(0, **{k: -1 for k in KEYS[:-1]})).encode(), 1
    yield "values-not-numbers", lines("[General]", "TableItemCount=1",
                                      *rule(0, **{k: "x" for k in KEYS[:-1]})).encode(), 1
    yield "values-empty", lines("[General]", "TableItemCount=1",
                                *rule(0, **{k: "" for k in KEYS})).encode(), 1
    yield "duplicated-general", lines("[General]", "TableItemCount=1", "[General]",
                                      "TableItemCount=9", *rule(0)).encode(), 1
    yield "duplicated-keys", lines("[General]", "TableItemCount=1", "TableItemCount=7",
                                   "[TableItem000]", "KeyCode=65", "KeyCode=66").encode(), 1
    yield "duplicated-rule-sections", lines("[General]", "TableItemCount=2", *rule(0, KeyCode=65),
                                            *rule(0, KeyCode=66), *rule(1)).encode(), 2
    yield "keys-before-any-section", lines("TableItemCount=3", "MidiInDevice=Lost",
                                           "[General]", "TableItemCount=1", *rule(0)).encode(), 1
    yield "cr-only-line-ends", good(2, end="\r").encode(), 2
    yield "lf-only-line-ends", good(2, end="\n").encode(), 2
    yield "lf-cr-line-ends", good(2, end="\n\r").encode(), 2
    yield "mixed-line-ends", b"[General]\rTableItemCount=2\n[TableItem000]\r\nKeyCode=65\n\r\n", 2
    yield "missing-general", lines(*rule(0, KeyCode=65), *rule(1)).encode(), 0
    yield "general-misspelt", lines("[Genera1]", "TableItemCount=1", *rule(0)).encode(), 0
    yield "invalid-shift-jis-device", b"[General]\r\nMidiInDevice=\x81\x20\x82\x7f\xa0\xfd\xfe\xff"\
        b"\x81\r\nTableItemCount=1\r\n[TableItem000]\r\nKeyCode=65\r\n", 1
    yield "invalid-shift-jis-path", b"[General]\r\nTableItemCount=1\r\n[TableItem000]\r\n"\
        b"ActExePath=C:\\\x83\\\x88\x81\x40\x81\r\n", 1
    yield "lone-lead-byte-before-line-end", b"[General]\r\nMidiInDevice=\x83\r\n"\
        b"TableItemCount=1\r\n", 1
    yield "no-final-newline", good(1).rstrip(CRLF).encode(), 1
    yield "missing-equals", lines("[General]", "TableItemCount 1", "MidiInDevice",
                                  *rule(0)).encode(), 0
    yield "section-without-closing-bracket", lines("[General", "TableItemCount=1").encode(), 0
    yield "empty-section-name", lines("[]", "TableItemCount=1", "[General]",
                                      "TableItemCount=1").encode(), 1
    yield "brackets-only", b"[" * 5000 + b"]" * 5000, 0
    yield "equals-only", b"=" * 10000, 0
    yield "utf8-bom", b"\xef\xbb\xbf" + good(1).encode(), "*"
    yield "utf16-with-bom", b"\xff\xfe" + good(1).encode("utf-16-le"), "*"
    yield "quoted-values", lines("[General]", 'MidiInDevice="Keys"', "TableItemCount='1'",
                                 *rule(0, ActExePath='"C:\\a.exe"')).encode(), 1
    yield "blanks-around", lines("  [ General ]  ", "  TableItemCount  =  2  ",
                                 "\t[TableItem000]\t", "\tKeyCode\t=\t65\t").encode(), 2
    yield "comment-lines", lines("; settings", "[General]", ";TableItemCount=5",
                                 "# TableItemCount=6", "TableItemCount=1", *rule(0)).encode(), 1
    yield "long-key-name", lines("[General]", "K" * 2000 + "=1", "TableItemCount=1").encode(), 1
    yield "long-section-name", lines("[" + "S" * 5000 + "]", "A=1", "[General]",
                                     "TableItemCount=1").encode(), 1
    yield "long-path-5000", lines("[General]", "TableItemCount=1",
                                  *rule(0, ActExePath="C:\\" + "p" * 5000)).encode(), 1
    yield "long-device-name", lines("[General]", "MidiInDevice=" + "デバイス" * 100,
                                    "TableItemCount=0").encode("cp932"), 0
    yield "control-characters", bytes(range(1, 32)) + b"\r\n[General]\r\nTableItemCount=1\r\n"\
        b"MidiInDevice=\x01\x02\x1b[0m\r\n", 1
    yield "eof-marks", b"[General]\r\nTableItemCount=1\x1a\r\n\x1a\x1a\x1a", 1
    yield "section-inside-value", lines("[General]", "MidiInDevice=[TableItem000]",
                                        "TableItemCount=1").encode(), 1
    yield "many-empty-sections", "".join("[TableItem%03d]\r\n" % i for i in range(100))\
        .encode() + b"[General]\r\nTableItemCount=100\r\n", 100
    yield "rule-keys-in-general", lines("[General]", "TableItemCount=1", "KeyCode=65").encode(), 1


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):
        os.remove(os.path.join(OUT, name))
    expected = []
    for number, (name, data, count) in enumerate(cases(), 1):
        file_name = "%02d-%s.ini" % (number, name)
        with open(os.path.join(OUT, file_name), "wb") as out:
            out.write(data)
        expected.append("%s %s\n" % (file_name, count))
    with open(os.path.join(OUT, "expected.txt"), "w", newline="\n") as out:
        out.writelines(expected)


if __name__ == "__main__":
    main()
