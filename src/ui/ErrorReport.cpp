// The application's error report.
#include "ErrorReport.h"

#include "Exception.h"
#include "MessageBox.h"
#include "MessageTexts.h"

#include <exception>

void runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const AbortException&) {
    } catch (const std::exception& e) {
        reportError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown failure"));
    }
}

void reportError(const QString& message)
{
    // Translated before the full stop is added, which then ends the translated sentence.
    QString text = MessageTexts::instance().translate(message);
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) {
        text += QLatin1Char('.');
    }
    MessageBox::show(text, 1);
}
