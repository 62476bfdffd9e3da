// The maker's copyright notice.
#include "CopyrightNotice.h"

#include <QDate>

QString copyrightNotice(const QString& pattern)
{
    return QString(pattern).arg(QDate::currentDate().year(), 4, 10, QLatin1Char('0'));
}
