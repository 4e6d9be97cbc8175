#pragma once

// Timers of a test die with it. A timer left over from one test must not fire
// in another: one that ends the event loop there would end every modal loop
// after it, and one whose lambda refers to a test's locals would reach freed
// memory.

#include <QObject>
#include <QTimer>

#include <utility>

// An object that lives from a test's start to its end (made and deleted by
// the test entry around every test).
QObject* TestScope();

// Runs fn from the event loop after ms milliseconds, unless the test has
// ended by then.
template <class F>
void After(int ms, F&& fn) {
    QTimer::singleShot(ms, TestScope(), std::forward<F>(fn));
}
