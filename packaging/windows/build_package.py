"""Builds the Windows installer package zembrati-<version>-x64.msi from the cross build's DLL,
the shipped catalogue and the add-in's configuration, with wixl and msibuild (msitools).

    python3 build_package.py --version 0.1.0 --dll zembrati.dll --setup-actions setup_actions.dll
        --idl zembrati.idl --settings zembrati.ini --catalogue data/catalogue --license LICENSE
        --readme README.txt --icon zembrati.ico --work DIR --output zembrati-0.1.0-x64.msi

Everything the package holds is derived here from those inputs, so that a package built twice
from the same sources is the same file: ids are name-based UUIDs, files are staged with one
timestamp, and the tools run with the clock frozen at that timestamp.
"""
import argparse
import configparser
import datetime
import hashlib
import os
import re
import shutil
import subprocess
import sys
import uuid
from xml.sax.saxutils import quoteattr

# Never changes: every version of the package upgrades every earlier one through it.
UPGRADE_CODE = "6C1F4E52-9B1D-4C87-A0F4-2E5B7D3A9C10"
NAMESPACE = uuid.UUID(UPGRADE_CODE)
MANUFACTURER = "Zembrati developers"
PRODUCT = "Zembrati standard steel sections"
HOST_KEY = r"SOFTWARE\Morvantec\Vantrex"
PROFILE_KEY = HOST_KEY + r"\Profil"
# Where the package notes which configuration values it wrote, so that an upgrade keeps owning
# them and removal takes away those and no others.
OWN_KEY = r"SOFTWARE\Zembrati\Values written by the installer"
PROXY_STUB = "{00020420-0000-0000-C000-000000000046}"
# Modify rights for users in the preferences folder (its files and subfolders inherit them).
PREFERENCES_SDDL = "D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)"
PREFERENCES_FILE = "preferences.txt"
DEFAULT_EPOCH = 1767225600  # 2026-01-01 00:00:00 UTC


def guid(kind, name):
    return str(uuid.uuid5(NAMESPACE, kind + " " + name)).upper()


def short_id(prefix, text):
    return prefix + hashlib.sha1(text.encode()).hexdigest()[:20]


class TypeLibrary:
    """The classes and interfaces of the type library, as DllRegisterServer registers them."""

    def __init__(self, idl_text):
        library = re.search(r'\[uuid\(([0-9A-Fa-f-]+)\), version\(([\d.]+)\), helpstring\("([^"]*)"\)\]\s*library (\w+)',
                            idl_text)
        self.id = "{%s}" % library.group(1).upper()
        self.version = library.group(2)
        self.help = library.group(3)
        self.name = library.group(4)
        blocks = re.findall(r'\[uuid\(([0-9A-Fa-f-]+)\)[^\]]*\]\s*(coclass|dispinterface) (\w+)', idl_text)
        self.classes = [(name, "{%s}" % i.upper()) for i, kind, name in blocks if kind == "coclass"]
        self.interfaces = [(name, "{%s}" % i.upper()) for i, kind, name in blocks if kind == "dispinterface"]
        if len(self.classes) != 14 or len(self.interfaces) != 14:
            sys.exit("build_package.py: expected 14 classes and 14 interfaces in the IDL, found %d and %d"
                     % (len(self.classes), len(self.interfaces)))


def configuration_values(settings_path):
    """The registry values the add-in reads (key, name, fixed text or None, place of a path)."""
    settings = configparser.ConfigParser(interpolation=None, delimiters=("=",))
    settings.optionxform = str
    settings.read(settings_path, encoding="utf-8")
    profile = settings[PROFILE_KEY]
    values = [(HOST_KEY, "ApplDir", None, "BASE"),
              (HOST_KEY, "Language", settings[HOST_KEY].get("Language", "English"), "")]
    n = 0
    while ("Norme#%d" % n) in profile:
        folder = profile["Norme Dir#%d" % n].rstrip("/\\").replace("\\", "/").split("/")[-1]
        values.append((PROFILE_KEY, "Norme#%d" % n, profile["Norme#%d" % n], ""))
        values.append((PROFILE_KEY, "Norme Dir#%d" % n, None, "INSTALLFOLDER|catalogue\\%s\\" % folder))
        n += 1
    values.append((PROFILE_KEY, "Data#0", profile["Data#0"].replace("/", "\\"), ""))
    values.append((PROFILE_KEY, "File INI#0", profile["File INI#0"], ""))
    values.append((PROFILE_KEY, "File Prefs", None, "PREFSFOLDER|" + PREFERENCES_FILE))
    return values


