#include "pages/PageFrame.h"
#include "ui/HtmlView.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {
// One glyph picture, as the data folder holds them.
QString glyphUrl()
{
    static QTemporaryDir dir;
    static const QString url = [] {
        QImage glyph(12, 27, QImage::Format_RGB32);
        glyph.fill(Qt::black);
        glyph.save(dir.filePath(QStringLiteral("s_a.gif")), "PNG");
        return QUrl::fromLocalFile(dir.filePath(QStringLiteral("s_a.gif"))).toString();
    }();
    return url;
}

// A word table of n rows, like the lesson browser's: text, glyph images, a speaker link.
QString wordTable(int rows)
{
    QString page = GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + BodyTagScrolling() + Crlf();
    page += QStringLiteral("<table width='100%'>") + Crlf();
    for (int i = 0; i < rows; ++i) {
        page += QStringLiteral("<tr><td><a href='cmd:word%1'>speaker</a></td><td>word%1</td><td>").arg(i);
        for (int g = 0; g < 6; ++g)
            page += QStringLiteral("<img src='") + glyphUrl() + QStringLiteral("' height='27'>");
        page += QStringLiteral("</td><td>中文意思</td></tr>") + Crlf();
    }
    page += QStringLiteral("</table>") + Crlf() + GetHtmlFrame(QStringLiteral("FOOTER"), QString());
    return page;
}

struct Views {
    QWidget host;
    HtmlView* view;
    Views()
    {
        host.resize(600, 400);
        view = new HtmlView(QStringLiteral("frmBench"), QStringLiteral("webBench"), &host);
        view->setGeometry(0, 0, 600, 400);
        host.show();
    }
};

Views& views()
{
    static Views v;
    return v;
}

template <typename Start>
double timeLoad(Start start, bool viaPageLoaded)
{
    HtmlView* view = views().view;
    QEventLoop loop;
    QMetaObject::Connection c = viaPageLoaded
        ? QObject::connect(view, &HtmlView::pageLoaded, &loop, &QEventLoop::quit)
        : QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    const auto t0 = std::chrono::steady_clock::now();
    start(view);
    loop.exec();
    const auto t1 = std::chrono::steady_clock::now();
    QObject::disconnect(c);
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_WritePage(benchmark::State& state)
{
    const QString page = wordTable(int(state.range(0)));
    for (auto _ : state)
        state.SetIterationTime(timeLoad([&](HtmlView* v) { v->WritePage(page); }, true));
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
}

void BM_SetHtmlBaseline(benchmark::State& state)
{
    const QString page = wordTable(int(state.range(0)));
    for (auto _ : state)
        state.SetIterationTime(timeLoad([&](HtmlView* v) { v->setHtml(page, QUrl(QStringLiteral("file:///"))); }, false));
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
}

void BM_FileLoadBaseline(benchmark::State& state)
{
    const QString page = wordTable(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArrayLiteral("\xEF\xBB\xBF") + page.toUtf8());
    f.close();
    for (auto _ : state)
        state.SetIterationTime(timeLoad([&](HtmlView* v) { v->load(QUrl::fromLocalFile(path)); }, false));
    state.SetBytesProcessed(state.iterations() * page.toUtf8().size());
}
}

// 40 rows is a usual word table (~20 KB); 4000 rows is past setHtml's 2 MB limit.
BENCHMARK(BM_WritePage)->Arg(40)->Arg(4000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetHtmlBaseline)->Arg(40)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileLoadBaseline)->Arg(40)->Arg(4000)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    HtmlView::RegisterSchemes();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
