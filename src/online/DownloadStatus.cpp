#include "DownloadStatus.h"

QString DownloadStatusText(qint32 status)
{
    switch (static_cast<quint32>(status)) {
    case 0x800C0002: return QStringLiteral("Invalid URL.");
    case 0x800C0003: return QStringLiteral("No Session.");
    case 0x800C0004: return QStringLiteral("Cannot Connect");
    case 0x800C0005: return QStringLiteral("Resource Not Found.");
    case 0x800C0006: return QStringLiteral("File Not Found.");
    case 0x800C0007: return QStringLiteral("Data Not Available.");
    case 0x800C0008: return QStringLiteral("Download Failure.");
    case 0x800C0009: return QStringLiteral("Authentication Failure.");
    case 0x800C000A: return QStringLiteral("No Valid Media.");
    case 0x800C000B: return QStringLiteral("Connection Timeout.");
    case 0x800C000C: return QStringLiteral("Invalid Request.");
    case 0x800C000D: return QStringLiteral("Unknown Protocol.");
    case 0x800C000E: return QStringLiteral("Security Problem.");
    case 0x800C000F: return QStringLiteral("Cannot Load Data.");
    case 0x800C0010: return QStringLiteral("Cannot Instantiate Object.");
    case 0x800C0011: return QStringLiteral("Default Action.");
    case 0x800C0013: return QStringLiteral("QueryOption Unknown.");
    case 0x800C0014: return QStringLiteral("Redirect Failed.");
    case 0x800C0015: return QStringLiteral("Redirect To Dir.");
    case 0x800C0016: return QStringLiteral("Cannot Lock Request.");
    case 0x800C0100: return QStringLiteral("Code Download Declined.");
    case 0x800C0200: return QStringLiteral("Result Dispatched.");
    case 0x800C0300: return QStringLiteral("Cannot Replace SFP File.");
    default: return QStringLiteral("Unknown.");
    }
}

qint32 DownloadStatusFor(QNetworkReply::NetworkError error)
{
    using E = QNetworkReply::NetworkError;
    namespace S = DownloadStatus;
    switch (error) {
    case E::NoError: return S::Ok;
    // A host that is not found and a page that is not there are both a
    // resource that cannot be found.
    case E::HostNotFoundError:
    case E::ContentNotFoundError:
    case E::ContentGoneError: return S::ResourceNotFound;
    case E::ConnectionRefusedError:
    case E::ProxyConnectionRefusedError:
    case E::ProxyNotFoundError:
    case E::TemporaryNetworkFailureError:
    case E::NetworkSessionFailedError: return S::CannotConnect;
    case E::TimeoutError:
    case E::ProxyTimeoutError: return S::ConnectionTimeout;
    case E::OperationCanceledError: return S::Aborted;
    case E::AuthenticationRequiredError:
    case E::ProxyAuthenticationRequiredError: return S::AuthenticationFailure;
    case E::SslHandshakeFailedError: return S::SecurityProblem;
    case E::ProtocolUnknownError: return S::UnknownProtocol;
    case E::ProtocolInvalidOperationError:
    case E::ContentOperationNotPermittedError: return S::InvalidRequest;
    case E::TooManyRedirectsError:
    case E::InsecureRedirectError: return S::RedirectFailed;
    default: return S::DownloadFailure;
    }
}
