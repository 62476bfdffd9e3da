// Translates for any view (the main window, a pop-up, the command line): a text is looked up in
// the history first and goes to the service only when there is no translation to re-use. One
// translation at a time, on a worker thread, with progress, the countdown before a retry, and
// Stop. The views show what it reports; it knows nothing of them.
#pragma once

#include "Direction.h"
#include "TranslationFailure.h"
#include "TranslationHistory.h"
#include "TranslationSetup.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class ProxySettings;
class QTimer;
class TranslationSession;

// What a view asks for.
struct TranslationAsk
{
    QString text;
    // The view's direction; with fromScript and AutoDirection on, a text clearly in the other
    // language's script goes the other way.
    Direction direction = Direction::EnglishToMarathi;
    bool fromScript = true;
    // Past the history, to the service (Shift+Translate, "Translate again").
    bool askService = false;
    // Runs once the text is going to the service, before anything is sent: the view shows that
    // it waits. A throw there ends the request and is passed on.
    std::function<void()> beforeSending;
    // The view asking; see serves().
    const QObject* view = nullptr;
};

struct TranslationResult
{
    QString source;
    QString translation;
    Direction direction = Direction::EnglishToMarathi;
    // The history's entry when the translation was re-used from there.
    std::optional<HistoryEntry> reused;
};

class TranslationController : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Idle,
        // The worker waits for the client: a pre-connection to finish, the proxy, the opening.
        Connecting,
        Running,
        // Stop was asked; the worker has not reported back yet.
        Stopping,
    };

    explicit TranslationController(const TranslationSetup& setup, QObject* parent = nullptr);
    ~TranslationController() override;

    State state() const { return m_state; }
    bool busy() const { return m_state != State::Idle; }
    // Whether the translation running or last ended was asked for by this view.
    bool serves(const QObject* view) const { return view && view == m_view; }

    // False when nothing starts: a translation runs already, or the text is empty. A text the
    // history holds is reported as finished before this returns.
    bool translate(const TranslationAsk& ask);
    // The running translation ends as soon as it can and is reported as stopped.
    void stop();
    // Opens the service's connection ahead of a translation, unless the settings turn that off:
    // after PreconnectDelay, when no translation runs by then. The first keystroke alone opens
    // nothing, and proxy credentials go out only once the user has been writing for a moment.
    void preconnect();
    static constexpr std::chrono::milliseconds PreconnectDelay {300};

    // The proxy of the settings, taken by the client now or, while a translation runs, once it
    // has ended; a request never sees a half-changed proxy. Raises on a port that is no number.
    // A proxy port outside 1-65535, and a settings file that could not be read, are reported
    // through problem(), the latter once.
    void applyProxySettings();

    // Asks the user whether to translate over a direct connection while the settings file, and
    // with it the proxy it may name, cannot be read; true for yes. Set once for the program.
    using Question = std::function<bool(const QString& text)>;
    static void setDirectConnectionQuestion(Question question);
    // The HTTP client's proxy record.
    ProxySettings& proxyParams();
    TranslationHistory& history() { return m_history; }

signals:
    // The text's script turned the direction; before the history is looked up.
    void directionChosen(Direction direction);
    void started(Direction direction);
    // A text that goes in parts: before each part, counting from 1.
    void progress(int part, int partCount);
    // Each second of a wait before the service is asked again.
    void countdown(int secondsLeft);
    void finished(const TranslationResult& result);
    // partial: what was translated before the failure or the stop.
    void failed(const TranslationFailure& failure, const QString& partial);
    void stopped(const TranslationFailure& failure, const QString& partial);
    void stateChanged(State state);
    // Something about the history file the user should know.
    void historyNotice(const QString& notice);
    // A deferred step failed where no caller could hear it (a proxy change applied late).
    void problem(const QString& message);

private:
    Direction chooseDirection(const TranslationAsk& ask);
    bool reuseFromHistory(const TranslationAsk& ask, Direction direction);
    void send(const TranslationAsk& ask, Direction direction);
    // Whether the settings allow a request to go out now: a settings file that cannot be read
    // is read again, and while it still cannot, a direct connection needs the user's yes.
    bool connectionAllowed();
    void openConnectionEarly();
    void workerEnded();
    void setState(State state);
    // Back to Idle, with the proxy change that waited for it.
    void becomeIdle();

    TranslationSetup m_setup;
    // The worker may outlive the controller; the session then frees itself.
    TranslationSession* m_session;
    TranslationHistory m_history;
    State m_state = State::Idle;
    bool m_proxyPending = false;
    const QObject* m_view = nullptr;
    QString m_source;
    Direction m_direction = Direction::EnglishToMarathi;
    QTimer* m_preconnectTimer;
    // The user said yes to a direct connection with the settings file unreadable.
    bool m_directAgreed = false;
    bool m_readProblemReported = false;
};
