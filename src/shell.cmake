# The Qt shell: filled in by the main window's change.
