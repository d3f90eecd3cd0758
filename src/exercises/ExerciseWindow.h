#pragma once
#include "ui/SkinnedWindow.h"

#include <QRect>
#include <QString>

class HtmlView;

// Where an exercise window's controls sit (pixels, window coordinates).
struct ExerciseLayout {
    QRect webSelect;
    QRect webMain;
    QPoint imgClose;
    QRect imgBackground;
};

// What the four exercise windows share: the skinned window with its unit
// list on the left and its exercise page on the right, opening with a
// fade-in while the main window hides, the unit choice, the sound player,
// and closing with a fade-out that hands back to the main window.
//
// An exercise supplies its page (GetMainData) and its page commands
// (webMain_BeforeNavigate2); the unit prefix and the list's row variant
// follow from its number.
class ExerciseWindow : public SkinnedWindow {
    Q_OBJECT
public:
    ~ExerciseWindow() override;

    int exercise() const { return m_exercise; }
    // The unit chosen in the list; empty when none is chosen.
    QString selectedUnit() const { return m_selectedUnit; }
    HtmlView* selectView() const { return webSelect; }
    HtmlView* mainView() const { return webMain; }

    // Opening: sized by the background, centred, fading in from opacity 0,
    // shown, and filled with the unit list and an empty exercise page.
    void Form_Load();
    // No unit chosen; rebuilds the list and the page.
    void SetDefaultValue();
    // Writes the unit list, the chosen unit highlighted, into webSelect.
    void GetSelectData();
    // Builds the exercise page for the chosen unit into webMain.
    virtual void GetMainData() = 0;

    // Unit choice: a click in the list arrives as the unit code.
    void webSelect_BeforeNavigate2(const QString& command);
    // A command of the exercise page.
    virtual void webMain_BeforeNavigate2(const QString& command) = 0;

protected:
    ExerciseWindow(int exercise, const ExerciseLayout& layout);

    // Runs when a unit is chosen, before the list and page are rebuilt.
    virtual void UnitChosen() {}

    // Held while a handler of the window runs. A handler may wait in the
    // event loop (a sound plays, a box is open) and the fade-out may end
    // meanwhile: the window then hides at once but is unloaded only when the
    // last handler has returned, never under a running one.
    class HandlerScope {
    public:
        explicit HandlerScope(ExerciseWindow* window);
        ~HandlerScope();
        HandlerScope(const HandlerScope&) = delete;
        HandlerScope& operator=(const HandlerScope&) = delete;

    private:
        ExerciseWindow* m_window;
    };
    // Plays a recording through the sound player; returns when it has stopped.
    void PlaySound(const QString& soundName);

    // The end of the fade-out shows the main window again and unloads this one.
    void FadeOutFinished() override;

    HtmlView* webSelect = nullptr;
    HtmlView* webMain = nullptr;

private:
    int m_exercise;
    QString m_selectedUnit;
    int m_runningHandlers = 0;
    bool m_unloadWhenIdle = false;
};
