#!/usr/bin/python3
"""A stand-in for a screen reader: listens on the accessibility bus for what a reader follows
(names, values, states, text, windows and focus) and reads the name of whatever changed, as a
reader does before it speaks. One line per event on standard output, until it is stopped."""
import sys

import pyatspi

EVENTS = (
    "object:property-change:accessible-name",
    "object:property-change:accessible-value",
    "object:property-change:accessible-description",
    "object:state-changed",
    "object:text-changed",
    "object:children-changed",
    "focus:",
    "window:",
)


def heard(event):
    try:
        name = event.source.name
    except Exception:  # the source may be gone already
        name = "?"
    print(f"{event.type} {name}", flush=True)


pyatspi.Registry.registerEventListener(heard, *EVENTS)
print("listening", flush=True)
pyatspi.Registry.start()
