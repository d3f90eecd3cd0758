#pragma once
#include <QMap>
#include <QString>
#include <QStringList>

// What the service answers, read from a small text file:
//
//   # comment
//   access_key = tamrivobedsun
//   version.vrn = 2.0.0               program version per product type
//   dataversion.vrn = 2024.05.01      content version per product code, or
//   dataversion_file.vrn = giz/vrndata.ver   first line of that file, read per request
//   news.vrn = {base}news/vrn/        news address per product code; empty: no news
//   package = giz/vrndata.giz         served as vrn_download/vrndata.giz
//   signature = giz/vrndata.giz.sig   served beside it (default: package + ".sig")
//   site = pages                      folder of further pages (manual, news, ...)
//   download_rate = 2048              KiB per second the package goes out at; 0: no limit
//   port = 47615
//   bind = 127.0.0.1
//
// Texts are UTF-8 in the file and go out as Big5, so each must be expressible
// in Big5. Relative paths are taken from the config file's folder. "{base}" in
// a news address stands for the address the request was sent to
// ("http://host:port/").
struct ServiceConfig {
    QString accessKey;
    QMap<QString, QString> versions;         // by product type
    QMap<QString, QString> dataVersions;     // by product code
    QMap<QString, QString> dataVersionFiles; // by product code
    QMap<QString, QString> news;             // by product code
    QString packagePath;
    QString signaturePath;
    QString siteFolder;
    int downloadRateKiB = 0; // 0: as fast as it goes
    int port = 0;   // 0: not given
    QString bind;   // empty: not given
};

// Parses config text. Paths are resolved against baseFolder. Every line that
// cannot be understood is reported in *errors ("line N: ...").
ServiceConfig ParseServiceConfig(const QString& text, const QString& baseFolder, QStringList* errors);

// The configuration the service runs with when it is given none: the demo
// content package beside the service executable, the build's own program
// version, news of the built-in pages.
QString DemoConfigText();
