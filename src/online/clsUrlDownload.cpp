#include "clsUrlDownload.h"

#include "DownloadStatus.h"
#include "OnlineNetwork.h"
#include "app/Trace.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>

// One transfer, owned by the StartTheStinkinDownLoad call that runs it, so a
// transfer outlives neither its call nor, when the object is deleted from one
// of its own event handlers, anything that call still needs.
struct clsUrlDownload::Transfer {
    QString url;
    QNetworkReply* reply = nullptr;
    QEventLoop loop;
    qint64 written = 0;
    bool killed = false;
    bool writeFailed = false;
};

namespace {
constexpr qint64 kReadBufferSize = 1024 * 1024;

void TraceDownload(const QString& url, const char* state, qint64 bytes = 0, qint64 total = 0, const QString& error = QString())
{
    if (!Trace::enabled())
        return;
    QJsonObject fields{{QStringLiteral("url"), url}, {QStringLiteral("state"), QLatin1String(state)},
        {QStringLiteral("bytes"), bytes}, {QStringLiteral("total"), total}};
    if (!error.isEmpty())
        fields.insert(QStringLiteral("error"), error);
    Trace::event(QStringLiteral("download"), fields);
}
}

clsUrlDownload::clsUrlDownload(QObject* parent)
    : QObject(parent)
{
}

clsUrlDownload::~clsUrlDownload()
{
    // Deleted from one of its own handlers: end the transfer; the running
    // call sees the object gone and returns without touching it.
    if (m_binding)
        m_binding->reply->abort();
}

std::optional<bool> clsUrlDownload::StartTheStinkinDownLoad(const QString& File2DownLoad, const QString& File2Save)
{
    if (m_binding)
        return std::nullopt;

    const QUrl url(File2DownLoad, QUrl::StrictMode);
    QSaveFile file(File2Save);
    qint32 early = DownloadStatus::Ok;
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        early = DownloadStatus::InvalidUrl;
    else if (!file.open(QIODevice::WriteOnly))
        early = DownloadStatus::DownloadFailure;
    if (early != DownloadStatus::Ok) {
        // Nothing was bound, so there is no start; the failure is still told.
        TraceDownload(File2DownLoad, "crash", 0, 0, DownloadStatusText(early));
        emit DownloadCrash(early, DownloadStatusText(early), false);
        return false;
    }

    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(m_stallTimeout.count()));
    Transfer transfer;
    transfer.url = File2DownLoad;
    transfer.reply = OnlineNetwork().get(request);
    QNetworkReply* reply = transfer.reply;
    // Reading stops while this much waits unwritten, so a large package never
    // piles up in memory and arrives in pieces that each report progress.
    reply->setReadBufferSize(kReadBufferSize);
    m_binding = &transfer;
    QPointer<clsUrlDownload> self(this);

    // Progress follows what has been written, one report per piece that
    // arrives, and only when the answer is the file and tells its length.
    connect(reply, &QNetworkReply::readyRead, this, [this, &transfer, &file, reply, File2DownLoad] {
        const QByteArray chunk = reply->readAll();
        if (transfer.writeFailed)
            return;
        if (file.write(chunk) != chunk.size()) {
            transfer.writeFailed = true;
            reply->abort();
            return;
        }
        transfer.written += chunk.size();
        const int httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const qint64 total = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (httpStatus < 200 || httpStatus > 299 || total <= 0)
            return;
        TraceDownload(File2DownLoad, "progress", transfer.written, total);
        emit DownloadProgress(transfer.written, total);
    });
    connect(reply, &QNetworkReply::finished, &transfer.loop, &QEventLoop::quit);

    TraceDownload(File2DownLoad, "start");
    emit DownloadStart();
    if (!reply->isFinished())
        transfer.loop.exec();

    qint32 status = DownloadStatusFor(reply->error());
    if (transfer.writeFailed)
        status = DownloadStatus::DownloadFailure;
    else if (reply->error() == QNetworkReply::OperationCanceledError && !transfer.killed)
        status = DownloadStatus::ConnectionTimeout; // only the stall timer cancels on its own
    reply->deleteLater();
    if (!self) {
        file.cancelWriting();
        return false;
    }
    reply->disconnect(this);

    if (status >= 0 && !file.commit())
        status = DownloadStatus::DownloadFailure;
    if (status < 0)
        file.cancelWriting();

    // KillDownload forgets the transfer before it ends; a transfer forgotten
    // that way, or replaced by a new one started meanwhile, was cancelled.
    const bool cancelled = m_binding != &transfer;
    if (status >= 0) {
        TraceDownload(File2DownLoad, "complete", transfer.written, transfer.written);
        emit DownloadComplete();
    } else {
        TraceDownload(File2DownLoad, "crash", 0, 0, DownloadStatusText(status));
        emit DownloadCrash(status, DownloadStatusText(status), cancelled);
    }
    if (self && m_binding == &transfer)
        m_binding = nullptr;
    return status == DownloadStatus::Ok;
}

void clsUrlDownload::KillDownload()
{
    QString url;
    if (m_binding) {
        url = m_binding->url;
        m_binding->killed = true;
        m_binding->reply->abort();
    }
    TraceDownload(url, "cancelled");
    emit DownloadCancelled();
    m_binding = nullptr;
}

qint32 clsUrlDownload::DeleteDownloadCache(const QString& Filename)
{
    // An aborted transfer can leave an unfinished entry of its address beside
    // the stored one; removing until nothing is left clears both.
    const QUrl url(Filename);
    QNetworkDiskCache& cache = DownloadCache();
    qint32 removed = 0;
    for (int i = 0; i < 8 && cache.remove(url); ++i)
        removed = 1;
    return removed;
}
