#pragma once

#include "core/app/home_directory.h"
#include "core/foundation/clipboard.h"
#include "support/temp_home.h"
#include "ui/app/application.h"
#include "ui/app/main_window.h"
#include "ui/app/start_sequence.h"

#include <QStringList>
#include <memory>

namespace vellum::test {

/// The program as its user starts it, for the tests, the benchmarks and the picture tools: the
/// real start sequence in a fresh home of its own, with a clipboard of its own and the prompter
/// the caller chooses (scripted answers, quiet refusals or the real message boxes).
template <typename Prompter> struct StartedApplication {
    TempHome home;
    Prompter prompter;
    MemoryClipboard clipboard;
    std::unique_ptr<StartSequence> sequence;
    // Gone before the start sequence, whose settings it uses.
    std::unique_ptr<Application> app;

    /// Runs the start sequence with `arguments`; `app` stays null where the start stops.
    void run(const QStringList& arguments) {
        sequence = std::make_unique<StartSequence>(HomeDirectory(home.path()), prompter, clipboard);
        app = sequence->run(arguments, false);
    }
    /// Runs the start sequence and shows the main window with its first document.
    void runAndShow(const QStringList& arguments = {}) {
        run(arguments);
        if (app)
            app->start();
    }
    /// The main window; null until a run has built it.
    MainWindow* window() const { return app ? &app->window() : nullptr; }
};

} // namespace vellum::test
