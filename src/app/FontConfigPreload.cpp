// Loading fontconfig's configuration ahead of Qt's first use of it.
#include "FontConfigPreload.h"

#include <fontconfig/fontconfig.h>
#include <system_error>

FontConfigPreload::FontConfigPreload()
{
    // fontconfig installs the configuration it loaded only if none is there yet, so a Qt that
    // asks first loses nothing but the head start.
    try {
        m_reader = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself when it needs it.
    }
}

FontConfigPreload::~FontConfigPreload()
{
    wait();
}

void FontConfigPreload::wait()
{
    if (m_reader.joinable()) {
        m_reader.join();
    }
}
