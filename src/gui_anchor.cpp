// Keeps the Qt-based library linkable while it has no sources of its own.
