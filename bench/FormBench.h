#pragma once
// What the form benchmarks share: taking a form away for real between rounds, and
// timing a form's opening on its own.

#include "shell/ChildForm.h"

#include <QCoreApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace kvl::bench {

// Runs the form's unload and deletes the widget, as closing it in the program does.
inline void Unload(ChildForm& form)
{
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Times Form::Instance().Show(); the unload between rounds is not timed.
template <typename Form>
void TimeOpening(benchmark::State& state)
{
    for (auto _ : state) {
        Form::Instance().Show();
        state.PauseTiming();
        Unload(Form::Instance());
        state.ResumeTiming();
    }
}

} // namespace kvl::bench
