"""Prints what a screen reader sees of the game: one line per accessible object, indented by
depth, as "role: name". Waits up to 20 s for the application to appear on the AT-SPI bus.
With --where ROLE NAME it prints instead the screen centre "x y" of the first such object.

    /usr/bin/python3 atspi_tree.py [--where ROLE NAME]
"""
import sys
import time

import pyatspi


def walk(node, depth, out, seen):
    if node is None or depth > 12 or len(out) > 2000:
        return
    key = hash(node)
    if key in seen:
        return
    seen.add(key)
    try:
        name = node.name or ""
        role = node.getRoleName()
    except Exception:  # an object that went away while it was read
        return
    out.append("%s%s: %s" % ("  " * depth, role, name.replace("\n", "\\n")))
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        walk(child, depth + 1, out, seen)


def find(node, role, name, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if node.getRoleName() == role and node.name == name:
            return node
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return None
    for child in children:
        found = find(child, role, name, depth + 1)
        if found is not None:
            return found
    return None


def main():
    wanted = "torvane"
    where = sys.argv[2:4] if len(sys.argv) == 4 and sys.argv[1] == "--where" else None
    deadline = time.time() + 20
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        apps = [a for a in apps if a is not None and (a.name or "").lower() == wanted]
        if apps and where:
            node = find(apps[0], where[0], where[1])
            if node is not None:
                box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                if box.width > 0:
                    print("%d %d" % (box.x + box.width // 2, box.y + box.height // 2))
                    return 0
        elif apps:
            out = []
            walk(apps[0], 0, out, set())
            if len(out) > 1:
                print("\n".join(out))
                return 0
        if time.time() > deadline:
            print("nothing to show of %r on the accessibility bus" % wanted, file=sys.stderr)
            return 1
        time.sleep(0.3)


if __name__ == "__main__":
    sys.exit(main())
