// The desktop's font configuration (fontconfig's XML files and its caches of every installed
// font, several milliseconds to read) read on a second thread while the application connects to
// the display. The window's first text needs it; read there, the window would wait for it.
#pragma once

#include <thread>

class FontConfigPreload
{
public:
    // Starts the reading.
    FontConfigPreload();
    // Waits for it; Qt finds the configuration loaded and uses it.
    ~FontConfigPreload();
    FontConfigPreload(const FontConfigPreload&) = delete;
    FontConfigPreload& operator=(const FontConfigPreload&) = delete;

    // Waits until the configuration is read.
    void wait();

private:
    std::thread m_reader;
};
