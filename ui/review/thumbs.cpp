#include "thumbs.h"

#include "thumbnails.h"

#include <QIcon>
#include <QMimeDatabase>
#include <QQmlEngine>
#include <QQuickAsyncImageProvider>
#include <QQuickImageProvider>
#include <QRunnable>
#include <QThreadPool>

#include <atomic>
#include <memory>

namespace {

constexpr auto thumbProvider = "thumb";
constexpr auto iconProvider = "fileicon";

// Runs on a worker; the response it reports to may be gone by then, which
// the queued connection takes care of.
class ThumbJob : public QObject, public QRunnable {
    Q_OBJECT
public:
    ThumbJob(QUrl url, std::shared_ptr<std::atomic_bool> cancelled)
        : url_(std::move(url)), cancelled_(std::move(cancelled)) {}

    void run() override {
        // Scrolled past before its turn came: not worth decoding.
        if (*cancelled_) return;
        emit done(ThumbCache::shared().image(url_));
    }

signals:
    void done(std::optional<QImage> image);

private:
    QUrl url_;
    std::shared_ptr<std::atomic_bool> cancelled_;
};

class ThumbResponse : public QQuickImageResponse {
    Q_OBJECT
public:
    ThumbResponse(QUrl url, QThreadPool& pool) {
        auto* job = new ThumbJob(std::move(url), cancelled_);
        connect(job, &ThumbJob::done, this, &ThumbResponse::finish);
        pool.start(job);
    }

    QQuickTextureFactory* textureFactory() const override {
        return QQuickTextureFactory::textureFactoryForImage(image_);
    }
    QString errorString() const override { return error_; }
    void cancel() override { *cancelled_ = true; }

private:
    void finish(const std::optional<QImage>& image) {
        if (image)
            image_ = *image;
        else
            error_ = QStringLiteral("No thumbnail");
        emit finished();
    }

    std::shared_ptr<std::atomic_bool> cancelled_ = std::make_shared<std::atomic_bool>(false);
    QImage image_;
    QString error_;
};

class ThumbProvider : public QQuickAsyncImageProvider {
public:
    ThumbProvider() { pool_.setMaxThreadCount(4); }
    ~ThumbProvider() override {
        pool_.clear();
        pool_.waitForDone();
    }

    QQuickImageResponse* requestImageResponse(const QString& id, const QSize&) override {
        return new ThumbResponse(QUrl::fromLocalFile(QUrl::fromPercentEncoding(id.toUtf8())),
                                 pool_);
    }

private:
    QThreadPool pool_;
};

// Our own drawings stand in where the icon theme has nothing.
QString fallbackIcon(const QString& mime) {
    if (mime == QLatin1String("inode/directory")) return QStringLiteral("folder");
    if (mime.startsWith(QLatin1String("image/")) || mime.startsWith(QLatin1String("video/")))
        return QStringLiteral("photo");
    return QStringLiteral("doc");
}

class FileIconProvider : public QQuickImageProvider {
public:
    FileIconProvider() : QQuickImageProvider(QQuickImageProvider::Pixmap) {}

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requested) override {
        const QSize want = requested.isValid() && !requested.isEmpty() ? requested : QSize(64, 64);
        const QMimeType mime = QMimeDatabase().mimeTypeForName(id);
        QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
        if (icon.isNull())
            icon = QIcon(QStringLiteral(":/qt/qml/Tovrin/Core/icons/%1.svg").arg(fallbackIcon(id)));
        const QPixmap pixmap = icon.pixmap(want);
        if (size) *size = pixmap.size();
        return pixmap;
    }
};

} // namespace

namespace Thumbs {

bool mayHaveThumbnail(FileKind kind) {
    return kind == FileKind::image || kind == FileKind::pdf || kind == FileKind::video;
}

QUrl thumbnailUrl(const QUrl& file) {
    return QUrl(QStringLiteral("image://thumb/") +
                QString::fromLatin1(QUrl::toPercentEncoding(file.toLocalFile())));
}

QUrl iconUrl(const PlanItem& item) {
    static const QMimeDatabase mimes;
    const QString mime =
        item.kind == FileKind::folder || item.kind == FileKind::project
            ? QStringLiteral("inode/directory")
            : mimes.mimeTypeForFile(item.src.toLocalFile(), QMimeDatabase::MatchExtension).name();
    return QUrl(QStringLiteral("image://fileicon/") + mime);
}

void install(QQmlEngine& engine) {
    if (!engine.imageProvider(QLatin1String(thumbProvider)))
        engine.addImageProvider(QLatin1String(thumbProvider), new ThumbProvider);
    if (!engine.imageProvider(QLatin1String(iconProvider)))
        engine.addImageProvider(QLatin1String(iconProvider), new FileIconProvider);
}

} // namespace Thumbs

ThumbCache::ThumbCache(Maker make) : make_(std::move(make)) {}

ThumbCache& ThumbCache::shared() {
    static ThumbCache cache(&Thumbnails::load);
    return cache;
}

std::optional<QImage> ThumbCache::image(const QUrl& url) {
    {
        const std::lock_guard lock(mutex_);
        if (const auto it = cache_.constFind(url); it != cache_.cend()) return *it;
    }
    std::optional<QImage> made = make_(url.toLocalFile(), Thumbs::requestSize);
    if (!made) return std::nullopt;
    const std::lock_guard lock(mutex_);
    // Emptied as a whole rather than one by one: cheap, and never more
    // than the capacity in memory.
    if (cache_.size() >= capacity) cache_.clear();
    cache_.insert(url, *made);
    return made;
}

qsizetype ThumbCache::size() const {
    const std::lock_guard lock(mutex_);
    return cache_.size();
}

#include "thumbs.moc"
