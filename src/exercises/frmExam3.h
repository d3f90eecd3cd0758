#pragma once
#include "ExerciseWindow.h"

// Exercise 3: pick the transcription of a spoken word among four. The page
// judges each pick itself and reports it as "ANS:Y" or "ANS:N"; the window
// answers with a message box. Other commands are the words' sound names.
class frmExam3 : public ExerciseWindow {
    Q_OBJECT
public:
    frmExam3();
    void GetMainData() override;
    void webMain_BeforeNavigate2(const QString& command) override;
};
