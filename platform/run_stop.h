// The one exception type of the run: orderly stops unwind to the main program
// through it, so that nothing below calls exit() and tests can run a whole
// session in-process.
#pragma once
#include <string>

namespace datrax {

struct RunStop {
    enum class Reason {
        Quit,          // the q command of the main menu
        WindowClosed,  // the real window was closed: ends the run as q does
        Fatal,         // a fatal condition of the system (message already shown)
        ScriptEnd,     // the headless key script is used up
    };
    Reason reason = Reason::Quit;
    std::string message;  // line written before a fatal stop (may be empty)
};

}  // namespace datrax
