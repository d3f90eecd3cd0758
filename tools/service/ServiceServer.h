#pragma once
#include "ServiceConfig.h"

#include <httplib.h>

// The HTTP side of the service: the keyed pages, the content package and its
// signature, the database-engine page, and further pages (manual, news) from
// the configured site folder or the built-in ones.
class ServiceServer {
public:
    explicit ServiceServer(ServiceConfig config);

    // Binds host:port (port 0: any free port). Returns the port, or -1.
    int Bind(const QString& host, int port);
    // Serves until Stop; false when serving failed.
    bool Serve();
    // Safe from any thread.
    void Stop();

private:
    void HandlePage(const httplib::Request& req, httplib::Response& res);
    void HandleFile(const QString& path, httplib::Response& res);
    void HandleSite(const httplib::Request& req, httplib::Response& res);
    QString BaseAddress(const httplib::Request& req) const;

    ServiceConfig m_config;
    httplib::Server m_server;
    QString m_host;
    int m_port = 0;
};
