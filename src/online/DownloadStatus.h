#pragma once
#include <QNetworkReply>
#include <QString>

// The status codes a download ends with, as 32-bit result codes: zero or
// positive is success, negative is failure. The download window and its
// callers know failures by these codes and their texts.
namespace DownloadStatus {
constexpr qint32 Code(quint32 value) { return static_cast<qint32>(value); }

constexpr qint32 Ok = 0;
constexpr qint32 Aborted = Code(0x80004004);
constexpr qint32 InvalidUrl = Code(0x800C0002);
constexpr qint32 NoSession = Code(0x800C0003);
constexpr qint32 CannotConnect = Code(0x800C0004);
constexpr qint32 ResourceNotFound = Code(0x800C0005);
constexpr qint32 FileNotFound = Code(0x800C0006);
constexpr qint32 DataNotAvailable = Code(0x800C0007);
constexpr qint32 DownloadFailure = Code(0x800C0008);
constexpr qint32 AuthenticationFailure = Code(0x800C0009);
constexpr qint32 ConnectionTimeout = Code(0x800C000B);
constexpr qint32 InvalidRequest = Code(0x800C000C);
constexpr qint32 UnknownProtocol = Code(0x800C000D);
constexpr qint32 SecurityProblem = Code(0x800C000E);
constexpr qint32 RedirectFailed = Code(0x800C0014);
}

// The text DownloadCrash reports with a status code ("Unknown." for a code
// outside the table).
QString DownloadStatusText(qint32 status);

// The status code of a transfer that ended with the given network error.
qint32 DownloadStatusFor(QNetworkReply::NetworkError error);
