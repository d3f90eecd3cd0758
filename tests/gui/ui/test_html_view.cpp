#include "app/AppValues.h"
#include "pages/PageFrame.h"
#include "pages/PhoneticHtml.h"
#include "ui/HtmlView.h"

#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {
// Runs the event loop until pred holds or the time is up.
bool waitUntil(const std::function<bool()>& pred, int timeoutMs = 20000) { return WaitUntil(pred, timeoutMs); }

QVariant evaluate(HtmlView& view, const QString& js)
{
    QVariant result;
    bool done = false;
    view.RunScript(js, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    waitUntil([&] { return done; });
    return result;
}

struct ViewFixture : ::testing::Test {
    QWidget host;
    HtmlView* view = nullptr;
    QStringList commands;
    int loads = 0;

    void SetUp() override
    {
        host.resize(400, 300);
        view = new HtmlView(QStringLiteral("frmTest"), QStringLiteral("webTest"), &host);
        view->setGeometry(0, 0, 400, 300);
        QObject::connect(view, &HtmlView::commandReceived, [this](const QString& c) { commands << c; });
        QObject::connect(view, &HtmlView::pageLoaded, [this] { ++loads; });
        host.show();
    }

    void write(const QString& html)
    {
        const int before = loads;
        view->WritePage(html);
        EXPECT_FALSE(view->isVisible()) << "hidden until the page is in place";
        ASSERT_TRUE(waitUntil([&] { return loads > before; }));
        EXPECT_TRUE(view->isVisible());
    }
};

QString linkPage()
{
    QString page = SelectableListPage({{QStringLiteral("a e"), QStringLiteral("row 0")},
                                       {QStringLiteral("x:y#z"), QStringLiteral("row 1")},
                                       {QStringLiteral("中文 字"), QStringLiteral("row 2")}});
    const QString links = QStringLiteral(
        "<a id='speaker' href='cmd:喇叭 one'>speaker</a>"
        "<a id='answer' href='cmd:ANS:Y:S1,b c'>answer</a>"
        "<a id='upper' href='CMD:shout'>upper</a>"
        "<a id='blank' href='about:blank'>blank</a>"
        "<script>window.marker = 42;</script>\r\n");
    page.insert(page.lastIndexOf(QStringLiteral("</body>")), links);
    return page;
}
}

TEST_F(ViewFixture, CommandLinksReachTheHandlerAndAreCancelled)
{
    write(linkPage());
    const QUrl written = view->url();

    struct Case {
        const char* click;
        const char* command;
    };
    const Case cases[] = {
        {"document.querySelectorAll('td')[0].click()", "0#a e"},
        {"document.querySelectorAll('td')[1].click()", "1#x:y#z"},
        {"document.querySelectorAll('td')[2].click()", "2#中文 字"},
        {"document.getElementById('speaker').click()", "喇叭 one"},
        {"document.getElementById('answer').click()", "ANS:Y:S1,b c"},
        {"location.href = 'cmd:NEXT:S12,apple'", "NEXT:S12,apple"},
    };
    for (const Case& c : cases) {
        commands.clear();
        view->RunScript(QString::fromUtf8(c.click));
        ASSERT_TRUE(waitUntil([&] { return !commands.isEmpty(); })) << c.click;
        EXPECT_EQ(commands, QStringList{QString::fromUtf8(c.command)}) << c.click;
        // Cancelled: the same document is still there, its script state intact.
        EXPECT_EQ(view->url(), written);
        EXPECT_EQ(evaluate(*view, QStringLiteral("window.marker")).toInt(), 42) << c.click;
    }
    // The row script recoloured the clicked row.
    EXPECT_EQ(evaluate(*view, QStringLiteral("lastIndex")).toInt(), 2);
}

TEST_F(ViewFixture, OtherNavigationsProceed)
{
    write(linkPage());
    commands.clear();

    view->RunScript(QStringLiteral("document.getElementById('upper').click()"));
    // Nothing to wait for but time: give the engine a moment to deliver anything.
    waitUntil([] { return false; }, 1500);
    EXPECT_TRUE(commands.isEmpty()) << commands.join(QLatin1Char('|')).toStdString();

    write(linkPage());
    commands.clear();
    view->RunScript(QStringLiteral("document.getElementById('blank').click()"));
    ASSERT_TRUE(waitUntil([&] { return view->url() == QUrl(QStringLiteral("about:blank")); }));
    EXPECT_TRUE(commands.isEmpty());
}

TEST_F(ViewFixture, LargePageLoads)
{
    // Larger than the engine's limit for pushing HTML into a page directly.
    QString line = QStringLiteral("<p>");
    while (line.size() < 1000)
        line += QStringLiteral("長長的頁面 long page ");
    line += QStringLiteral("</p>\r\n");
    const qsizetype lineBytes = line.toUtf8().size();
    QString filler;
    for (qsizetype bytes = 0; bytes < 3 * 1024 * 1024; bytes += lineBytes)
        filler += line;
    const QString page = GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + BodyTagScrolling()
        // Not displayed: the size is what matters here, not the time to lay it out.
        + QStringLiteral("\r\n<div style='display:none'>") + filler + QStringLiteral("</div><p id='end'>END</p>")
        + GetHtmlFrame(QStringLiteral("FOOTER"), QString());
    write(page);
    EXPECT_EQ(evaluate(*view, QStringLiteral("document.getElementById('end').textContent")).toString(), QStringLiteral("END"));
    EXPECT_EQ(evaluate(*view, QStringLiteral("document.getElementsByTagName('p').length")).toInt(),
              filler.count(QStringLiteral("<p>")) + 1);
}

TEST_F(ViewFixture, RewritingReplacesThePage)
{
    write(GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + BodyTagScrolling()
          + QStringLiteral("\r\n<p id='t'>first</p>") + GetHtmlFrame(QStringLiteral("FOOTER"), QString()));
    write(GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + BodyTagScrolling()
          + QStringLiteral("\r\n<p id='t'>第二</p>") + GetHtmlFrame(QStringLiteral("FOOTER"), QString()));
    EXPECT_EQ(evaluate(*view, QStringLiteral("document.getElementById('t').textContent")).toString(), QStringLiteral("第二"));
}

TEST_F(ViewFixture, PagesShowGlyphsFromTheDataFolder)
{
    // A data folder with two glyphs, addressed as every page addresses them:
    // the glyph base, then "font_s\" with a backslash.
    QTemporaryDir tmp;
    MutableApp().TempFolder = tmp.path();
    MutableApp().ProductFolderName = QStringLiteral("Varnelo");
    const QString folder = DataFolder() + QStringLiteral("/symbol/font_s");
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage glyph(12, 27, QImage::Format_RGB32);
    glyph.fill(Qt::black);
    ASSERT_TRUE(glyph.save(folder + QStringLiteral("/s_a.gif"), "PNG"));
    ASSERT_TRUE(glyph.save(folder + QStringLiteral("/long.gif"), "PNG"));

    const QString page = GetHtmlFrame(QStringLiteral("HEADER"), QStringLiteral("#FFFFFF")) + BodyTagScrolling()
        + QStringLiteral("\r\n") + GetPhoneticHtml(GlyphBase(), QStringLiteral("a:"), 27)
        + GetHtmlFrame(QStringLiteral("FOOTER"), QString());
    write(page);
    const QString loaded = QStringLiteral(
        "(function(){var n=0;for(const i of document.images){if(i.complete&&i.naturalWidth>0)++n;}return n;})()");
    EXPECT_TRUE(waitUntil([&] { return evaluate(*view, loaded).toInt() == 2; }, 5000)) << "both glyph images load";
}
