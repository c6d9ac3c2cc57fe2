#pragma once

#include <exception>
#include <utility>

// The one place where an error that escaped an event handler is reported: its text in a box
// with the error icon and the application title. The program then carries on.
void ReportException(const std::exception& e);
void ReportUnknownException();

// Runs a handler so that no exception unwinds into Qt's frames.
template <class F> void Guarded(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ReportException(e);
    } catch (...) {
        ReportUnknownException();
    }
}

// Wraps a handler for connect(): connect(btn, &QPushButton::clicked, this, GuardedSlot([this] { ... })).
template <class F> auto GuardedSlot(F handler)
{
    return [handler = std::move(handler)](auto&&... args) mutable {
        Guarded([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}
