#pragma once
#include <functional>

// The main window's menu entries 1 to 4 open the four exercise windows. The
// exercise module registers the opener at startup, so the lesson browser does
// not depend on the exercise windows it opens.
void SetExerciseOpener(std::function<void(int entry)> opener);
bool HasExerciseOpener();
// Shows the exercise window of menu entry 1-4; does nothing without an opener.
void OpenExerciseWindow(int entry);