def stage(args, stage_dir, epoch):
    """Copies what the package installs into one folder, every file with the same timestamp."""
    shutil.rmtree(stage_dir, ignore_errors=True)
    os.makedirs(stage_dir)
    shutil.copyfile(args.dll, os.path.join(stage_dir, "zembrati.dll"))
    shutil.copyfile(args.license, os.path.join(stage_dir, "LICENSE.txt"))
    shutil.copyfile(args.readme, os.path.join(stage_dir, "README.txt"))
    shutil.copytree(args.catalogue, os.path.join(stage_dir, "catalogue"))
    for root, folders, files in os.walk(stage_dir):
        folders.sort()
        for name in files + folders:
            os.utime(os.path.join(root, name), (epoch, epoch))


def files_component(library, relative_folder, stage_dir):
    """One component per folder of the install, its files sorted by name."""
    folder = os.path.join(stage_dir, relative_folder)
    names = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n)))
    if not names:
        return ""
    key = "files " + relative_folder.replace(os.sep, "/")
    lines = ['<Component Id=%s Guid="%s" Win64="yes">' % (quoteattr(short_id("c", key)), guid("component", key))]
    key_file = "zembrati.dll" if relative_folder == "" else names[0]
    for name in names:
        file_id = "ZembratiDll" if relative_folder == "" and name == "zembrati.dll" else \
            short_id("f", os.path.join(relative_folder, name))
        lines.append('  <File Id=%s Name=%s Source=%s%s/>' % (quoteattr(file_id), quoteattr(name),
                                                              quoteattr(os.path.join("stage", relative_folder, name)),
                                                              ' KeyPath="yes"' if name == key_file else ""))
    if relative_folder == "":
        lines.append(class_registration_values(library))
    lines.append("</Component>")
    return "\n".join(lines)


def folder_tree(library, stage_dir, relative_folder=""):
    """The Directory elements below INSTALLFOLDER with their components."""
    folder = os.path.join(stage_dir, relative_folder)
    parts = [files_component(library, relative_folder, stage_dir)]
    for name in sorted(n for n in os.listdir(folder) if os.path.isdir(os.path.join(folder, n))):
        child = os.path.join(relative_folder, name)
        parts.append('<Directory Id=%s Name=%s>' % (quoteattr(short_id("d", child)), quoteattr(name)))
        parts.append(folder_tree(library, stage_dir, child))
        parts.append("</Directory>")
    return "\n".join(p for p in parts if p)


def registry_value(key, name, value, key_path=False, root="HKLM"):
    name_attribute = "" if name is None else " Name=%s" % quoteattr(name)
    return '<RegistryValue Root="%s" Key=%s%s Type="string" Value=%s%s/>' % (
        root, quoteattr(key), name_attribute, quoteattr(value), ' KeyPath="yes"' if key_path else "")


def class_registration_values(library):
    """The classes and ProgIDs, exactly as the DLL's own DllRegisterServer writes them."""
    rows = []
    for (name, clsid) in library.classes:
        prog_id = "%s.%s" % (library.name, name)
        key = r"Software\Classes\CLSID" + "\\" + clsid
        rows += [registry_value(key, None, name),
                 registry_value(key + r"\InprocServer32", None, "[#ZembratiDll]"),
                 registry_value(key + r"\InprocServer32", "ThreadingModel", "Apartment"),
                 registry_value(key + r"\ProgID", None, prog_id),
                 registry_value(key + r"\TypeLib", None, library.id),
                 registry_value(r"Software\Classes" + "\\" + prog_id, None, name),
                 registry_value(r"Software\Classes" + "\\" + prog_id + r"\CLSID", None, clsid)]
    return "\n".join("  " + r for r in rows + type_library_values(library))


