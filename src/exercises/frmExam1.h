#pragma once
#include "ExerciseWindow.h"

// Exercise 1: read along with phonics items. Every command of its page is the
// sound name of an item.
class frmExam1 : public ExerciseWindow {
    Q_OBJECT
public:
    frmExam1();
    void GetMainData() override;
    void webMain_BeforeNavigate2(const QString& command) override;
};
