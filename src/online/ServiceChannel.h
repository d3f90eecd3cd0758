#pragma once
#include <QString>
#include <chrono>
#include <optional>

// Requests to the web services: a form body posted to a page below
// ServiceSiteUrl, answered with Big5 text.

// The key every request body starts with ("key=" + key), fixed by the build.
QString ServiceAccessKey();
// "key=" + the access key: the start of every request body.
QString ServiceKeyBody();

// Posts body to address and waits for the whole answer. The caller is blocked
// but the program is not: a local event loop keeps windows painting and timers
// running (user input waits until the answer is in). The HTTP status is not
// looked at: any answer body is converted and returned. A transport failure
// (refused, broken, timed out) or an answer that is not valid Big5 returns
// nullopt, with the reason in *error when asked for.
std::optional<QString> PostServiceRequest(const QString& address, const QString& body, QString* error = nullptr);

// True exactly when p_getconn.asp answers with text starting "ONLINE".
bool IsServerOnline();

// How long a request may take before it is given up as failed. A service that
// accepts the connection and never answers must not hold the program forever.
std::chrono::milliseconds ServiceRequestTimeout();
void SetServiceRequestTimeout(std::chrono::milliseconds timeout);
