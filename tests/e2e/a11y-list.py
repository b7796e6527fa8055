#!/usr/bin/python3
"""What a screen reader finds in the search window, through the accessibility bus:

  a11y-list.py rows       the names of the rows the list shows, one a line
  a11y-list.py field      the search field's name and description, one a line
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


def search_window():
    """The shown search window. A later start that has ended (quorvel --search) may still be
    listed for a moment, and asking it anything fails: it is passed over."""
    for app in pyatspi.Registry.getDesktop(0):
        try:
            for window in app:
                if window.name == "ﾌﾟﾛｸﾞﾗﾑ検索" and \
                        window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
        except Exception:
            continue
    sys.exit(1)


window = search_window()
if sys.argv[1] == "rows":
    view = find(window, pyatspi.ROLE_LIST) or find(window, pyatspi.ROLE_LIST_BOX)
    if view is not None and view.getState().contains(pyatspi.STATE_SHOWING):
        for row in view:
            if row is not None:
                print(row.name)
elif sys.argv[1] == "field":
    field = find(window, pyatspi.ROLE_ENTRY) or find(window, pyatspi.ROLE_TEXT)
    print(field.name)
    print(field.description)
