#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Each seed is laid out the way its target reads its input (FuzzedDataProvider
takes strings and byte runs from the front and integers from the back), so a
seed is a meaningful case from the first run on: share texts with every
keyword in code page 936, a final "/", three and five "/"-pieces, an upper-case
scheme, lone lead bytes, trail bytes that look like "/" or ":", a huge text.
Run it again after changing how a target reads its input.
"""
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))

def gbk(text):
    return text.encode("gbk")

# The service's defaults of the build (ZELVANE_DEFAULT_DOMAIN, ZELVANE_SERVICE_LABEL).
DOMAIN = b"www.example.com"
HOST = b"wwx.example.com"
KEYWORDS = [gbk(k) for k in ("提取码", "密码", "分享码", "访问码")]
SHARE = [
    gbk("链接：") + b"https://" + HOST + b"/s/abc " + gbk("提取码：") + b"a1B2",
    b"https://" + HOST + b"/abc " + gbk("密码") + b":a1B2",
    b"https://" + HOST + b"/abc " + gbk("分享码：") + b"a1B2 " + gbk("复制后打开"),
    b"https://" + HOST + b"/abc " + gbk("访问码") + b": a1B2",
    b"https://" + HOST + b"/abc/",                       # final "/"
    b"https://" + HOST + b"/b/abc",                      # five pieces
    b"https://" + HOST,                                  # three pieces
    b"HTTPS://" + HOST.upper() + b"/ABC",                # upper case
    b"https://" + HOST + b"/ab\xb0/c\xb0:\xa1",          # trail bytes '/' ':', lone lead byte
    b"C:\\Windows\\notepad.exe " + gbk("密码") + b" https://" + HOST + b"/abc",
    gbk("　https://") + HOST + gbk("/abc　提取码：") + b"P\tQ\r\n",
]


class Provider:
    """Builds an input for FuzzedDataProvider: front bytes and back integers."""

    def __init__(self):
        self.front = bytearray()
        self.back = []  # in the order they are consumed

    def integer(self, low, high, value):
        span, offset, width = high - low, 0, 0
        while offset < 64 and (span >> offset) > 0:
            width, offset = width + 1, offset + 8
        result = value - low
        for shift in reversed(range(width)):
            self.back.append((result >> (8 * shift)) & 0xFF)

    def string(self, data):  # ConsumeRandomLengthString: '\\' '\\' is one backslash
        self.front += data.replace(b"\\", b"\\\\") + b"\\x"

    def raw(self, data):
        self.front += data

    def build(self):
        return bytes(self.front) + bytes(reversed(self.back))


# ---------------------------------------------------------------- fuzz_text

def text_seed(text, sought_mode, sought=b"", replacement=b"", other=b"", fixed=0, left=0):
    p = Provider()
    p.integer(0, 2, sought_mode)
    p.string(sought)
    p.string(replacement)
    p.string(other)
    # soughtBytes: fixed index, slice begin, slice length (read from its end)
    p.raw(bytes(10) + bytes([3, 0, 0, 0, 5, fixed]))
    p.raw(bytes(11) + bytes([0, 0, 0, 7, 3]))   # otherBytes: one byte changed
    p.raw(bytes(14) + bytes([4 + left, 0]))      # leftBytes: near the length
    p.raw(text)
    return p.build()


def text_seeds():
    seeds = []
    for i, share in enumerate(SHARE):
        seeds.append(text_seed(share, 0, fixed=i % 12, replacement=b"<>"))
    seeds.append(text_seed(b"\xb0\xa1\xb0\xa1", 1, sought=b"\xa1\xb0"))
    seeds.append(text_seed(b"a//b/", 1, sought=b"/", other=b"a//b"))
    seeds.append(text_seed(b"::a:" + gbk("：") + b"\x81", 2))
    seeds.append(text_seed(b"x" + gbk("　") + b" \x81 \xa1", 0, fixed=8, left=1))
    seeds.append(text_seed(b"/" * 3000, 0, fixed=0))
    return seeds


# ------------------------------------------------------------ fuzz_password

def password_seeds():
    seeds = [b"\x01" + share for share in SHARE[:4]]
    seeds += [
        b"\x01" + KEYWORDS[0],                                  # exactly the keyword
        b"\x00" + KEYWORDS[1],                                  # the keyword alone
        b"\x00" + b"a " + gbk("密码：") + b"P " + gbk("密码：") + b"Q",
        b"\x00" + b"link \x00" + gbk("：") + b"P",              # two members
        b"\x00" + b"\x00",                                      # one empty member
        b"\x00" + b"x\xa3" + b"\x00" + b"\xa3:\xba" + gbk("访问码") + b"::P\xa3",
        b"\x01" + gbk("分享码提取码密码访问码") + b":P",
    ]
    return seeds


# --------------------------------------------------------------- fuzz_cycle

TOKENS = [
    b"https://", b"http://", b"HTTPS://", b"Http://", b"http:/", b"/", b"//", b"/s/abc",
    DOMAIN, b"ww", b"example", b".com", b"x1Y2",
    gbk("密码"), gbk("提取码"), gbk("分享码"), gbk("访问码"),
    b":", gbk("："), b" ", gbk("　"), b"\t", b"\r\n", b"\x0b", b"\x7f",
    gbk("链接："), b"\xb0\x2f", b"\xa1", b"C:\\Windows\\notepad.exe ", b"\x1b",
]
RAW, REPEAT = len(TOKENS), len(TOKENS) + 1
ACTIONS = {"copy": 0, "domain": 2, "check3": 3, "check4": 4, "check5": 5, "unreadable": 6,
           "unwritable": 7, "picture": 8, "touch": 9, "button": 10, "type_result": 11, "tick": 15}


def compose(p, max_pieces, pieces):
    """pieces: token bytes, ('raw', bytes) or ('repeat', times)."""
    p.integer(0, max_pieces, len(pieces))
    for piece in pieces:
        if isinstance(piece, tuple) and piece[0] == "raw":
            p.integer(0, REPEAT, RAW)
            p.string(piece[1])
        elif isinstance(piece, tuple):
            p.integer(0, REPEAT, REPEAT)
            count, shift = piece[1], 0
            while count > 255:
                count, shift = count >> 1, shift + 1
            p.integer(0, 255, count)
            p.integer(0, 8, shift)
        else:
            p.integer(0, REPEAT, TOKENS.index(piece))


def cycle_seed(domain, steps):
    p = Provider()
    compose(p, 4, domain)
    for step in steps:
        name, pieces = (step, None) if isinstance(step, str) else step
        p.integer(0, 15, ACTIONS[name])
        if name == "copy":
            compose(p, 12, pieces)
        elif name == "domain":
            compose(p, 4, pieces)
        elif name == "type_result":
            compose(p, 6, pieces)
    return p.build()


def cycle_seeds():
    H = ("raw", HOST)
    share = [gbk("链接："), b"https://", H, b"/s/abc", b" ", gbk("提取码"), gbk("："), b"x1Y2"]
    every_option = ["check3", "check4", "check5"]
    return [
        cycle_seed([DOMAIN], every_option + [("copy", share), "tick", "tick", "tick"]),
        cycle_seed([("raw", b"share.test")], ["check4", ("copy", [b"https://", H, b"/s/abc", b"/"]),
                                               "tick", ("copy", [b"https://", H, b"/s/abc", b"/s/abc"]),
                                               "tick", ("copy", [b"https://", H]), "tick"]),
        cycle_seed([DOMAIN], ["check4", ("copy", [b"HTTPS://", ("raw", HOST.upper()), b"/s/abc"]),
                              "tick", ("copy", [b"https://", H, b"/s/abc", b"\xa1"]), "tick",
                              ("copy", [b"https://", H, b"/s/abc", b"\xb0\x2f", b"\x1b"]), "tick"]),
        cycle_seed([], ["check3", ("copy", [b"https://", H, b"/s/abc", gbk("密码"), b":", b"x1Y2"]),
                        "tick", ("domain", [b"ww", b" ", b"example", b".com"]), "touch", "tick",
                        "picture", "tick", "button", ("type_result", [("raw", b"typed")]), "button"]),
        cycle_seed([DOMAIN], every_option + ["unreadable", ("copy", share), "tick", "unreadable",
                                             "unwritable", "tick", "unwritable", "tick"]),
        cycle_seed([DOMAIN], ["check4", ("copy", [b"C:\\Windows\\notepad.exe ", gbk("密码"), b" ",
                                                  b"https://", H, b"/s/abc"]), "tick",
                              ("copy", [gbk("访问码"), b":", b"x1Y2"]), "tick"]),
        cycle_seed([DOMAIN], ["check4", ("copy", [b"https://", H, b"/s/abc", b"/", ("repeat", 20000)]),
                              "tick", ("copy", [b"https://", H, b"/", b"\xb0\x2f", ("repeat", 20000),
                                                b"/", ("raw", b"x")]), "tick"]),
    ]


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for number, seed in enumerate(seeds, 1):
        with open(os.path.join(folder, "seed-%02d" % number), "wb") as f:
            f.write(seed)


if __name__ == "__main__":
    write("fuzz_text", text_seeds())
    write("fuzz_password", password_seeds())
    write("fuzz_cycle", cycle_seeds())
