// The busy indicator.
#include "BusyAnimation.h"

#include "AppPaths.h"
#include "Exception.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QResource>

namespace {

QString& bundlePathOverride()
{
    static QString path;
    return path;
}

// Registers the bundle for the lifetime of one read, so the module is released in every case.
class BundleRegistration
{
public:
    explicit BundleRegistration(const QString& path)
        : m_path(path)
        , m_registered(QResource::registerResource(path))
    { }
    ~BundleRegistration()
    {
        if (m_registered) {
            QResource::unregisterResource(m_path);
        }
    }
    BundleRegistration(const BundleRegistration&) = delete;
    BundleRegistration& operator=(const BundleRegistration&) = delete;

private:
    QString m_path;
    bool m_registered;
};

QByteArray readResource(const std::string& resourceName)
{
    BundleRegistration bundle(busyBundlePath());
    QFile resource(QStringLiteral(":/GIF/") + QString::fromStdString(resourceName));
    if (!resource.open(QIODevice::ReadOnly)) {
        throw Exception("Resource " + resourceName + " not found");
    }
    return resource.readAll();
}

} // namespace

void startBusyAnimation(QLabel* image, const std::string& name)
{
    std::string resourceName = QString::fromStdString(name).toUpper().toStdString();
    QByteArray data = readResource(resourceName);

    auto* movie = new QMovie;
    auto* device = new QBuffer(movie);
    device->setData(data);
    device->open(QIODevice::ReadOnly);
    movie->setDevice(device);
    movie->setFormat("gif");
    if (!movie->isValid() || !movie->jumpToFrame(0)) {
        std::string reason = movie->lastErrorString().toStdString();
        delete movie;
        throw Exception(reason);
    }
    stopBusyAnimation(image);
    movie->setParent(image);
    image->setMovie(movie);
    image->resize(movie->currentPixmap().size());
    movie->start();
}

void stopBusyAnimation(QLabel* image)
{
    QMovie* movie = image->movie();
    image->clear();
    delete movie;
}

QString busyBundlePath()
{
    if (!bundlePathOverride().isEmpty()) {
        return bundlePathOverride();
    }
    return AppPaths::dataFile(QStringLiteral("TarnwickSys.rcc"));
}

void setBusyBundlePathForTesting(const QString& path)
{
    bundlePathOverride() = path;
}
