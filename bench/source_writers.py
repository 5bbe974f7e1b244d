"""One writer per source type: the machine list in the form that type's old system keeps it."""
import json
import os
import sqlite3
import struct
import subprocess
from xml.sax.saxutils import quoteattr, escape

ALD_RECORD_SIZE = 348


class SourceTooLarge(Exception):
    """The tool that writes this form cannot hold that many machines."""


def _write_bytes(path, data):
    with open(path, "wb") as out:
        out.write(data)


def _write_text(path, text, encoding):
    with open(path, "w", encoding=encoding, newline="") as out:
        out.write(text)


# --- binary records -------------------------------------------------------------------------

def write_ald(machines, path, tools):
    records = bytearray(ALD_RECORD_SIZE * len(machines))
    for index, machine in enumerate(machines):
        at = index * ALD_RECORD_SIZE
        struct.pack_into("<I", records, at, index + 1)
        records[at + 20:at + 24] = machine.ip_octets
        records[at + 44:at + 56] = machine.mac.encode("ascii")
        name = machine.name.encode("gbk")
        records[at + 60:at + 60 + len(name)] = name
    _write_bytes(path, bytes(records))


# --- XML ------------------------------------------------------------------------------------

def _xml(declared_encoding, lines):
    text = f'<?xml version="1.0" encoding="{declared_encoding}"?>\r\n' + "\r\n".join(lines) + "\r\n"
    return text


def write_ccboot(machines, path, tools):
    lines = ["<server>", "  <initiator>"]
    for m in machines:
        lines += ["    <client>",
                  f"      <name value={quoteattr(m.name)}/>",
                  f'      <mac value="{m.mac.upper()}"/>',
                  f'      <ip value="{m.dotted_ip}"/>',
                  '      <disk value="0"/>',
                  "    </client>"]
    lines += ["  </initiator>", "</server>"]
    _write_text(path, _xml("utf-8", lines), "utf-8")


def write_i8(machines, path, tools):
    lines = ["<Collections>"]
    for m in machines:
        lines += [f"  <Computer Name={quoteattr(m.name)}>",
                  f"    <MacAddr>{m.mac_with('-', upper=True)}</MacAddr>",
                  f"    <NetAddr>{m.dotted_ip}</NetAddr>",
                  f"    <IPAddr>{m.dotted_ip}</IPAddr>",
                  "    <Mask>255.255.255.0</Mask>",
                  "  </Computer>"]
    lines.append("</Collections>")
    _write_text(path, _xml("gb2312", lines), "gbk")


def _attribute_xml(machines, root, container, element, name_attr, ip_attr, mac_of):
    lines = [f"<{root}>", f"  <{container}>"]
    for m in machines:
        lines.append(f"    <{element} {name_attr}={quoteattr(m.name)} MAC=\"{mac_of(m)}\" "
                     f"{ip_attr}=\"{m.dotted_ip}\" Mask=\"255.255.255.0\"/>")
    lines += [f"  </{container}>", f"</{root}>"]
    return lines


def write_pxd(machines, path, tools):
    lines = _attribute_xml(machines, "PXD", "Wks", "Computer", "ComName", "WksIP", lambda m: m.mac)
    _write_text(path, _xml("gb2312", lines), "gbk")


def write_kuaiba(machines, path, tools):
    lines = _attribute_xml(machines, "KB", "wks", "pc", "cName", "clientIP", lambda m: m.mac)
    _write_text(path, _xml("gb2312", lines), "gbk")


def write_kuaiba_lvcha(machines, path, tools):
    lines = _attribute_xml(machines, "LC", "wks", "pc", "cName", "clientIP", lambda m: m.mac)
    _write_text(path, _xml("gb2312", lines), "gbk")


def write_sanboot(machines, path, tools):
    lines = ["<Sanboot>"]
    for m in machines:
        lines.append(f"  <Client Name={quoteattr(m.name)} MAC=\"{m.mac_with('-', upper=True)}\" "
                     f"IP=\"{m.dotted_ip}\" Disk=\"0\"/>")
    lines.append("</Sanboot>")
    _write_text(path, _xml("utf-8", lines), "utf-8")


