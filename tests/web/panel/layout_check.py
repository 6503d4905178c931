#!/usr/bin/python3
"""The browser panel's layout (web/panel/layout.js) against the parameter catalog.

Fails on an unknown name, a parameter shown twice, a parameter of a desktop page left out, and
an effect program's control that is not tied to its program being selected.

Parameters no desktop page shows, carried only by whole images (files, reads, uploads):
  global.reserved      the image's first byte, no control and no command
  global.control_mode  Easy/Full, switched by the main window's mode button, not by a page

Usage: layout_check.py TONELCTL LAYOUT_JS [--self-test]
"""
import copy, json, re, subprocess, sys

IMAGE_ONLY = {"global.reserved", "global.control_mode"}
PAGE_KEYS = ["effect", "microphone", "music", "system"]
KINDS = {"slider", "select", "segmented", "field"}
BAND_PARTS = ("type", "freq", "gain", "q")
PROGRAM = "global.effect_program"


def problems(pages, catalog):
    found, seen = [], {}
    def named(name, where):
        if name not in catalog:
            found.append(f"{where}: unknown parameter {name}")
        elif name in seen:
            found.append(f"{where}: {name} is also in {seen[name]}")
        seen.setdefault(name, where)
    if [p.get("key") for p in pages] != PAGE_KEYS:
        found.append(f"pages are not {PAGE_KEYS} in this order")
    for page in pages:
        for group in page.get("groups", []):
            where = f"{page.get('key')}/{group.get('en')}"
            items = group.get("controls", []) + group.get("bands", [])
            if not (group.get("zh") and group.get("en") and items):
                found.append(f"{where}: a group needs zh, en and controls or bands")
            for item in items:
                if not (item.get("zh") and item.get("en")):
                    found.append(f"{where}: {item} lacks a caption")
                if item.get("as", "slider") not in KINDS:
                    found.append(f"{where}: {item} has an unknown kind")
                names = [item["param"]] if "param" in item else [f"{item.get('prefix')}.{p}" for p in BAND_PARTS]
                for name in names:
                    named(name, where)
                program = re.match(r"effect(\d)\.", names[0])
                wanted = {"param": PROGRAM, "is": [int(program.group(1)) - 1]} if program else None
                if item.get("when") != wanted and (program or item.get("when", {}).get("param") == PROGRAM):
                    found.append(f"{where}: {names[0]} shows with {item.get('when')}, not {wanted}")
                raws = [v["raw"] for v in item.get("values", [])]
                entry = catalog.get(names[0], {"min": 0, "max": -1})
                if raws and raws != list(range(entry["min"], entry["max"] + 1)):
                    found.append(f"{where}: {names[0]} names the values {raws}, not its range")
                when = item.get("when")
                if when and not (when["param"] in catalog and all(
                        catalog[when["param"]]["min"] <= v <= catalog[when["param"]]["max"] for v in when["is"])):
                    found.append(f"{where}: {names[0]} depends on an impossible {when}")
        bounds = [c["atMost"] for g in page.get("groups", []) for c in g.get("controls", []) if "atMost" in c]
        for name in page.get("overlay", []) + bounds:
            if name not in catalog:
                found.append(f"{page.get('key')}: unknown parameter {name} drives the page")
    for name in sorted(set(catalog) - set(seen) - IMAGE_ONLY):
        found.append(f"{name} is on a desktop page but not in the layout")
    for name in sorted(IMAGE_ONLY & set(seen)):
        found.append(f"{name} is no page's control")
    return found


def self_test(pages, catalog):
    """Each fault planted in a copy of the layout must be reported."""
    def planted(change):
        broken = copy.deepcopy(pages)
        change(broken[1]["groups"][0]["controls"], broken)
        return problems(broken, catalog)
    faults = {
        "unknown": lambda c, p: c[0].update(param="mic.no_such_level"),
        "duplicate": lambda c, p: c.append(dict(c[1])),
        "missing": lambda c, p: c.pop(),
        "program": lambda c, p: p[0]["groups"][1]["controls"][0].pop("when"),
        "order": lambda c, p: p.reverse(),
    }
    return [f"planted fault '{name}' went unnoticed" for name, change in faults.items() if not planted(change)]


def main():
    tonelctl, layout = sys.argv[1], sys.argv[2]
    names = json.loads(subprocess.run([tonelctl, "names", "--json"], check=True, capture_output=True).stdout)
    catalog = {entry["name"]: entry for entry in names}
    text = open(layout, encoding="utf-8").read()
    pages = json.loads(text.split("export const PAGES =", 1)[1].strip().rstrip(";"))
    found = problems(pages, catalog)
    if "--self-test" in sys.argv[3:]:
        found = found or self_test(pages, catalog)
    for line in found:
        print(line, file=sys.stderr)
    print(f"{len(found)} problem(s) in {layout}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