def type_library_values(library):
    """The type library and its interfaces, as RegisterTypeLib records them in one registry view."""
    key = r"Software\Classes\TypeLib" + "\\" + library.id + "\\" + library.version
    rows = [registry_value(key, None, library.help),
            registry_value(key + r"\0\win64", None, "[#ZembratiDll]"),
            registry_value(key + r"\FLAGS", None, "8"),
            registry_value(key + r"\HELPDIR", None, "[HELPFOLDER]")]
    for name, iid in library.interfaces:
        key = r"Software\Classes\Interface" + "\\" + iid
        rows += [registry_value(key, None, name),
                 registry_value(key + r"\ProxyStubClsid", None, PROXY_STUB),
                 registry_value(key + r"\ProxyStubClsid32", None, PROXY_STUB),
                 registry_value(key + r"\TypeLib", None, library.id),
                 registry_value(key + r"\TypeLib", "Version", library.version)]
    return rows


def configuration_components(values):
    """One component per configuration value, so that each is written only where none exists."""
    components, searches, conditions = [], [], []
    for k, (key, name, fixed, place) in enumerate(values):
        marker = (key[len(HOST_KEY) + 1:] + "\\" if key != HOST_KEY else "") + name
        searches.append('<Property Id="ZCONFIG%d_FOUND"><RegistrySearch Id="FindConfig%d" Root="HKLM" Key=%s Name=%s '
                        'Type="raw" Win64="yes"/></Property>' % (k, k, quoteattr(key), quoteattr(name)))
        searches.append('<Property Id="ZCONFIG%d_OURS"><RegistrySearch Id="FindOwnConfig%d" Root="HKLM" Key=%s Name=%s '
                        'Type="raw" Win64="yes"/></Property>' % (k, k, quoteattr(OWN_KEY), quoteattr(marker)))
        if fixed is not None:
            searches.append('<Property Id="ZCONFIG%d_VALUE" Value=%s/>' % (k, quoteattr(fixed)))
        if place:
            searches.append('<Property Id="ZCONFIG%d_PLACE" Value=%s/>' % (k, quoteattr(place)))
        component = "Config%d" % k
        components.append('<Component Id="%s" Guid="%s" Win64="yes">\n  %s\n  %s\n</Component>' % (
            component, guid("component", "configuration " + key + "\\" + name),
            registry_value(key, name, "[ZCONFIG%d_VALUE]" % k),
            registry_value(OWN_KEY, marker, "[ZCONFIG%d_VALUE]" % k, key_path=True)))
        conditions.append((component, "NOT ZCONFIG%d_FOUND OR ZCONFIG%d_OURS" % (k, k)))
    searches.append('<Property Id="ZCONFIG_COUNT" Value="%d"/>' % len(values))
    return "\n".join(components), "\n".join(searches), conditions