def write_wangwei9(machines, path, tools):
    lines = ["<ClientInfor>"]
    for m in machines:
        lines += ["  <ClientConfig>",
                  f"    <Name>{escape(m.name)}</Name>",
                  f"    <Mac>{m.mac.upper()}</Mac>",
                  f"    <IP>{m.ip}</IP>",
                  "    <Group>默认分组</Group>",
                  "  </ClientConfig>"]
    lines.append("</ClientInfor>")
    _write_text(path, _xml("gb2312", lines), "gbk")


# --- INI ------------------------------------------------------------------------------------

class IniForm:
    """Where one INI type keeps its values; the section names bound how many machines fit."""

    def __init__(self, section_of, keys_of, list_buffer):
        self.section_of = section_of
        self.keys_of = keys_of
        self.list_buffer = list_buffer  # wide characters for the list of section names

    def largest_fit(self, machines):
        # The list holds every name and its NUL; it must stay below buffer - 2.
        used = 0
        fits = 0
        for machine in machines:
            used += len(self.section_of(fits, machine).encode("utf-16-le")) // 2 + 1
            if used >= self.list_buffer - 2:
                return fits
            fits += 1
        return fits

    def write(self, machines, path, tools):
        lines = []
        for index, machine in enumerate(machines):
            lines.append(f"[{self.section_of(index, machine)}]")
            lines += [f"{key}={value}" for key, value in self.keys_of(machine)]
            lines.append("")
        _write_text(path, "\r\n".join(lines), "gbk")


INI_FORMS = {
    "ruiqi": IniForm(lambda i, m: m.mac,
                     lambda m: [("IpAddr", m.dotted_ip), ("WksName", m.name), ("DiskSize", "40")],
                     5200),
    "mzd": IniForm(lambda i, m: str(i + 1),
                   lambda m: [("ComName", m.name), ("MAC", m.mac), ("WksIP", m.dotted_ip),
                              ("Mask", "255.255.255.0")],
                   5200),
    "obm": IniForm(lambda i, m: f"WKS{i + 1:03d}",
                   lambda m: [("WksName", m.name), ("MAC", m.mac.upper()), ("IPAddr", m.dotted_ip),
                              ("Gateway", "10.0.0.1")],
                   10400),
    "wangzhong": IniForm(lambda i, m: m.name,
                         lambda m: [("MAC", m.mac_with("-", upper=True)), ("IP", m.dotted_ip),
                                    ("Menu", "1")],
                         10400),
}


# --- SQLite ---------------------------------------------------------------------------------

def _sqlite(path, create, insert, rows):
    if os.path.exists(path):
        os.remove(path)
    with sqlite3.connect(path) as db:
        db.execute(create)
        db.executemany(insert, rows)
    db.close()


def write_yiyou(machines, path, tools):
    _sqlite(path,
            "CREATE TABLE client (id INTEGER PRIMARY KEY, Name TEXT, macaddress TEXT, "
            "ipaddress TEXT, groupid INTEGER)",
            "INSERT INTO client (Name, macaddress, ipaddress, groupid) VALUES (?, ?, ?, 1)",
            ((m.name, m.mac_with("-"), m.dotted_ip) for m in machines))


def write_yileyou(machines, path, tools):
    _sqlite(path,
            "CREATE TABLE workstation (id INTEGER PRIMARY KEY, computer TEXT, mac TEXT, ip TEXT, "
            "area TEXT)",
            "INSERT INTO workstation (computer, mac, ip, area) VALUES (?, ?, ?, '大厅')",
            ((m.name, m.mac.upper(), m.dotted_ip) for m in machines))


def write_vhd(machines, path, tools):
    _sqlite(path,
            "CREATE TABLE comp (id INTEGER PRIMARY KEY, name TEXT, mac TEXT, ip4 TEXT, "
            "mask TEXT)",
            "INSERT INTO comp (name, mac, ip4, mask) VALUES (?, ?, ?, '255.255.255.0')",
            ((m.name, m.mac_with("-", upper=True), m.dotted_ip) for m in machines))


def write_wangwei8(machines, path, tools):
    _sqlite(path,
            "CREATE TABLE tbl_Computer (Id INTEGER PRIMARY KEY, ComputerName TEXT, Mac TEXT, "
            "Ip TEXT, Remark TEXT)",
            "INSERT INTO tbl_Computer (ComputerName, Mac, Ip, Remark) VALUES (?, ?, ?, '')",
            ((m.name, m.mac_with("-"), m.dotted_ip) for m in machines))


