// The seam between a subsystem below the window and the window: the subsystem declares, as a class with
// virtual functions, what it needs of the main window, each with a windowless default body (does nothing,
// or answers as a window with empty controls would). The window side (one file per subsystem under ui/)
// derives from it and installs itself when the program's window layer is linked in; without it (the
// subsystem's own tests, the link checks, the fuzz targets) the defaults answer.
#pragma once

namespace qv {

template <class Side> class WindowSide
{
  public:
    // The installed window side, else the windowless default.
    static Side& get() { return s_installed ? *s_installed : s_windowless; }
    // Installs a window side (nullptr: back to the windowless default).
    static void install(Side* side) { s_installed = side; }
    static bool installed() { return s_installed != nullptr; }

  private:
    static inline Side s_windowless{};
    static inline Side* s_installed = nullptr;
};

} // namespace qv
