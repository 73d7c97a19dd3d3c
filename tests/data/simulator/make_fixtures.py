#!/usr/bin/env python3
# Writes the registry fixtures of the simulator tests (run in this folder).
# Each fixture is imported on its own: regedit under Wine (after clean.reg),
# the .reg reader on POSIX.
U = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall"
ARDEN22 = U + r"\TARVIK Arden 2.2_is1"
ARDEN20 = U + r"\TARVIK Arden 2.0_is1"
FORM = U + r"\TARVIK Formgard 15.0_is1"
BIT = U + r"\TARVIK Bitgard 15.0_is1"
SPIN = U + r"\TARVIK Spingard 15.0_is1"
WOW = r"HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Varnell Technology\TARVIK\Bitra\3.0"
COMP = (r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Installer\UserData\S-1-5-18"
        r"\Components\A0B1C2D3E4F5061728394A5B6C7D8E9F")
PEL = U + r"\Pellast_is1"
H5 = "Windows Registry Editor Version 5.00"


def write(name, lines, utf16=False, header=H5):
    text = "\r\n".join([header, ""] + lines + [""])
    data = (b"\xff\xfe" + text.encode("utf-16-le")) if utf16 else text.encode("ascii")
    open(name, "wb").write(data)


def key(k, *values):
    return ["[%s]" % k] + list(values) + [""]


esc = lambda s: s.replace("\\", "\\\\")

write("clean.reg", ["[-%s]" % k for k in (ARDEN22, ARDEN20, FORM, BIT, SPIN, PEL, COMP)] +
      [r"[-HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Varnell Technology]", ""])
write("arden_both.reg",
      key(ARDEN20, r'"DisplayIcon"="C:\\Program Files\\TARVIK\\Arden20\\Tarvik.exe"') +
      key(ARDEN22, r'"DisplayName"="TARVIK Arden 2.2"',
          r'"DisplayIcon"="C:\\Program Files\\TARVIK\\Arden22\\Tarvik.exe,0"'), utf16=True)
write("spingard_only.reg",
      key(SPIN, r'"DisplayIcon"="D:\\シミュレータ\\Spingard\\Tarvik.exe"') +
      key(r"HKEY_CURRENT_USER\Software\Quenlo Elsewhere", r'"DisplayIcon"="C:\\wrong.exe"'), utf16=True)
write("key_without_value.reg",
      key(ARDEN22, r'"DisplayName"="TARVIK Arden 2.2"') +
      key(FORM, r'"DisplayIcon"="C:\\Formgard\\Tarvik.exe"') +
      key(WOW, r'"Version"="3.0"') +
      key(PEL, r'"DisplayIcon"="C:\\Pellast\\Pellast.exe"'))
write("pellast_install_dir.reg",
      key(WOW, r'"InstallDir"="C:\\Program Files (x86)\\Varnell\\Pellast\\"') +
      key(PEL, r'"DisplayIcon"="C:\\wrong\\Pellast.exe"'))
write("pellast_component.reg",
      key(COMP, r'"F9E8D7C6B5A40312233445566778899A"="C:\\Varnell\\Pellast 3\\Pellast.exe"') +
      key(PEL, r'"DisplayIcon"="C:\\wrong\\Pellast.exe"'))
write("tarvik_and_pellast.reg",
      key(SPIN, r'"DisplayIcon"="C:\\Tarvik\\Tarvik.exe"') +
      key(PEL, r'"DisplayIcon"="C:\\Pellast\\Pellast.exe"'))
write("other_types.reg",
      key(ARDEN22, r'"DisplayIcon"=dword:00000001') +
      key(ARDEN20, r'"DisplayIcon"="C:\\wrong\\Tarvik.exe"') +
      key(WOW, r'"InstallDir"=hex:43,00,3a,00,5c,00,00,00') +
      key(PEL, r'"DisplayIcon"="C:\\wrong\\Pellast.exe"'))
write("empty_values.reg",
      key(ARDEN22, r'"DisplayIcon"=""') +
      key(ARDEN20, r'"DisplayIcon"="C:\\wrong\\Tarvik.exe"') +
      key(WOW, r'"InstallDir"=hex:') +
      key(PEL, r'"DisplayIcon"="C:\\wrong\\Pellast.exe"'))
# An empty REG_SZ "InstallDir": no Pellast, and no later probe.
write("empty_install_dir.reg",
      key(WOW, r'"InstallDir"=""') +
      key(PEL, r'"DisplayIcon"="C:\\wrong\\Pellast.exe"'))
# The Formgard and Bitgard probes: found on their own, and ahead of Spingard.
write("formgard_only.reg", key(FORM, r'"DisplayIcon"="C:\\Formgard\\Tarvik.exe"'))
write("bitgard_spingard.reg",
      key(SPIN, r'"DisplayIcon"="C:\\Spingard\\Tarvik.exe"') +
      key(BIT, r'"DisplayIcon"="C:\\Bitgard\\Tarvik.exe"'))
write("formgard_bitgard_spingard.reg",
      key(SPIN, r'"DisplayIcon"="C:\\Spingard\\Tarvik.exe"') +
      key(BIT, r'"DisplayIcon"="C:\\Bitgard\\Tarvik.exe"') +
      key(FORM, r'"DisplayIcon"="C:\\Formgard\\Tarvik.exe"'))
# REG_SZ data without a terminating NUL, and REG_EXPAND_SZ (taken unexpanded), UTF-16 bytes.
write("unterminated_value.reg",
      key(BIT, r'"DisplayIcon"=hex(1):43,00,3a,00,5c,00,54,00,2e,00,65,00,78,00,65,00') +
      key(PEL, r'"DisplayIcon"=hex(2):25,00,50,00,25,00,5c,00,50,00,2e,00,65,00,78,00,65,00,00,00'), utf16=True)
# In an 8-bit file, text given as hex bytes is in the ANSI code page.
write("ansi_hex_text.reg", key(ARDEN20, r'"DisplayIcon"=hex(2):43,3a,5c,83,65,83,58,83,67,5c,54,2e,65,78,65,00'))
long259 = "C:\\" + "a" * 245 + "\\Tarvik.exe"
long300 = "C:\\" + "b" * 285 + "\\Pellast.exe"
assert len(long259) == 259 and len(long300) == 300
write("long_values.reg",
      key(ARDEN22, '"DisplayIcon"="%s"' % esc(long259)) +
      key(PEL, '"DisplayIcon"="%s"' % esc(long300)))
write("junk_lines.reg",
      ["this line is not registry text", "; a comment", ""] +
      key(ARDEN20, "junk = junk", '"DisplayIcon"=dword:zz', '"DisplayIcon"="C:\\\\Arden 2.0\\\\Tarvik.exe"',
          'garbage"line', '"Other"=hex:4x,00') +
      key(PEL, '"Unused"=', '"DisplayIcon"="C:\\\\Pellast\\\\Pellast.exe"'))
write("wrong_header.reg", key(ARDEN22, r'"DisplayIcon"="C:\\Tarvik.exe"') +
      key(PEL, r'"DisplayIcon"="C:\\Pellast.exe"'), header="Windows Registry Editor Version 4.00")