# --- Access ---------------------------------------------------------------------------------

def write_wangwei7(machines, path, tools):
    writer = tools.get("jet4_writer")
    if not writer:
        raise RuntimeError("needs the Jet 4 writer (make-jet4-database); pass --jet4-writer")
    lines = ["table computer", "column name text", "column ip text", "column mac text"]
    lines += [f"row {m.name}\t{m.dotted_ip}\t{m.mac_with('-')}" for m in machines]
    done = subprocess.run([writer, path], input=("\n".join(lines) + "\n").encode("utf-8"),
                          stderr=subprocess.PIPE)
    if done.returncode != 0 and b"too large" in done.stderr:
        raise SourceTooLarge(done.stderr.decode("utf-8", "replace").strip())
    if done.returncode != 0:
        raise RuntimeError(done.stderr.decode("utf-8", "replace").strip())


# --- JSON and text --------------------------------------------------------------------------

def write_xinyou6(machines, path, tools):
    elements = [json.dumps({"mac": m.mac, "ip": m.dotted_ip, "pc": m.name}, ensure_ascii=False)
                for m in machines]
    _write_text(path, '{"macList":[\r\n' + ",\r\n".join(elements) + "\r\n]}\r\n", "utf-8")


def write_xinyou(machines, path, tools):
    lines = ["机器名,IP地址,MAC地址"] + [f"{m.name},{m.dotted_ip},{m.mac}" for m in machines]
    _write_text(path, "\r\n".join(lines) + "\r\n", "gbk")


def write_fanggezi_v5(machines, path, tools):
    lines = []
    for index, m in enumerate(machines):
        rest = ["255.255.255.0", "10.0.0.1", "114.114.114.114", "8.8.8.8", "1", "0", "0",
                "默认", "1", "0", "100", "0", "", "0", "1"]
        lines.append("|".join([str(index + 1), m.name, m.mac_with("-", upper=True), m.dotted_ip]
                              + rest))
    _write_text(path, "\r\n".join(lines) + "\r\n", "gbk")


def write_shunwupan(machines, path, tools):
    records = [f'{{"id":{index + 1},"name":"{m.name}","mac":"{m.mac.upper()}",'
               f'"ip":"{m.dotted_ip}","mask":"255.255.255.0"}}'
               for index, m in enumerate(machines)]
    _write_text(path, "[\r\n" + ",\r\n".join(records) + "\r\n]\r\n", "gbk")


def write_lvhua(machines, path, tools):
    lines = [f"{m.name} {m.dotted_ip} {m.mac}" for m in machines]
    _write_text(path, "\r\n".join(lines) + "\r\n", "gbk")


# One row per type, in type order: slug, file name, writer.
SOURCE_FORMS = [
    ("ald", "wsk.dat", write_ald),
    ("ccboot", "db.XML", write_ccboot),
    ("i8", "i8无盘macsb.xml", write_i8),
    ("mzd", "MZD.Ini", INI_FORMS["mzd"].write),
    ("obm", "clients.wcf", INI_FORMS["obm"].write),
    ("pxd", "PXD.XML", write_pxd),
    ("sanboot", "sanboot.xml", write_sanboot),
    ("vhd", "Config.db", write_vhd),
    ("kuaiba", "KB.XML", write_kuaiba),
    ("kuaiba-lvcha", "LC.XML", write_kuaiba_lvcha),
    ("ruiqi", "wks.ini", INI_FORMS["ruiqi"].write),
    ("wangwei9", "ClientConfig.xml", write_wangwei9),
    ("wangwei7", "Data.mdb", write_wangwei7),
    ("wangwei8", "barserver.db", write_wangwei8),
    ("wangzhong", "qlboot.ini", INI_FORMS["wangzhong"].write),
    ("xinyou", "clients.txt", write_xinyou),
    ("xinyou6", "clients.txt", write_xinyou6),
    ("fanggezi-v5", "NMenuClient.txt", write_fanggezi_v5),
    ("yileyou", "ews.dat", write_yileyou),
    ("yiyou", "diskless.db", write_yiyou),
    ("shunwupan", "顺无盘.clt", write_shunwupan),
    ("lvhua", "绿化大师.txt", write_lvhua),
]
