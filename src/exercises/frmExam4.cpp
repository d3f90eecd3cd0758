#include "frmExam4.h"

#include "ExerciseCommands.h"
#include "ExerciseFeedback.h"
#include "SpellingExercise.h"
#include "audio/frmMediaPlayer.h"
#include "ui/HtmlView.h"

frmExam4::frmExam4()
    : ExerciseWindow(4, {QRect(52, 126, 387, 567), QRect(502, 198, 433, 489), QPoint(904, 30), QRect(32, 82, 939, 615)})
{
    // Queued: playing waits in the event loop, which must not happen inside
    // the view's load notification.
    connect(webMain, &HtmlView::pageLoaded, this, &frmExam4::MainPageShown, Qt::QueuedConnection);
}

void frmExam4::UnitChosen() { m_currentWord.clear(); }

void frmExam4::GetMainData()
{
    SpellingWord shown;
    const QString unit = selectedUnit();
    if (!unit.isEmpty()) {
        shown = ReadSpellingWord(SpellingWordSequence(unit), m_currentWord);
        if (shown.nextWord.isEmpty()) {
            // The last word: the learner hears so before its page appears.
            webMain->setVisible(false);
            ShowExerciseFeedback(exercise(), ExerciseAction::RangeFinished);
        }
    }
    m_wordToPlay = shown.word;
    m_playPending = true;
    webMain->WritePage(SpellingPage(unit, shown));
}

void frmExam4::MainPageShown()
{
    if (!m_playPending)
        return;
    m_playPending = false;
    HandlerScope running(this);
    PlaySound(m_wordToPlay);
    webMain->setFocus();
    webMain->RunScript(QStringLiteral("var f = document.getElementById('inputword'); if (f) f.focus();"));
}

void frmExam4::webMain_BeforeNavigate2(const QString& command)
{
    const ExerciseCommand c = SpellingCommand(command, selectedUnit());
    switch (c.action) {
    case ExerciseAction::PlaySound:
        PlaySound(c.value);
        break;
    case ExerciseAction::CorrectThenNext:
        ShowExerciseFeedback(exercise(), c.action);
        [[fallthrough]];
    case ExerciseAction::NextWord:
        m_currentWord = c.value;
        GetMainData();
        break;
    default:
        ShowExerciseFeedback(exercise(), c.action);
        break;
    }
}

void frmExam4::imgClose_Click()
{
    frmMediaPlayer::StopCurrentSound();
    closeForm();
}
