#pragma once

class ExerciseWindow;

// The exercise window of menu entry 1 to 4, created when first needed; each
// exists at most once. Null for any other entry.
ExerciseWindow* ExerciseWindowFor(int entry);
// Loads and shows the window of the entry (the main window hides itself then).
void OpenExercise(int entry);
// Lets the main window's menu open the exercise windows.
void RegisterExerciseWindows();
