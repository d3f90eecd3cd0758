#pragma once
#include "ExerciseWindow.h"

// Exercise 4: listen and spell. One word of the chosen unit at a time: the
// window plays it once its page is shown, the page judges the typed answer,
// and a right answer or the next button moves on to the following word.
class frmExam4 : public ExerciseWindow {
    Q_OBJECT
public:
    frmExam4();
    // The word on show; empty means the unit's first word.
    QString currentWord() const { return m_currentWord; }

    void GetMainData() override;
    void webMain_BeforeNavigate2(const QString& command) override;

protected:
    void UnitChosen() override;
    // Stops the word that plays before fading out.
    void imgClose_Click() override;

private:
    // Once the page is in place: plays its word, then puts the cursor into
    // the answer field.
    void MainPageShown();

    QString m_currentWord;
    QString m_wordToPlay;
    bool m_playPending = false;
};
