// The trace sink of the engine solvers.
#include "solver/engine_trace.h"

#include <cstdio>

namespace {

EngineTraceSink& currentSink() {
    static EngineTraceSink sink;
    return sink;
}

} // namespace

EngineTraceSink setEngineTraceSink(EngineTraceSink sink) {
    EngineTraceSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

EngineTraceSink standardOutputTrace() {
    return [](const std::string& statement) {
        std::fputs(statement.c_str(), stdout);
        std::fputc('\n', stdout);
    };
}

void traceEngineStatement(const std::string& statement) {
    if (currentSink())
        currentSink()(statement);
}
