"""The installer package's whole life under Wine, in a Wine prefix of its own: install, use through
the installed DLL, upgrade, remove; on a machine whose host keeps its own "ApplDir" and
"Language", on one without them, and on one where the package cannot reach its folders.
Prints "N passed, M failed".

    python3 installer_test.py PACKAGE NEXT_PACKAGE NEXT_VERSION COM_HOST_TEST SCRIPT_FOLDER PREFIX DLL
"""
import os
import shutil
import subprocess
import sys

PACKAGE, NEXT_PACKAGE, NEXT_VERSION, COM_HOST_TEST, SCRIPT_FOLDER, PREFIX, DLL = sys.argv[1:8]
ENVIRONMENT = dict(os.environ, WINEPREFIX=PREFIX, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
DRIVE_C = os.path.join(PREFIX, "drive_c")
INSTALL_FOLDER = os.path.join(DRIVE_C, "Program Files", "Zembrati")
PREFERENCES_FOLDER = os.path.join(DRIVE_C, "ProgramData", "Zembrati")
HOST_KEY = r"HKEY_LOCAL_MACHINE\Software\Morvantec\Vantrex"
OWN_KEY = r"HKEY_LOCAL_MACHINE\Software\Zembrati\Values written by the installer"
PRODUCT = "Zembrati standard steel sections"
# Windows Installer's own records of what is installed: present while a product is.
BOOKKEEPING = (r"hkey_local_machine\software\classes\installer",
               r"hkey_local_machine\software\microsoft\windows\currentversion\installer",
               r"hkey_local_machine\software\microsoft\windows\currentversion\uninstall")
COM_KEYS = tuple(r"hkey_local_machine\software\classes" + "\\" + k
                 for k in ("clsid\\", "interface\\", "typelib\\", "zembrati.", "wow6432node\\"))

passed, failed = 0, 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAILED: " + what, flush=True)


def wine(*arguments, cwd=None):
    return subprocess.run(["wine"] + list(arguments), env=ENVIRONMENT, cwd=cwd, capture_output=True, text=True,
                          errors="replace")


def unescape(text):
    """A quoted text of a registry file, without its quotes and escapes; other data as it stands."""
    if not text.startswith('"'):
        return text  # dword:, hex(...):, str(2):
    out, i = "", 1
    while i < len(text) - 1:
        if text[i] == "\\" and i + 1 < len(text) - 1:
            i += 1
        out += text[i]
        i += 1
    return out


def registry():
    """HKLM\\Software as a set of (key, value name, value), keys in lower case and both spellings
    of the 32-bit view of the classes as one. Read from the prefix's own registry file, which the
    Wine server writes out when it ends (much quicker than exporting through reg.exe)."""
    subprocess.run(["wineserver", "-k"], env=ENVIRONMENT)
    subprocess.run(["wineserver", "-w"], env=ENVIRONMENT)
    with open(os.path.join(PREFIX, "system.reg"), encoding="utf-8", errors="replace") as machine:
        lines = machine.read().splitlines()
    values, key, continued = set(), None, ""
    for line in lines:
        if continued:
            line, continued = continued + line.strip(), ""
        if line.endswith("\\") and not line.startswith("["):
            continued = line[:-1]
            continue
        if line.startswith("["):
            name = unescape('"' + line[1:line.index("]")] + '"').lower()
            key = None
            if name == "software" or name.startswith("software\\"):
                key = "hkey_local_machine\\" + name.replace("software\\wow6432node\\classes",
                                                          "software\\classes\\wow6432node")
                values.add((key, None, None))
        elif key and not line.startswith("#") and "=" in line:
            name, value = (line[1:].split("=", 1) if line.startswith("@") else line.split('"=', 1))
            values.add((key, "@" if line.startswith("@") else unescape(name + '"'), unescape(value)))
    return values


def without(values, prefixes):
    return {v for v in values if not v[0].startswith(prefixes)}


def only(values, prefixes):
    return {v for v in values if v[0].startswith(prefixes)}


def configuration(values):
    """The values the add-in reads and the package's record of what it wrote, by key and name."""
    keys = (HOST_KEY.lower(), OWN_KEY.lower())
    return {(k, n): v for k, n, v in values if k.startswith(keys) and n is not None}


def install(package):
    return wine("msiexec", "/i", "Z:" + package.replace("/", "\\"), "/qn").returncode


def remove(package):
    return wine("msiexec", "/x", "Z:" + package.replace("/", "\\"), "/qn").returncode


def products():
    """The installed products named Zembrati, with their versions."""
    found, values = {}, registry()
    for key, name, value in values:
        if key.startswith(BOOKKEEPING[2]) and name == "DisplayName" and value == PRODUCT:
            found[key] = None
    for key, name, value in values:
        if key in found and name == "DisplayVersion":
            found[key] = value
    return sorted(v or "" for v in found.values())


def files_under(folder):
    listing = set()
    for root, folders, files in os.walk(folder):
        listing.update(os.path.relpath(os.path.join(root, f), folder) for f in folders + files)
    return listing


def machine_files():
    return files_under(os.path.join(DRIVE_C, "Program Files")) | files_under(os.path.join(DRIVE_C, "ProgramData"))


def run_com_host(when):
    result = subprocess.run(["wine", COM_HOST_TEST, "--installed"], env=ENVIRONMENT, capture_output=True, text=True,
                            errors="replace")
    summary = result.stdout.strip().splitlines()[-1:] or ["no output"]
    check(result.returncode == 0 and summary[0].endswith(" 0 failed"),
          "%s: the host creates, edits and regenerates parts through the installed DLL: %s%s"
          % (when, summary[0], "".join("\n  " + line for line in result.stdout.splitlines() if "FAILED" in line)))


def run_script(name, when):
    result = wine("cscript", "//nologo", name, cwd=SCRIPT_FOLDER)
    check(" 0 failed" in result.stdout and " passed" in result.stdout,
          "%s: %s against the installed DLL: %s" % (when, name, result.stdout.strip()[-300:]))


def host_keeps_its_own_values():
    """A host that keeps "ApplDir" and "Language": the package writes the rest, relative to the
    host's folder, upgrades, and leaves the host's values as they were."""
    wine("reg", "add", HOST_KEY, "/v", "Language", "/d", "English (host's own)", "/f")
    wine("reg", "add", HOST_KEY, "/v", "ApplDir", "/d", "C:\\Program Files\\Vantrex\\", "/f")
    before, files_before = registry(), machine_files()
    check(install(PACKAGE) == 0, "msiexec /i installs the package")
    after = registry()
    check(os.path.isfile(os.path.join(INSTALL_FOLDER, "zembrati.dll")) and
          os.path.isfile(os.path.join(INSTALL_FOLDER, "LICENSE.txt")) and
          os.path.isfile(os.path.join(INSTALL_FOLDER, "README.txt")) and
          all(os.path.isfile(os.path.join(INSTALL_FOLDER, "catalogue", f, "standards.ini"))
              for f in ("en", "din", "bs", "us")),
          "the DLL, licence, README and every family of the catalogue are installed")
    profile = HOST_KEY.lower() + r"\profil"
    expected = {(profile, "Norme#0"): "EN", (profile, "Norme#1"): "DIN", (profile, "Norme#2"): "BS",
                (profile, "Norme#3"): "US", (profile, "Data#0"): "tables\\", (profile, "File INI#0"): "standards.ini",
                (profile, "File Prefs"): "..\\..\\ProgramData\\Zembrati\\preferences.txt"}
    for n, family in enumerate(("en", "din", "bs", "us")):
        expected[(profile, "Norme Dir#%d" % n)] = "..\\Zembrati\\catalogue\\%s\\" % family
    for (key, name), value in list(expected.items()):
        expected[(OWN_KEY.lower(), "Profil\\" + name)] = value
    expected[(HOST_KEY.lower(), "Language")] = "English (host's own)"
    expected[(HOST_KEY.lower(), "ApplDir")] = "C:\\Program Files\\Vantrex\\"
    written = configuration(after)
    check(written == expected, "the registry holds exactly the expected configuration:\n  %s"
          % "\n  ".join("%s %s = %s" % (k, n, v) for (k, n), v in sorted(set(written.items()) ^ set(expected.items()))))
    added = without(after - before, BOOKKEEPING + COM_KEYS)
    stray = {v for v in added if (v[0], v[1]) not in expected and v[1] is not None}
    check(not stray, "the package writes nothing else outside the COM classes: %s" % sorted(stray, key=str)[:5])
    com_registration = only(after - before, COM_KEYS)

    run_com_host("installed")
    run_script("part_class.vbs", "installed")
    run_script("boundary.vbs", "installed")
    preferences = os.path.join(PREFERENCES_FOLDER, "preferences.txt")
    check(os.path.isfile(preferences), "the dialog's choices went to the shared preferences file")
    with open(preferences, "rb") as f:
        remembered = f.read()

    edited = os.path.join(INSTALL_FOLDER, "catalogue", "us", "tables", "c.tab")
    with open(edited, "ab") as table:
        table.write(b"\r\n")
    with open(edited, "rb") as table:
        edited_text = table.read()

    # An administrator renames a family the package wrote: the upgrade keeps that too.
    wine("reg", "add", HOST_KEY + r"\Profil", "/v", "Norme#3", "/d", "US (company)", "/f")
    expected[(profile, "Norme#3")] = "US (company)"

    check(install(NEXT_PACKAGE) == 0, "msiexec /i of a newer version upgrades")
    check(products() == [NEXT_VERSION], "one Zembrati product is installed, the newer one: %s" % products())
    upgraded = configuration(registry())
    expected[(OWN_KEY.lower(), "Profil\\Norme#3")] = "US (company)"
    check(upgraded == expected, "the upgrade keeps the configuration as it was, with the administrator's change:\n  %s"
          % "\n  ".join("%s %s = %s" % (k, n, v) for (k, n), v in sorted(set(upgraded.items()) ^ set(expected.items()))))
    check(install(PACKAGE) != 0 and products() == [NEXT_VERSION], "the older package refuses to install over the newer")
    check(os.path.isfile(preferences) and open(preferences, "rb").read() == remembered,
          "the upgrade keeps the users' preferences")
    check(open(edited, "rb").read() == edited_text[:-2],
          "the upgrade replaces a shipped catalogue file the user edited with the new version's")
    run_com_host("upgraded")

    check(remove(NEXT_PACKAGE) == 0, "msiexec /x removes the package")
    gone = registry()
    left = {v for v in gone - before if not (v[0].startswith(BOOKKEEPING) and v[1] is None)}
    check(not left and gone >= before, "removal leaves the registry as before the install (but for Windows "
          "Installer's own empty keys): added %s, taken %s"
          % (sorted(left, key=str)[:4], sorted(before - gone, key=str)[:4]))
    check(machine_files() == files_before, "removal leaves no file or folder behind: %s"
          % sorted(machine_files() ^ files_before)[:5])
    return com_registration


def host_without_values():
    """No host values: the package writes "ApplDir" (its install folder) and "Language" too, and
    removal takes them away again."""
    wine("reg", "delete", r"HKLM\Software\Morvantec", "/f")
    before, files_before = registry(), machine_files()
    check(install(PACKAGE) == 0, "msiexec /i installs on a machine without the host's values")
    written = configuration(registry())
    check(written.get((HOST_KEY.lower(), "ApplDir")) == "C:\\Program Files\\Zembrati\\" and
          written.get((HOST_KEY.lower(), "Language")) == "English" and
          written.get((HOST_KEY.lower() + r"\profil", "Norme Dir#0")) == "catalogue\\en\\" and
          written.get((HOST_KEY.lower() + r"\profil", "File Prefs")) == "..\\..\\ProgramData\\Zembrati\\preferences.txt",
          "ApplDir is the install folder and the paths follow it: %s" % sorted(written.items())[:4])
    run_com_host("installed without host values")
    check(remove(PACKAGE) == 0, "msiexec /x removes it")
    check(registry() == before and machine_files() == files_before,
          "removal takes away the values it wrote, ApplDir and Language too, and every file")


def unreachable_folders():
    """A host folder on another drive cannot lead to the installed catalogue: the install fails
    and leaves the machine as it was."""
    wine("reg", "add", HOST_KEY, "/v", "ApplDir", "/d", "Z:\\elsewhere\\", "/f")
    before, files_before = registry(), machine_files()
    check(install(PACKAGE) != 0, "the install fails when ApplDir is on another drive")
    check(registry() == before and machine_files() == files_before, "the failed install leaves nothing behind")
    wine("reg", "delete", r"HKLM\Software\Morvantec", "/f")


def registered_by_the_dll_itself():
    """What the DLL's own DllRegisterServer writes, with the DLL where the package puts it."""
    os.makedirs(INSTALL_FOLDER, exist_ok=True)
    shutil.copyfile(DLL, os.path.join(INSTALL_FOLDER, "zembrati.dll"))
    before = registry()
    wine("regsvr32", "/s", r"C:\Program Files\Zembrati\zembrati.dll")
    registered = only(registry() - before, COM_KEYS)
    wine("regsvr32", "/s", "/u", r"C:\Program Files\Zembrati\zembrati.dll")
    shutil.rmtree(INSTALL_FOLDER)
    return registered


def main():
    # Wine registers some of its own classes the first time a script runs: that happens now, not
    # between the snapshots of the registry.
    for name in ("part_class.vbs", "boundary.vbs"):
        wine("cscript", "//nologo", name, cwd=SCRIPT_FOLDER)
    com_registration = host_keeps_its_own_values()
    host_without_values()
    unreachable_folders()
    by_dll = registered_by_the_dll_itself()
    check(com_registration == by_dll and len(by_dll) > 100,
          "the package registers classes, ProgIDs, interfaces and type library exactly as DllRegisterServer "
          "(%d values): only the package %s, only the DLL %s"
          % (len(by_dll), sorted(com_registration - by_dll, key=str)[:3], sorted(by_dll - com_registration, key=str)[:3]))
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
