#pragma once

// The program holds the creditors' passwords in its memory: no core file may carry them to disk, and no
// other process of the user may read that memory. Called once at the start of the real program; tests
// leave their processes debuggable.
void protectProcessMemory();
