#pragma once

namespace naklon {

// While it lives, Qt's file dialogs find none of Qt's settings and keep
// none: on Windows they read and write them in the user's branch of the
// registry (their folder history, the last folder, the view), shared with
// every Qt program, whatever file the program points settings at. For that
// time the user's branch is, for this program alone, an empty key of its
// own that holds only keys gone at log-off and that is removed afterwards,
// so nothing is read at start or stored at exit. Nothing to do on Linux,
// where those settings are files and already point nowhere. One
// implementation for each system.
class QtRegistryAside {
public:
    QtRegistryAside();
    ~QtRegistryAside();
    QtRegistryAside(const QtRegistryAside &) = delete;
    QtRegistryAside &operator=(const QtRegistryAside &) = delete;

private:
    void *key_ = nullptr;
};

} // namespace naklon
