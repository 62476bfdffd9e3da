// The recognition thread.
#include "ImageRecognition.h"

#include "ImageText.h"

#include <QThread>

struct ImageRecognition::Reader : QObject
{
    std::string languages;
    std::unique_ptr<TextRecogniser> recogniser;

    // On the reading thread: a recogniser for other languages is made anew.
    TextRecogniser& recogniserFor(const std::string& wanted)
    {
        if (!recogniser || wanted != languages) {
            recogniser.reset();
            languages = wanted;
            recogniser = std::make_unique<TextRecogniser>(ocrOptionsFor(wanted));
        }
        return *recogniser;
    }
};

ImageRecognition::ImageRecognition(QObject* parent)
    : QObject(parent)
    , m_thread(new QThread(this))
    , m_reader(std::make_unique<Reader>())
{
    m_thread->setObjectName(QStringLiteral("ImageRecognition"));
    m_reader->moveToThread(m_thread);
    m_thread->start();
}

ImageRecognition::~ImageRecognition()
{
    stop();
    m_thread->quit();
    m_thread->wait();
    // Freed once its thread has ended, so nothing uses the recogniser any more.
    m_reader.reset();
}

bool ImageRecognition::start(const QImage& image, const std::string& languages)
{
    if (busy()) {
        return false;
    }
    m_job = std::make_shared<OcrJob>();
    QMetaObject::invokeMethod(m_reader.get(), [this, image, languages, job = m_job] {
        try {
            const OcrResult result
                = recogniseImage(m_reader->recogniserFor(languages), image, job.get());
            const QString text = QString::fromStdString(result.text);
            const double confidence = result.averageConfidence;
            report([=, this] { emit recognised(text, confidence); });
        } catch (const NoTextFound&) {
            report([this] { emit nothingFound(); });
        } catch (const AbortException&) {
            report([this] { emit stopped(); });
        } catch (const std::exception& failure) {
            const QString message = QString::fromUtf8(failure.what());
            report([=, this] { emit failed(message); });
        }
    });
    return true;
}

void ImageRecognition::report(const std::function<void()>& emitOutcome)
{
    // Back on the GUI thread: the job ends before the view hears of it, so it may start another.
    QMetaObject::invokeMethod(
        this,
        [this, emitOutcome] {
            m_job.reset();
            emitOutcome();
        },
        Qt::QueuedConnection);
}

void ImageRecognition::stop()
{
    if (m_job) {
        m_job->stopRequested = true;
    }
}
