// Where the engine solvers write the statements with which they read each result:
// nowhere by default; the desktop program sends them to standard output.
#pragma once

#include <functional>
#include <string>

// Receives one statement; the sink ends it with a newline if it writes lines.
using EngineTraceSink = std::function<void(const std::string& statement)>;

// Installs sink for every later statement (an empty one writes nowhere); returns the
// previous sink.
EngineTraceSink setEngineTraceSink(EngineTraceSink sink);
// A sink that writes each statement and a newline to standard output.
EngineTraceSink standardOutputTrace();
void traceEngineStatement(const std::string& statement);
