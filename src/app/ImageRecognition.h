// Text recognition off the GUI thread, for any view: one picture at a time on a thread of its own
// that keeps its recogniser (loading the languages costs a few hundred milliseconds), progress to
// poll, and Stop. No widgets here; the outcome comes back as a queued signal.
#pragma once

#include "TextRecogniser.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <memory>

class QThread;

// The recogniser's options for Tesseract's language codes joined by "+", the rest as it prefers.
inline OcrOptions ocrOptionsFor(const std::string& languages)
{
    OcrOptions options;
    options.languages = languages;
    return options;
}

class ImageRecognition : public QObject
{
    Q_OBJECT

public:
    explicit ImageRecognition(QObject* parent = nullptr);
    // Stops a recognition that still runs and waits for its thread.
    ~ImageRecognition() override;

    // False when a recognition runs already.
    bool start(const QImage& image, const std::string& languages);
    void stop();
    bool busy() const { return m_job != nullptr; }
    // Tesseract's count, 0 to 100, of the recognition running.
    int percent() const { return m_job ? m_job->percent.load() : 0; }

signals:
    // The text with LF line ends, and the mean confidence of its words, 0 to 100.
    void recognised(const QString& text, double confidence);
    void nothingFound();
    void stopped();
    void failed(const QString& message);

private:
    struct Reader;

    void report(const std::function<void()>& emitOutcome);

    QThread* m_thread;
    // Lives on m_thread; the recogniser inside belongs to that thread.
    std::unique_ptr<Reader> m_reader;
    std::shared_ptr<OcrJob> m_job;
};
