#pragma once
#include "app/SystemBox.h"
#include "ui/HtmlView.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QList>
#include <QTimer>
#include <QVariant>
#include "support/TestSupport.h"

#include <functional>
#include <memory>

// Small helpers for driving exercise windows in a real view. Every wait runs
// the event loop and gives up after a bounded time.
namespace gui {


// A script's result, waited for.
inline QVariant Js(HtmlView* view, const QString& script, int timeoutMs = 10000)
{
    struct State {
        QVariant value;
        bool done = false;
    };
    auto state = std::make_shared<State>();
    view->RunScript(script, [state](const QVariant& v) {
        state->value = v;
        state->done = true;
    });
    WaitUntil([&] { return state->done; }, timeoutMs);
    return state->value;
}

// Records the system message boxes instead of showing them.
struct BoxRecorder {
    struct Box {
        QString title, text;
        SystemBoxIcon icon;
    };
    QList<Box> boxes;
    // Runs while a box "is open", as the modal box would block there.
    std::function<void()> whileOpen;

    BoxRecorder()
    {
        SetSystemBoxHandler([this](const QString& t, const QString& x, SystemBoxIcon i) {
            boxes.append({t, x, i});
            if (whileOpen)
                whileOpen();
        });
    }
    ~BoxRecorder() { SetSystemBoxHandler(nullptr); }
    bool WaitForCount(int n, int timeoutMs = 10000)
    {
        return WaitUntil([&] { return boxes.size() >= n; }, timeoutMs);
    }
    QString lastText() const { return boxes.isEmpty() ? QString() : boxes.last().text; }
};

}  // namespace gui
