#pragma once

// Unloads every loaded window, the most recently loaded first (the startup
// window, loaded first, goes last), then ends the event loop.
void ExitProgramProc();
