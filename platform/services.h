#pragma once

#include <QString>

class SettingsStore;
class Prompter;
class Clock;
class Shell;
class ProgramExit;

// What the windows get from the outside world. Production wires the real desktop; tests wire the
// scripted stand-ins of the testsupport library.
struct Services {
    QString programFolder; // the folder that holds the executable, with no trailing separator
    SettingsStore& settings;
    Prompter& prompter;
    Clock& clock;
    Shell& shell;
    ProgramExit& exit;
};
