#pragma once
// The program on its built-in virtual processor, started and read as `tonel --demo` and a press
// of the read button do it. The end-to-end tests, the start-up benchmark and the screenshot tool
// all run the program this one way.

#include "app/Application.h"

#include <QString>

#include <chrono>
#include <functional>

namespace tonel {

// Builds and shows `app` on its virtual processor; false (with `error`) when the device cannot start.
bool startDemo(Application& app, QString* error = nullptr);

// Runs the window thread's events until `done` holds; false when `timeout` passed first.
bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Clicks the read button and runs the events until the session is up; false when `timeout`
// passed first.
bool readDevice(Application& app, std::chrono::milliseconds timeout);

}  // namespace tonel
