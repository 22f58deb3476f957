"""Makes the release: NAME.zip holding NAME/QorvaneShutdown.exe and
NAME/README.txt, and SHA256SUMS beside it for the ZIP and the .exe.

usage: make-release.py EXE README OUT_DIR NAME SOURCE_DIR

The same inputs give the same bytes, whoever builds where and when: the
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

exe, readme, out_dir, name, source = (pathlib.Path(a) for a in sys.argv[1:6])
name = str(name)


def release_time():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    try:
        return int(subprocess.run(["git", "-C", str(source), "log", "-1", "--format=%ct"], check=True,
                                  capture_output=True, text=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        return 315532800  # 1980-01-01 00:00:00 UTC


stamp = max(time.gmtime(release_time())[:6], (1980, 1, 1, 0, 0, 0))
out_dir.mkdir(parents=True, exist_ok=True)
package = out_dir / f"{name}.zip"
with zipfile.ZipFile(package, "w") as archive:
    for source_file, mode in ((exe, 0o755), (readme, 0o644)):
        entry = zipfile.ZipInfo(f"{name}/{source_file.name}", date_time=stamp)
        entry.create_system = 3  # Unix, so the mode below is kept
        entry.external_attr = (0o100000 | mode) << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, source_file.read_bytes(), compresslevel=9)

sums = "".join(f"{hashlib.sha256(path.read_bytes()).hexdigest()}  {path.name}\n" for path in (package, exe))
(out_dir / "SHA256SUMS").write_text(sums, newline="\n")
