#!/usr/bin/env python3
"""Writes the made-up example data files in examples/ (code page 932)."""
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")

FAMILY = ["佐藤", "鈴木", "髙橋", "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
          "吉田", "山田", "佐々木", "山﨑", "松本", "井上", "木村", "林", "斎藤", "清水"]
GIVEN = ["一郎", "花子", "健太", "美咲", "翔太", "陽菜", "大輝", "さくら", "蓮", "結衣",
         "悠斗", "葵", "湊", "凛", "樹", "杏", "颯", "楓", "陸", "芽依"]
SUBJECTS = ["国語", "社会", "数学", "理科", "英語", "音楽", "美術", "保体", "技家"]


def line(cells, quoted=True):
    if quoted:
        return ",".join('"%s"' % c for c in cells) + "\r\n"
    return ",".join(cells) + "\r\n"


def ibm_forms():
    """Unicode -> the IBM-extension bytes (0xFA40..0xFC4B) that Windows and
    Gakunen write; Python's cp932 writes the NEC-selected forms instead."""
    forms = {}
    for lead in range(0xFA, 0xFD):
        for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)):
            b = bytes([lead, trail])
            try:
                forms.setdefault(b.decode("cp932"), b)
            except UnicodeDecodeError:
                pass
    return forms


IBM = ibm_forms()


def encode(text):
    out = bytearray()
    for ch in text:
        b = ch.encode("cp932")
        out += IBM.get(ch, b) if b[0] in (0xED, 0xEE) else b
    return bytes(out)


def write(name, rows, quoted=True):
    data = encode("".join(line(r, quoted) for r in rows))
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def roster(rng, sizes):
    rows = [["組", "番", "生徒氏名"]]
    for k, size in enumerate(sizes, start=1):
        for n in range(1, size + 1):
            rows.append([str(k), str(n), rng.choice(FAMILY) + "　" + rng.choice(GIVEN)])
    return rows


def main():
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(2026)
    names = roster(rng, [30, 31, 29])
    write("roster_3classes.dat", names)

    test = [names[0] + SUBJECTS[:5]]
    for r in names[1:]:
        test.append(r + [str(rng.randint(20, 100)) for _ in range(5)])
    write("test_5subjects.dat", test)

    subject = [names[0] + ["数学一"]]
    for r in test[1:]:
        subject.append(r[:3] + [r[5]])
    write("subject_math.dat", subject)

    csv = [["組", "番", "生徒氏名"]] + [r for r in names[1:41]]
    write("spreadsheet_roster.csv", csv, quoted=False)


if __name__ == "__main__":
    main()
