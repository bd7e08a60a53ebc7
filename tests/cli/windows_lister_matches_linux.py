#!/usr/bin/env python3
"""The Windows lister under wine lists a tree as the Linux lister does.

Usage: windows_lister_matches_linux.py LINUX_LISTER WINE WINDOWS_LISTER

On one generated tree (Japanese names, a path far past 260 characters, executables with
versions, hidden files and folders, a link to a file, a link leading back up the tree), the rows
of both listers must be the same bytes, once the Linux paths are written as wine shows the
machine's root (drive Z:, "\\" between folders); with --upper as well, since on Windows the
upper-cased path must still reach each file for its version. The --hash=sha256 column must agree
with sha256sum.
"""
import os
import shutil
import subprocess
import sys
import tempfile

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "pe")
LONG_NAME = "a-folder-name-long-enough-to-matter-quickly"


def make_tree(root):
    """The tree; returns its files, with their contents' paths for the hash check."""
    files = {
        "日本語/ｶﾀｶﾅ.txt": b"x" * 1500,
        "日本語/漢字ファイル.DLL": open(os.path.join(DATA, "version-1.5.0.12.dll"), "rb").read(),
        "plain/a.TXT": b"plain",
        "plain/B.txt": b"",
        "plain/setup.exe": open(os.path.join(DATA, "version-2.123.4.5.exe"), "rb").read(),
        ".hidden.txt": b"hidden",
        ".hidden-folder/inside.txt": b"not listed",
    }
    deep = "/".join([LONG_NAME] * 7)
    files[deep + "/深い.exe"] = open(os.path.join(DATA, "version-10.2.0.0.exe"), "rb").read()
    files[deep + "/end.txt"] = b"end" * 1000
    for number, (name, content) in enumerate(sorted(files.items())):
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(content)
        # Stamps a minute and a second apart, so every minute shown differs.
        os.utime(path, (1_600_000_000 + number * 61, 1_600_000_000 + number * 61))
    os.symlink("a.TXT", os.path.join(root, "plain", "link.txt"))
    os.symlink("..", os.path.join(root, "plain", "back-up"))
    assert len(os.path.join(root, deep)) > 300
    return files


def rows(command):
    result = subprocess.run(command, capture_output=True, check=False)
    if result.returncode != 0:
        sys.exit(f"{command} ended with {result.returncode}: {result.stderr.decode(errors='replace')}")
    return result.stdout.decode("utf-8").splitlines()


def as_wine_shows(row):
    """A Linux row with its folder and full path as wine shows them (tsv writes "\\" as "\\\\")."""
    cells = row.split("\t")
    for column in (2, 6):
        cells[column] = "Z:" + cells[column].replace("/", "\\\\")
    return "\t".join(cells)


def main():
    linux_lister, wine, windows_lister = sys.argv[1:4]
    failures = []
    with tempfile.TemporaryDirectory(prefix="quiverel-wine-tree-") as root:
        files = make_tree(root)
        wine_root = "Z:" + root.replace("/", "\\")
        for options in ([], ["--upper"]):
            expected = [as_wine_shows(row) for row in rows([linux_lister, *options, root])]
            got = rows([wine, windows_lister, *options, wine_root])
            if got != expected:
                failures.append(f"rows with {options or 'no options'}:\n  expected "
                                + "\n  expected ".join(expected) + "\n  got " + "\n  got ".join(got))
        listed = {row.split("\t")[6]: row.split("\t")[8]
                  for row in rows([wine, windows_lister, "--hash=sha256", wine_root])}
        for name in files:
            if name.startswith("."):
                continue
            path = os.path.join(root, name)
            key = "Z:" + path.replace("/", "\\\\")
            digest = subprocess.run(["sha256sum", path], capture_output=True, text=True,
                                    check=True).stdout.split()[0]
            if listed.get(key) != digest:
                failures.append(f"sha256 of {name}: {listed.get(key)} instead of {digest}")
        print(f"{len(files)} files, {len(expected)} rows compared")
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
