// Filled in by the page's own change.
