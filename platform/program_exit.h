#pragma once

// Ends the program at once, without a question: every change has been written when it was made.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void exit(int code = 0) = 0;
    // True once an exit was asked for; start-up code checks it before going on.
    virtual bool requested() const = 0;
};
