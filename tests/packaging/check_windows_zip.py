#!/usr/bin/env python3
"""Makes the Windows zip with scripts/windows/make-zip into a scratch folder
and reads it back with Python's zipfile: the entries are the staged files,
byte for byte, under one folder; every name is ASCII or flagged as UTF-8, so
every unzipper reads it alike; the read-me is UTF-8 with a byte-order mark
and CR LF line ends, the checked-in text otherwise; each program carries the
project's version and declares long paths.

usage: check_windows_zip.py SOURCE-DIR BUILD-DIR VERSION SCRATCH
"""
import pathlib
import re
import shutil
import subprocess
import sys
import zipfile

UTF8_NAME_FLAG = 0x800  # general purpose bit 11
PROGRAMS = ["zembrix.exe", "zembrix-cli.exe", "zembrix-access-query.exe"]
README = "README.txt"


def fail(message):
    sys.exit(f"check_windows_zip: {message}")


def main():
    source, build, version, scratch = sys.argv[1:5]
    source = pathlib.Path(source)
    scratch = pathlib.Path(scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    zips, stage_root = scratch / "dist", scratch / "stage"
    subprocess.run([source / "scripts/windows/make-zip", build, zips, stage_root],
                   check=True, stdout=subprocess.DEVNULL)

    top = f"zembrix-{version}-windows-x86"
    archive = zips / f"{top}.zip"
    if not archive.is_file():
        fail(f"make-zip wrote no {archive.name}: {sorted(p.name for p in zips.iterdir())}")
    stage = stage_root / top
    staged = {p.relative_to(stage_root).as_posix(): p.read_bytes()
              for p in stage.rglob("*") if p.is_file()}
    expected = {f"{top}/{name}" for name in PROGRAMS + [README]}
    if set(staged) != expected:
        fail(f"staged {sorted(staged)}, expected {sorted(expected)}")

    with zipfile.ZipFile(archive) as z:
        if z.testzip() is not None:
            fail(f"damaged entry {z.testzip()}")
        infos = z.infolist()
        for info in infos:
            if not info.filename.isascii() and not info.flag_bits & UTF8_NAME_FLAG:
                fail(f"{info.filename!r} is neither ASCII nor flagged as UTF-8")
        files = {i.filename: z.read(i) for i in infos if not i.is_dir()}
        folders = {i.filename for i in infos if i.is_dir()}
    if folders - {f"{top}/"}:
        fail(f"folders besides {top}/: {sorted(folders)}")
    if files.keys() != staged.keys():
        fail(f"the zip holds {sorted(files)}, the stage {sorted(staged)}")
    for name, data in files.items():
        if data != staged[name]:
            fail(f"{name} differs from the staged file")

    readme = files[f"{top}/{README}"]
    if not readme.startswith(b"\xef\xbb\xbf"):
        fail("the read-me has no UTF-8 byte-order mark")
    body = readme[3:]
    if re.search(rb"(?<!\r)\n|\r(?!\n)", body) or not body.endswith(b"\r\n"):
        fail("the read-me's lines do not all end in CR LF")
    text = body.decode("utf-8")
    checked_in = (source / "scripts/windows" / README).read_text(encoding="utf-8")
    if text.replace("\r\n", "\n") != checked_in:
        fail("the read-me is not the checked-in text")
    if not re.search("[\u4e00-\u9fff]", text.splitlines()[0]):
        fail(f"the read-me's title is not Chinese: {text.splitlines()[0]!r}")

    for program in PROGRAMS:
        data = files[f"{top}/{program}"]
        if version.encode("utf-16-le") not in data:
            fail(f"{program} carries no version {version}")
        if b">true</longPathAware>" not in data:
            fail(f"{program} does not declare long paths")
    shutil.rmtree(scratch)


main()
