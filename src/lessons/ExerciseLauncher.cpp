#include "ExerciseLauncher.h"

#include <utility>

namespace {
std::function<void(int)>& opener()
{
    static std::function<void(int)> f;
    return f;
}
}

void SetExerciseOpener(std::function<void(int entry)> f) { opener() = std::move(f); }

bool HasExerciseOpener() { return static_cast<bool>(opener()); }

void OpenExerciseWindow(int entry)
{
    if (opener())
        opener()(entry);
}
