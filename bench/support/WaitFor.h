#pragma once

#include <functional>

// Runs the event loop, asleep between events, until `done` holds; false after `timeoutMs`.
// QCoreApplication::processEvents with a time limit never sleeps: waiting that way would count
// as CPU time of the process.
bool waitFor(const std::function<bool()>& done, int timeoutMs);
