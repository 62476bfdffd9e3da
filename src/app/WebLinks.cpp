// Opening the maker's addresses. Desktop handlers choose their own window size, so the
// maximised and normal window wishes are left to them.
#include "WebLinks.h"

#include <QDesktopServices>

namespace {

std::function<void(const QUrl&)>& openHook()
{
    static std::function<void(const QUrl&)> hook;
    return hook;
}

void openUrl(const QUrl& url)
{
    if (openHook()) {
        openHook()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

} // namespace

namespace WebLinks {

QUrl homePage()
{
    return QUrl(QStringLiteral("http://www.tarnwick.example/"));
}

QUrl productPage()
{
    return QUrl(
        QStringLiteral("http://www.tarnwick.example/brennor-translator-pro.html?src=freeware"));
}

QUrl contactMail()
{
    return QUrl(QStringLiteral("mailto:support@tarnwick.example?subject=Question for Quendra"));
}

void openHomePage()
{
    openUrl(homePage());
}

void openContactMail()
{
    openUrl(contactMail());
}

void openProductPage()
{
    openUrl(productPage());
}

void setOpenHook(std::function<void(const QUrl&)> hook)
{
    openHook() = std::move(hook);
}

} // namespace WebLinks
