#pragma once
// What the form benchmarks share: a big log opened as start-up leaves it, taking a
// form away for real between rounds, and timing a form's opening on its own.

#include "forms/ChildForm.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "tests/support/KvlTest.h"

#include <QCoreApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace kvl::bench {

// Opens the log at path in gv with every dive listed in lifetime order.
inline void OpenLogAsStartUpLeavesIt(const QString& path)
{
    test::EnsureApplication();
    gv.DB = db::Database::Open(path);
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    ResetDiveList();
}

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
