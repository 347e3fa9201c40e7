#pragma once

#include "AppState.h"

#include <memory>

class TForm1;
class TFormpic;
class TFormOpt;
class TFormhlp;

// One run of the program: the four windows, created in their fixed order and
// kept until the end.
class Program
{
public:
    explicit Program(const ProgramOptions& options = ProgramOptions());
    ~Program();

    // Shows the main window (which runs the start-up sequence).
    void start();

    // A termination signal (logout, shutdown, kill, Ctrl+C) saves the title
    // and sweeps as a close does, then ends the event loop. Nobody may be
    // there to answer a window then: a failed save goes to standard error.
    void endOnSignals();

    TForm1* form1() const { return m_form1.get(); }
    TFormpic* formpic() const { return m_formpic.get(); }
    TFormOpt* formOpt() const { return m_formOpt.get(); }
    TFormhlp* formhlp() const { return m_formhlp.get(); }

private:
    std::unique_ptr<TForm1> m_form1;
    std::unique_ptr<TFormpic> m_formpic;
    std::unique_ptr<TFormOpt> m_formOpt;
    std::unique_ptr<TFormhlp> m_formhlp;
    bool m_endsOnSignals = false;
};

// The program entry: runs the event loop until the main window closes.
int runProgram(int argc, char** argv);