def package_source(args, stage_dir, values):
    with open(args.idl, encoding="utf-8") as idl:
        library = TypeLibrary(idl.read())
    config_components, config_searches, conditions = configuration_components(values)
    other_view = ('<Component Id="TypeLibraryOtherView" Guid="%s" Win64="no">\n%s\n</Component>' % (
        guid("component", "type library, 32-bit view"),
        "\n".join("  " + r for r in type_library_values(library)).replace('Value="[HELPFOLDER]"/>',
                                                                    'Value="[HELPFOLDER]" KeyPath="yes"/>')))
    source = """<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
<Product Id="{product}" Name="{name}" Language="1033" Version="{version}" Manufacturer="{manufacturer}"
         UpgradeCode="{upgrade}">
<Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine" Manufacturer="{manufacturer}"
         Description="{name} {version}" Comments="Catalogue of standard steel sections for the CAD host"/>
<Media Id="1" Cabinet="zembrati.cab" EmbedCab="yes"/>
<Icon Id="zembrati.ico" SourceFile={icon}/>
<Property Id="ARPPRODUCTICON" Value="zembrati.ico"/>
<Property Id="ARPNOMODIFY" Value="1"/>
<Property Id="ARPURLINFOABOUT" Value="https://zembrati.invalid/"/>
<Upgrade Id="{upgrade}">
  <UpgradeVersion Minimum="0.0.0" Maximum="{version}" IncludeMinimum="yes" IncludeMaximum="no" Property="OLDERVERSIONFOUND"/>
  <UpgradeVersion Minimum="{version}" IncludeMinimum="no" OnlyDetect="yes" Property="NEWERVERSIONFOUND"/>
</Upgrade>
<Condition Message="A newer version of {name} is already installed.">NOT NEWERVERSIONFOUND</Condition>
{searches}
<Binary Id="SetupActions" SourceFile={setup}/>
<CustomAction Id="ComposeConfiguration" BinaryKey="SetupActions" DllEntry="ComposeConfiguration" Execute="immediate" Return="check"/>
<CustomAction Id="NoteUpgrade" BinaryKey="SetupActions" DllEntry="NoteUpgrade" Execute="immediate" Return="ignore"/>
<CustomAction Id="ForgetUpgrade" BinaryKey="SetupActions" DllEntry="ForgetUpgrade" Execute="immediate" Return="ignore"/>
<CustomAction Id="CleanPreferencesOnRemoval" Property="PREFSCLEANUP" Value="[PREFSFOLDER]"/>
<Property Id="ZUPGRADING"><RegistrySearch Id="FindUpgrade" Root="HKLM" Key="SOFTWARE\Zembrati" Name="Upgrade in progress" Type="raw" Win64="yes"/></Property>
<InstallExecuteSequence>
  <Custom Action="ComposeConfiguration" After="CostFinalize">NOT (REMOVE="ALL")</Custom>
  <RemoveExistingProducts After="InstallValidate"/>
</InstallExecuteSequence>
<Directory Id="TARGETDIR" Name="SourceDir">
  <Directory Id="ProgramFiles64Folder">
    <Directory Id="INSTALLFOLDER" Name="Zembrati">
{files}
{other_view}
{config}
    </Directory>
  </Directory>
  <Directory Id="CommonAppDataFolder">
    <Directory Id="PREFSFOLDER" Name="Zembrati">
      <Component Id="PreferencesFolder" Guid="{prefs_guid}" Win64="yes">
        <CreateFolder/>
      </Component>
    </Directory>
  </Directory>
</Directory>
<Feature Id="Complete" Title="{name}" Level="1">
{refs}
</Feature>
</Product>
</Wix>
"""
    files = folder_tree(library, stage_dir)
    component_ids = re.findall(r'<Component Id="([^"]+)"', files + other_view + config_components)
    component_ids.append("PreferencesFolder")
    text = source.format(product=guid("product", args.version), name=PRODUCT, version=args.version,
                         manufacturer=MANUFACTURER, upgrade=UPGRADE_CODE, icon='"zembrati.ico"',
                         searches=config_searches, setup='"setup_actions.dll"', files=files,
                         other_view=other_view, config=config_components,
                         prefs_guid=guid("component", "preferences folder"),
                         refs="\n".join('  <ComponentRef Id="%s"/>' % c for c in component_ids))
    return text, conditions


def sql_text(text):
    return "'" + text.replace("'", "''") + "'"


