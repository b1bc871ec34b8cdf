#!/usr/bin/python3
"""Reads the running client through the AT-SPI bus as a screen reader does and checks that every
push button has a name, the tabs are page tabs, and the selector, the table and the bells carry
their names. Exit 0: all good; 1: a check failed; 3: the client is not on the bus (yet)."""
import sys

import pyatspi

APP = "torvo-gui"


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def labels_of(node):
    return [relation.getTarget(0).name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY]


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    app = next((a for a in apps if a is not None and a.name == APP), None)
    if app is None:
        print("atspi: %s is not on the bus; applications: %s" % (APP, [a.name for a in apps if a]))
        return 3
    nodes = list(walk(app))
    by_role = {}
    for node in nodes:
        by_role.setdefault(node.getRoleName(), []).append(node)
    if "page tab" not in by_role:
        print("atspi: the window is not built yet")
        return 3

    failures = []

    def check(condition, what):
        print("%s: %s" % ("ok" if condition else "FAILED", what))
        if not condition:
            failures.append(what)

    buttons = by_role.get("push button", [])
    unnamed = [b for b in buttons if not b.name]
    check(len(buttons) >= 10 and not unnamed,
          "%d push buttons, every one named (unnamed: %d)" % (len(buttons), len(unnamed)))
    bells = sorted(b.name for b in buttons if b.name.startswith("Уведомления: "))
    check(bells == ["Уведомления: Torvo", "Уведомления: ГИС МТ", "Уведомления: ДККТ",
                    "Уведомления: Кассовое ПО", "Уведомления: ЛМ ЧЗ"], "the five bells: %s" % bells)
    tabs = [t.name for t in by_role.get("page tab", [])]
    check(tabs == ["Информация", "Уведомления"], "page tabs %s" % tabs)
    check(all(b.name not in tabs for b in buttons), "no tab is heard as a push button")
    check(len(by_role.get("page tab list", [])) == 1, "one page tab list")
    combos = by_role.get("combo box", [])
    check(len(combos) == 1 and labels_of(combos[0]) == ["Касса"],
          "the selector is labelled %s" % [labels_of(c) for c in combos])
    check([t.name for t in by_role.get("table", [])] == ["Уведомления"], "the table is named")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
