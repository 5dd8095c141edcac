"""Builds the installer package twice from the same sources, in two work folders, and compares
the two files byte for byte.

    python3 package_reproducible.py BUILD_PACKAGE_PY WORK_FOLDER ARGUMENTS...
"""
import os
import shutil
import subprocess
import sys

builder, work, arguments = sys.argv[1], sys.argv[2], sys.argv[3:]
packages = []
shutil.rmtree(work, ignore_errors=True)
for run in ("first", "second"):
    folder = os.path.join(work, run)
    os.makedirs(folder)
    package = os.path.join(folder, "zembrati.msi")
    subprocess.run([sys.executable, builder] + arguments + ["--work", folder, "--output", package], check=True)
    with open(package, "rb") as built:
        packages.append(built.read())
if packages[0] != packages[1]:
    sys.exit("The two packages differ: %d and %d bytes" % (len(packages[0]), len(packages[1])))
print("The package built twice is the same file (%d bytes)" % len(packages[0]))