def finishing_queries(conditions):
    """What wixl cannot say: component conditions, the preferences folder's rights, the removal of
    the preferences with the product (but not in an upgrade), and the custom actions' places."""
    queries = ["UPDATE `Component` SET `Condition`=%s WHERE `Component`=%s" % (sql_text(c), sql_text(k))
               for k, c in conditions]
    queries += [
        "UPDATE `InstallExecuteSequence` SET `Sequence`=1001 WHERE `Action`='ComposeConfiguration'",
        "INSERT INTO `InstallExecuteSequence` (`Action`,`Condition`,`Sequence`) VALUES "
        "('CleanPreferencesOnRemoval','REMOVE=\"ALL\" AND NOT UPGRADINGPRODUCTCODE AND NOT ZUPGRADING',1002)",
        # The removal of the earlier version runs inside the upgrade: UPGRADINGPRODUCTCODE tells it
        # so on Windows, the note in the registry on installers that do not set it (Wine's).
        "UPDATE `InstallExecuteSequence` SET `Sequence`=1402 WHERE `Action`='RemoveExistingProducts'",
        "INSERT INTO `InstallExecuteSequence` (`Action`,`Condition`,`Sequence`) VALUES "
        "('NoteUpgrade','OLDERVERSIONFOUND AND NOT (REMOVE=\"ALL\")',1401)",
        "INSERT INTO `InstallExecuteSequence` (`Action`,`Condition`,`Sequence`) VALUES "
        "('ForgetUpgrade','OLDERVERSIONFOUND AND NOT (REMOVE=\"ALL\")',6601)",
        "INSERT INTO `RemoveFile` (`FileKey`,`Component_`,`FileName`,`DirProperty`,`InstallMode`) VALUES "
        "('PreferencesFile','PreferencesFolder',%s,'PREFSCLEANUP',2)" % sql_text(PREFERENCES_FILE),
        "CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, "
        "`Table` CHAR(32) NOT NULL, `SDDLText` CHAR(255) NOT NULL, `Condition` CHAR(255) "
        "PRIMARY KEY `MsiLockPermissionsEx`)",
        "INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`,`LockObject`,`Table`,`SDDLText`) VALUES "
        "('PreferencesFolderRights','PREFSFOLDER','CreateFolder',%s)" % sql_text(PREFERENCES_SDDL),
    ]
    return queries


def run(command, epoch, folder):
    """Runs one of msitools' programs in `folder` with the clock frozen, so that its timestamps
    repeat."""
    moment = datetime.datetime.fromtimestamp(epoch, datetime.timezone.utc).strftime("%Y-%m-%d %H:%M:%S")
    frozen = ["faketime", "-f", moment] if shutil.which("faketime") else []
    subprocess.run(frozen + command, check=True, cwd=folder, env=dict(os.environ, TZ="UTC"))


def main():
    parser = argparse.ArgumentParser(description="Builds the Zembrati installer package.")
    for option in ("version", "dll", "setup-actions", "idl", "settings", "catalogue", "license", "readme", "icon",
                   "work", "output"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", DEFAULT_EPOCH))
    stage_dir = os.path.join(args.work, "stage")
    stage(args, stage_dir, epoch)
    # wixl takes its sources by names relative to the folder it runs in.
    shutil.copyfile(args.icon, os.path.join(args.work, "zembrati.ico"))
    shutil.copyfile(args.setup_actions, os.path.join(args.work, "setup_actions.dll"))
    text, conditions = package_source(args, stage_dir, configuration_values(args.settings))
    source_path = os.path.join(args.work, "zembrati.wxs")
    with open(source_path, "w", encoding="utf-8") as out:
        out.write(text)
    contents = hashlib.sha256(text.encode())
    for root, folders, files in os.walk(stage_dir):
        folders.sort()
        for name in sorted(files):
            with open(os.path.join(root, name), "rb") as f:
                contents.update(f.read())
    package_code = "{%s}" % str(uuid.uuid5(NAMESPACE, "package " + contents.hexdigest())).upper()
    partial = os.path.abspath(args.output + ".partial")
    run(["wixl", "-a", "x64", "-o", partial, "zembrati.wxs"], epoch, args.work)
    query_arguments = [a for q in finishing_queries(conditions) for a in ("-q", q)]
    run(["msibuild", partial] + query_arguments, epoch, args.work)
    run(["msibuild", partial, "-s", "%s %s" % (PRODUCT, args.version), MANUFACTURER, "x64;1033", package_code], epoch,
        args.work)
    os.replace(partial, args.output)


if __name__ == "__main__":
    main()
