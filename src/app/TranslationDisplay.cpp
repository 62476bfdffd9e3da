// The main window's view of a translation.
#include "TranslationDisplay.h"

#include "BusyAnimation.h"
#include "ErrorReport.h"
#include "InterfaceNumbers.h"
#include "MessageBox.h"
#include "PaneCommands.h"
#include "PaneText.h"
#include "Params.h"
#include "TranslationController.h"
#include "TranslationMessages.h"
#include "TranslationTexts.h"
#include "ViewPane.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

TranslationDisplay::TranslationDisplay(TranslationController& controller, const QObject* view,
    Controls controls, PaneCommands& paneCommands, OwnText ownText)
    : QObject(controls.bar)
    , m_controls(controls)
    , m_paneCommands(paneCommands)
    , m_ownText(std::move(ownText))
{
    using Controller = TranslationController;
    // Only the window's own translations; a handler's failure goes to the error report.
    const auto on = [this, &controller, view](auto signal, auto show) {
        connect(&controller, signal, this, [&controller, view, show](const auto&... values) {
            if (controller.serves(view)) {
                runCommand([&] { show(values...); });
            }
        });
    };
    on(&Controller::started, [this](auto) { showStopCaption(); });
    on(&Controller::progress, [this](int part, int count) { showPartProgress(part, count); });
    on(&Controller::countdown, [this](int secondsLeft) { showCountdown(secondsLeft); });
    on(&Controller::stateChanged, [this](Controller::State state) {
        if (state == Controller::State::Idle) {
            showIdle();
        }
    });
    on(&Controller::finished, [this](const TranslationResult& result) { showResult(result); });
    on(&Controller::failed, [this](const TranslationFailure& failure, const QString& partial) {
        showFailure(failure, partial);
    });
    on(&Controller::stopped, [this](const TranslationFailure& failure, const QString& partial) {
        showFailure(failure, partial);
    });
}

void TranslationDisplay::showWaiting()
{
    const QString wait = m_ownText("strWait");
    m_controls.output->setNotice(wait);
    setPaneLine(*m_controls.output, wait);
    // Undoing the result goes back to what the pane held before the translation.
    m_controls.output->markProvisional();
    QCoreApplication::processEvents();
    m_controls.busyImage->show();
    startBusyAnimation(m_controls.busyImage, "loading");
}

void TranslationDisplay::showStopCaption()
{
    m_translateCaption = m_controls.translate->text();
    m_controls.translate->setText(TranslationMessages::inLanguage(TranslationTexts::StopCaption));
}

void TranslationDisplay::languageChanged()
{
    if (showsStop()) {
        showStopCaption();
    }
}

void TranslationDisplay::showIdle()
{
    if (showsStop()) {
        m_controls.translate->setText(std::exchange(m_translateCaption, {}));
    }
    m_controls.parts->hide();
    m_controls.bar->showMessage(m_statusNote);
    stopBusyAnimation(m_controls.busyImage);
}

void TranslationDisplay::showResult(const TranslationResult& result)
{
    m_controls.output->setNotice({});
    setPaneText(*m_controls.output, result.translation);
    if (result.reused) {
        m_controls.bar->showMessage(m_ownText("strFromHistory"));
    }
    m_paneCommands.translationShown(result.translation, Params.autoCopy);
    m_controls.output->setFocus();
}

void TranslationDisplay::showFailure(const TranslationFailure& failure, const QString& partial)
{
    const QString report = TranslationMessages::reportOf(failure);
    // What was translated before the failure stays; the last line names the cause.
    m_controls.output->setNotice(report);
    if (partial.isEmpty()) {
        setPaneLine(*m_controls.output, report);
    } else {
        setPaneText(*m_controls.output, partial + QStringLiteral("\r\n") + report);
    }
    m_controls.output->setFocus();
    if (failure.kind != FailureKind::Cancelled) {
        MessageBox::show(report, failure.isWarning() ? 0 : 1);
    }
}

void TranslationDisplay::showPartProgress(int part, int partCount)
{
    m_controls.parts->setFormat(TranslationMessages::inLanguage(TranslationTexts::PartProgress));
    m_controls.parts->setLocale(InterfaceNumbers::locale());
    m_controls.parts->setRange(0, partCount);
    m_controls.parts->setValue(part);
    m_controls.parts->show();
}

void TranslationDisplay::showCountdown(int secondsLeft)
{
    const char* text
        = secondsLeft == 1 ? TranslationTexts::RetryCountdownOne : TranslationTexts::RetryCountdown;
    m_controls.bar->showMessage(InterfaceNumbers::digits(TranslationMessages::inLanguage(
        TranslationTexts::fillIn(text, {std::to_string(secondsLeft)}))));
}

void TranslationDisplay::showStatusNote(const QString& note)
{
    m_statusNote = note;
    m_controls.bar->showMessage(note);
}
