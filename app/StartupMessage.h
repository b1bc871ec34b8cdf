#pragma once

#include <QString>

struct StartupOutcome;
class QWidget;

// Start-up's failures and shortfalls, said where the administrator and the operator see them: on
// standard error (the console the client was started from, on Windows too) and in a message box,
// since a client started by the session has no console. No box where no screen is (the offscreen
// and minimal platforms, as in tests): nobody could answer it.

// Start-up stops: `reason` and, when it can be named, the client's folder. Returns once the box is
// answered.
void reportStartupFailure(const QString& reason);

// The client runs without what `outcome` could not write: said on standard error and in the log
// (when there is one) at once, and in a box beside `window` once it shows.
void reportUnwritten(const StartupOutcome& outcome);
void showUnwritten(const StartupOutcome& outcome, QWidget* window);
