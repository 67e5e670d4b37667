#!/usr/bin/python3
# A umockdev testbed driven over stdin, run under umockdev-wrapper: a uevent's sender must see the
# testbed's /sys. Prints the root, then "ok" after each command:
#   add NAME ATTR=VALUE... [+ PROPERTY=VALUE...]   a power supply, announced with "add"
#   set NAME ATTR=VALUE...                          changed attributes, announced with "change"
# Each attribute is also in the uevent as the kernel puts it there (POWER_SUPPLY_CAPACITY=45).
#   remove NAME                                     announced with "remove", then gone
#   file PATH VALUE                                 a plain file under the root (firmware knobs)
# Values are %-escaped (a space is %20).
import os
import sys
from urllib.parse import unquote

import gi

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

testbed = UMockdev.Testbed.new()
root = testbed.get_root_dir()
devices = {}
print(root, flush=True)
for line in sys.stdin:
    word, name, *rest = [unquote(part) for part in line.split()] + [""]
    pairs = [item.split("=", 1) for item in rest if "=" in item]
    if word == "add":
        cut = rest.index("+") if "+" in rest else len(rest)
        flat = lambda items: [part for item in items if "=" in item for part in item.split("=", 1)]
        uevent = ["POWER_SUPPLY_" + part.upper() if index % 2 == 0 else part
                  for index, part in enumerate(flat(rest[:cut]))]
        devices[name] = testbed.add_device(
            "power_supply", name, None, flat(rest[:cut]), uevent + flat(rest[cut:]))
        testbed.uevent(devices[name], "add")
    elif word == "set":
        for attribute, value in pairs:
            testbed.set_attribute(devices[name], attribute, value)
            testbed.set_property(devices[name], "POWER_SUPPLY_" + attribute.upper(), value)
        testbed.uevent(devices[name], "change")
    elif word == "remove":
        testbed.uevent(devices[name], "remove")
        testbed.remove_device(devices.pop(name))
    elif word == "file":
        os.makedirs(os.path.dirname(root + name), exist_ok=True)
        with open(root + name, "w") as file:
            file.write(rest[0] + "\n")
    print("ok", flush=True)
