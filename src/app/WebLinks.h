// The maker's pages and support mail, opened with the desktop's default handlers.
#pragma once

#include <QUrl>
#include <functional>

namespace WebLinks {

QUrl homePage();
QUrl productPage();
QUrl contactMail();

// "Visit Home", "Contact Us", and "Try Brennor Translator Pro" (also the promotion label).
// Nothing is reported when no handler opens the address.
void openHomePage();
void openContactMail();
void openProductPage();

// Tests: while set, addresses go to the hook instead of the desktop.
void setOpenHook(std::function<void(const QUrl&)> hook);

} // namespace WebLinks
