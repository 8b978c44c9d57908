#!/usr/bin/env python3
"""Turns the UTF-8 translation sources into the 8-bit language files the
program reads.

    encode-languages.py SOURCE_FOLDER OUTPUT_FOLDER   writes every *.ini
    encode-languages.py --check SOURCE_FOLDER         only checks them

The program reads a language file byte for byte and decodes it with the code
page that the file's [CHARSET] value names, so each file is written in exactly
that code page, with CRLF line ends. A text that the code page cannot hold
would turn into question marks on the user's screen; it stops the build
instead, naming the file, the line and the character. Every file is checked
before any is written, so a failed build leaves no half-updated folder.
"""

import os
import sys
import unicodedata

# Windows font character sets and their ANSI code pages; the program decodes
# with the same table. Charset 1 (whatever the user's system uses) is left out
# on purpose: a file written at build time cannot follow the user's system.
CODE_PAGES = {
    0: "cp1252", 204: "cp1251", 238: "cp1250", 161: "cp1253", 162: "cp1254",
    177: "cp1255", 178: "cp1256", 186: "cp1257", 163: "cp1258", 222: "cp874",
    128: "cp932", 129: "cp949", 134: "cp936", 136: "cp950",
}

# The program's INI reader hands back at most this many characters.
LONGEST_TEXT = 749


class Refusal(Exception):
    pass


def describe(ch):
    name = unicodedata.name(ch, "unnamed character")
    return "U+%04X %s (%s)" % (ord(ch), name, ch if ch.isprintable() else "not printable")


def source_lines(path):
    data = open(path, "rb").read()
    if data.startswith(b"\xef\xbb\xbf"):
        raise Refusal("%s: starts with a UTF-8 byte order mark; save it without one" % path)
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        line = data[: e.start].count(b"\n") + 1
        raise Refusal("%s:%d: not valid UTF-8 (byte 0x%02X)" % (path, line, data[e.start]))
    return text.replace("\r\n", "\n").split("\n")


def charset_of(path, lines):
    section = None
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if stripped.startswith("["):
            section = stripped.upper()
        elif section == "[CHARSET]" and "=" in stripped and not stripped.startswith(";"):
            key, value = (part.strip() for part in stripped.split("=", 1))
            if key.upper() != "CHARSET":
                continue
            if not value.isdigit() or int(value) not in CODE_PAGES:
                raise Refusal("%s:%d: CHARSET %r names no known code page (known: %s)"
                              % (path, number, value, ", ".join(str(c) for c in sorted(CODE_PAGES))))
            return int(value)
    raise Refusal("%s: no CHARSET=<number> in a [CHARSET] section" % path)


def encode_line(path, number, line, code_page):
    try:
        raw = line.encode(code_page)
    except UnicodeEncodeError as e:
        bad = line[e.start]
        raise Refusal("%s:%d: column %d: %s cannot be written in code page %s"
                      % (path, number, e.start + 1, describe(bad), code_page[2:]))
    if "=" in line and not line.lstrip().startswith(";"):
        value = line.split("=", 1)[1].strip()
        if len(value.encode(code_page)) > LONGEST_TEXT:
            raise Refusal("%s:%d: text longer than %d characters would be cut off" % (path, number, LONGEST_TEXT))
        # Windows' INI reader drops quotes that open and close a text.
        if len(value) >= 2 and value[0] == value[-1] and value[0] in "'\"":
            raise Refusal("%s:%d: a text that begins and ends with %s loses both" % (path, number, value[0]))
    return raw


def encode_file(path):
    lines = source_lines(path)
    code_page = CODE_PAGES[charset_of(path, lines)]
    if lines and lines[-1] == "":
        lines.pop()
    return b"".join(encode_line(path, n, line, code_page) + b"\r\n" for n, line in enumerate(lines, 1))


def main(argv):
    check_only = argv[1:2] == ["--check"]
    args = argv[2:] if check_only else argv[1:]
    if len(args) != (1 if check_only else 2):
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    source = args[0]
    names = sorted(n for n in os.listdir(source) if n.lower().endswith(".ini"))
    encoded = {}
    try:
        for name in names:
            encoded[name] = encode_file(os.path.join(source, name))
    except (Refusal, OSError) as e:
        print("encode-languages: %s" % e, file=sys.stderr)
        return 1
    if check_only:
        return 0
    os.makedirs(args[1], exist_ok=True)
    for name, data in encoded.items():
        with open(os.path.join(args[1], name), "wb") as out:
            out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
