#pragma once
#include <QObject>
#include <QString>
#include <chrono>
#include <optional>

// Copies the resource at one URL into a local file and reports the transfer
// as events, so a window can show a progress bar while the file arrives.
// The download call blocks its caller until the transfer has ended, while
// window events (timers, paints, clicks) keep running in a local event loop.
// One object serves one transfer at a time.
class clsUrlDownload : public QObject {
    Q_OBJECT
public:
    explicit clsUrlDownload(QObject* parent = nullptr);
    ~clsUrlDownload() override;

    // Downloads File2DownLoad into File2Save: true on success, false on any
    // failure, and no value at all (nothing downloaded) while another transfer
    // of this object is under way. The file is streamed to disk as it arrives
    // and appears under its name only once it is complete; a failed transfer
    // leaves an earlier file of that name as it was.
    std::optional<bool> StartTheStinkinDownLoad(const QString& File2DownLoad, const QString& File2Save);
    // Aborts the transfer under way (harmless when there is none), raises
    // DownloadCancelled and forgets the transfer; the transfer then ends with
    // DownloadCrash carrying Cancelled true.
    void KillDownload();
    // Removes the download cache's entry of the given address: non-zero when
    // there was one.
    qint32 DeleteDownloadCache(const QString& Filename);

    bool IsDownloading() const { return m_binding != nullptr; }

    // A transfer that receives nothing for this long ends with "Connection
    // Timeout.". Tests shorten it; the program keeps the default.
    void SetStallTimeout(std::chrono::milliseconds timeout) { m_stallTimeout = timeout; }
    std::chrono::milliseconds StallTimeout() const { return m_stallTimeout; }

signals:
    void DownloadStart();
    // Raised only when the total is known.
    void DownloadProgress(qint64 BytesIn, qint64 TotalBytes);
    void DownloadComplete();
    void DownloadCrash(qint32 ErrNum, const QString& ErrDescr, bool Cancelled);
    void DownloadCancelled();

private:
    struct Transfer;
    Transfer* m_binding = nullptr;
    std::chrono::milliseconds m_stallTimeout{15000};
};
