#!/usr/bin/python3
"""What a screen reader finds in the search window, through the accessibility bus:

  a11y-list.py rows       the names of the rows the list shows, one a line
  a11y-list.py field      the search field's name and description, one a line
  a11y-list.py labels TITLE
                          the name of each combo box of the window TITLE and the names of the
                          labels that point to it, a line each
  a11y-list.py unnamed TITLE
                          the controls of the window TITLE a screen reader can reach and that
                          have no name, one a line (role and parent); it fails without the window
  a11y-list.py news       "listening", then the name of each notification as it is shown, a line
                          each, until stopped: what a screen reader is told without the focus moving
"""
import sys

import pyatspi


def find(node, role, depth=0):
    if node is None or depth > 12:
        return None
    if node.getRole() == role and node.getState().contains(pyatspi.STATE_SHOWING):
        return node
    for child in node:
        found = find(child, role, depth + 1)
        if found is not None:
            return found
    return None


# What a screen reader takes the keyboard to or reads out as a choice; containers and labels
# are named by what they hold.
CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_COMBO_BOX,
            pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_CHECK_BOX,
            pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
            pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_SLIDER}


def unnamed(node, depth=0):
    if node is None or depth > 14:
        return
    if node.getRole() in CONTROLS and not node.name.strip():
        print(node.getRoleName(), "in", node.parent.getRoleName(), repr(node.parent.name))
    for child in node:
        unnamed(child, depth + 1)


def labels(node, depth=0):
    if node is None or depth > 14:
        return
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        named_by = [target.name for relation in node.getRelationSet()
                    if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                    for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
        print(node.name, "labelled", " ".join(named_by))
    for child in node:
        labels(child, depth + 1)


def search_window(title="ﾌﾟﾛｸﾞﾗﾑ検索"):
    """The shown window of that title. A later start that has ended (quorvel --search) may still be
    listed for a moment, and asking it anything fails: it is passed over."""
    for app in pyatspi.Registry.getDesktop(0):
        try:
            for window in app:
                if window.name == title and \
                        window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
        except Exception:
            continue
    sys.exit(1)


def news():
    def shown(event):
        if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            # What Orca speaks and shows in braille: the name, then the labels inside. Qt's name
            # changes do not carry the name, so a name cached before would stay.
            nodes = [event.source] + list(event.source)
            for node in nodes:
                node.clearCache()
            print("".join(node.name for node in nodes), flush=True)
    pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
    print("listening", flush=True)
    pyatspi.Registry.start()


if sys.argv[1] == "news":
    news()
    sys.exit(0)
window = search_window(sys.argv[2] if len(sys.argv) > 2 else "ﾌﾟﾛｸﾞﾗﾑ検索")
if sys.argv[1] == "unnamed":
    unnamed(window)
elif sys.argv[1] == "labels":
    labels(window)
elif sys.argv[1] == "rows":
    view = find(window, pyatspi.ROLE_LIST) or find(window, pyatspi.ROLE_LIST_BOX)
    if view is not None and view.getState().contains(pyatspi.STATE_SHOWING):
        for row in view:
            if row is not None:
                print(row.name)
elif sys.argv[1] == "field":
    field = find(window, pyatspi.ROLE_ENTRY) or find(window, pyatspi.ROLE_TEXT)
    print(field.name)
    print(field.description)
