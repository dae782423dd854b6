// Routes numeric commands to the first target that handles them, in the order view,
// document, frame, application, and asks the same target for the command's state.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

struct CommandState {
    bool enabled = true;
    std::optional<bool> checked;     // set only by commands that show a check mark
    std::optional<std::string> text; // set only by commands whose item text changes
};

class CommandRouter {
  public:
    enum class Target { View, Document, Frame, App };
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    void add(Target target, int id, Run run, Update update = {});
    // False when no target handles the command.
    bool run(int id) const;
    // A command without a handler is disabled.
    CommandState state(int id) const;

  private:
    struct Handler {
        Run run;
        Update update;
    };
    const Handler* find(int id) const;

    std::array<std::map<int, Handler>, 4> targets;
};
