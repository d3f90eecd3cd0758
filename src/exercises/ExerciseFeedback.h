#pragma once
#include "ExerciseCommands.h"

// The answer feedback of exercises 3 and 4: the system's own message box
// (caption "訊息", one OK button, modal), not the skinned message window.
// Returns once the learner has closed it. Actions without a message of the
// exercise show nothing.
void ShowExerciseFeedback(int exercise, ExerciseAction action);
