// Loading fontconfig's configuration ahead of Qt's first use of it.
#include "FontConfigPreload.h"

#include <fontconfig/fontconfig.h>

FontConfigPreload::FontConfigPreload()
    // fontconfig installs the configuration it loaded only if none is there yet, so a Qt that
    // asks first loses nothing but the head start.
    : m_reader([] { FcInit(); })
{ }

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
