#pragma once
#include "ExerciseWindow.h"

// Exercise 2: read along with example words. Every command of its page is a
// word, which is also its recording's name.
class frmExam2 : public ExerciseWindow {
    Q_OBJECT
public:
    frmExam2();
    void GetMainData() override;
    void webMain_BeforeNavigate2(const QString& command) override;
};
