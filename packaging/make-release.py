"""Makes the release: NAME.zip holding NAME/README.txt, NAME/64-bit/QorvaneShutdown.exe
and NAME/32-bit/QorvaneShutdown.exe, and SHA256SUMS beside it for the ZIP and both
programs (named by their paths in the ZIP).

usage: make-release.py OUT_DIR NAME SOURCE_DIR README EXE_64 EXE_32

One download for every Windows: the read-me at the top says which program to
take. The same inputs give the same bytes, whoever builds where and when: the
entries come in a fixed order with fixed attributes and no extra fields, and
their time is SOURCE_DATE_EPOCH if set, else the commit's time, else
1980-01-01 (the ZIP format's first day).
"""
import hashlib
import os
import pathlib
import subprocess
import sys
import time
import zipfile

out_dir, name, source, readme, exe64, exe32 = sys.argv[1:7]
out_dir, source = pathlib.Path(out_dir), pathlib.Path(source)
# Path in the ZIP under NAME/, file, Unix mode.
entries = (
    ("README.txt", pathlib.Path(readme), 0o644),
    ("64-bit/QorvaneShutdown.exe", pathlib.Path(exe64), 0o755),
    ("32-bit/QorvaneShutdown.exe", pathlib.Path(exe32), 0o755),
)


def release_time():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", str(source), "log", "-1", "--format=%ct"], check=True,
                                  capture_output=True, text=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        return 315532800  # 1980-01-01 00:00:00 UTC


def sha256(data):
    return hashlib.sha256(data).hexdigest()


stamp = max(time.gmtime(release_time())[:6], (1980, 1, 1, 0, 0, 0))
out_dir.mkdir(parents=True, exist_ok=True)
package = out_dir / f"{name}.zip"
with zipfile.ZipFile(package, "w") as archive:
    for path, source_file, mode in entries:
        entry = zipfile.ZipInfo(f"{name}/{path}", date_time=stamp)
        entry.create_system = 3  # Unix, so the mode below is kept
        entry.external_attr = (0o100000 | mode) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, source_file.read_bytes(), compresslevel=9)

sums = f"{sha256(package.read_bytes())}  {package.name}\n"
sums += "".join(f"{sha256(file.read_bytes())}  {path}\n" for path, file, _ in entries if path.endswith(".exe"))
(out_dir / "SHA256SUMS").write_text(sums, newline="\n")
