#pragma once

// Timers of a test die with it. A timer left over from one test must not fire
// in another: one that ends the event loop there would end every modal loop
// after it, and one whose lambda refers to a test's locals would reach freed
// memory.

#include <QObject>
#include <QTest>
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

// Waits, polling, until cond holds; false when it has not within the time.
// (QTRY_VERIFY would only return from the test, which GoogleTest counts as a pass.)
template <class Cond>
bool Eventually(Cond cond, int timeout = 5000) {
    return QTest::qWaitFor(cond, timeout);
}

// Waits until a timer started now with the given period has fired. Timers
// fire in the order they fall due, so by then every firing of a timer with a
// shorter period that was due has come, however late the loop runs.
inline bool PeriodPassed(int milliseconds) {
    QTimer reference;
    reference.setTimerType(Qt::PreciseTimer);
    reference.setSingleShot(true);
    bool fired = false;
    QObject::connect(&reference, &QTimer::timeout, [&] { fired = true; });
    reference.start(milliseconds);
    return Eventually([&] { return fired; });
}
