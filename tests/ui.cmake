# Window tests: filled in by the main window's change.
