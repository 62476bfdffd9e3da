// The translation lifecycle for every view.
#include "TranslationController.h"

#include "Exception.h"
#include "Params.h"
#include "ProxyFromSettings.h"
#include "TranslationSession.h"

#include <QTimer>

namespace {

TranslationController::Question& directConnectionQuestion()
{
    static TranslationController::Question question;
    return question;
}

const char* const DirectConnectionText
    = "%1\nIt may name a proxy that every request has to go through. Translate over a direct "
      "connection anyway?";

} // namespace

void TranslationController::setDirectConnectionQuestion(Question question)
{
    directConnectionQuestion() = std::move(question);
}

TranslationController::TranslationController(const TranslationSetup& setup, QObject* parent)
    : QObject(parent)
    , m_setup(setup)
    , m_session(new TranslationSession)
    , m_history(setup.historyFile, [this](const QString& notice) { emit historyNotice(notice); })
    , m_preconnectTimer(new QTimer(this))
{
    m_preconnectTimer->setSingleShot(true);
    m_preconnectTimer->setInterval(PreconnectDelay);
    connect(m_preconnectTimer, &QTimer::timeout, this, [this] { openConnectionEarly(); });
    if (!m_setup.rootCertFile.empty()) {
        m_session->client().ioHandler()->setRootCertFile(m_setup.rootCertFile);
    }
    m_session->client().setConnectTimeout(m_setup.connectTimeoutMs);
    m_session->setIdleLimit(m_setup.idleConnectionLimit);
    m_session->setClientTakenHandler([this] {
        if (m_state == State::Connecting) {
            setState(State::Running);
        }
    });
    m_session->setProgressHandler(
        [this](int part, int partCount) { emit progress(part, partCount); });
    m_session->setCountdownHandler([this](int secondsLeft) { emit countdown(secondsLeft); });
    m_session->setEventHandler([this](TranslationEvent) { workerEnded(); });
}

TranslationController::~TranslationController()
{
    if (busy()) {
        // The worker still uses the client and the outcome: the session outlives the controller
        // and frees itself when the worker reports back.
        m_session->setEventHandler({});
        m_session->setProgressHandler({});
        m_session->setCountdownHandler({});
        m_session->setClientTakenHandler({});
    } else {
        delete m_session;
    }
}

ProxySettings& TranslationController::proxyParams()
{
    return m_session->proxyParams();
}

bool TranslationController::translate(const TranslationAsk& ask)
{
    if (busy() || ask.text.isEmpty()) {
        return false;
    }
    m_view = ask.view;
    // The direction first: the history is looked up in the direction the text goes.
    const Direction direction = chooseDirection(ask);
    if (!ask.askService && reuseFromHistory(ask, direction)) {
        return true;
    }
    if (!connectionAllowed()) {
        return false;
    }
    send(ask, direction);
    return true;
}

Direction TranslationController::chooseDirection(const TranslationAsk& ask)
{
    if (!ask.fromScript || !Params.autoDirection) {
        return ask.direction;
    }
    const std::optional<Direction> wanted
        = directionForScript(dominantScript(ask.text.toStdU16String()));
    if (!wanted || *wanted == ask.direction) {
        return ask.direction;
    }
    emit directionChosen(*wanted);
    return *wanted;
}

bool TranslationController::reuseFromHistory(const TranslationAsk& ask, Direction direction)
{
    std::optional<HistoryEntry> entry = m_history.reuse(ask.text, direction);
    if (!entry) {
        return false;
    }
    TranslationResult result {
        ask.text, QString::fromStdU16String(entry->translation), direction, std::move(entry)};
    emit finished(result);
    return true;
}

void TranslationController::send(const TranslationAsk& ask, Direction direction)
{
    // Busy before the view lets pending events run, so a second queued request finds it.
    setState(State::Connecting);
    if (ask.beforeSending) {
        try {
            ask.beforeSending();
        } catch (...) {
            becomeIdle();
            throw;
        }
    }
    m_source = ask.text;
    m_direction = direction;
    m_history.beginRequest(ask.text, direction);
    TranslationJob job
        = translationJob(m_setup.serviceBaseAddress, ask.text.toStdU16String(), direction);
    job.retry.secondLength = m_setup.retrySecond;
    m_session->start(std::move(job));
    emit started(direction);
}

void TranslationController::stop()
{
    // While the view still prepares, nothing is out to stop.
    if (m_session->working() && m_state != State::Stopping) {
        setState(State::Stopping);
        m_session->stop();
    }
}

void TranslationController::preconnect()
{
    if (Params.preconnect && !busy() && !m_preconnectTimer->isActive()) {
        m_preconnectTimer->start();
    }
}

void TranslationController::openConnectionEarly()
{
    // Nothing opens direct while the settings that may name a proxy cannot be read.
    const bool unsure = Params.noProxy && !settingsReadProblem().empty() && !m_directAgreed;
    if (Params.preconnect && !busy() && !unsure) {
        m_session->preconnect(m_setup.serviceBaseAddress);
    }
}

void TranslationController::applyProxySettings()
{
    if (busy()) {
        m_proxyPending = true;
        return;
    }
    applyProxyParams(Params, proxyParams());
    const std::string portProblem = proxyParams().portProblem();
    if (!portProblem.empty()) {
        emit problem(QString::fromLocal8Bit(portProblem));
    }
    if (!settingsReadProblem().empty() && !std::exchange(m_readProblemReported, true)) {
        emit problem(QString::fromLocal8Bit(settingsReadProblem())
            + QStringLiteral(" The default settings are in use until it can be read."));
    }
}

bool TranslationController::connectionAllowed()
{
    if (settingsReadProblem().empty() || m_directAgreed || settingsHeldInMemory()) {
        return true;
    }
    // Perhaps mended meanwhile.
    loadSettings();
    if (settingsReadProblem().empty()) {
        applyProxySettings();
        return true;
    }
    const QString text = QString::fromUtf8(DirectConnectionText)
                             .arg(QString::fromLocal8Bit(settingsReadProblem()));
    m_directAgreed = directConnectionQuestion() && directConnectionQuestion()(text);
    return m_directAgreed;
}

void TranslationController::workerEnded()
{
    const TranslationOutcome& outcome = m_session->outcome();
    const QString translation = QString::fromStdU16String(outcome.translation);
    becomeIdle();
    if (outcome.succeeded()) {
        emit finished({m_source, translation, m_direction, std::nullopt});
        // Filed once it is shown: a translation the view could not take is still a translation.
        m_history.recordSuccess(translation);
        return;
    }
    const TranslationFailure failure = *outcome.failure;
    if (failure.kind == FailureKind::Cancelled) {
        emit stopped(failure, translation);
    } else {
        emit failed(failure, translation);
    }
}

void TranslationController::setState(State state)
{
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}

void TranslationController::becomeIdle()
{
    setState(State::Idle);
    if (std::exchange(m_proxyPending, false)) {
        try {
            applyProxySettings();
        } catch (const std::exception& error) {
            emit problem(QString::fromLocal8Bit(error.what()));
        }
    }
}
