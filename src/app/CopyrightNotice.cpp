// The maker's copyright notice.
#include "CopyrightNotice.h"

#include <QDate>

QString copyrightNotice()
{
    return QStringLiteral("Copyright (C) 2010-%1 Tarnwick Systems")
        .arg(QDate::currentDate().year(), 4, 10, QLatin1Char('0'));
}
