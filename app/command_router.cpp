// Command lookup in routing order.
#include "app/command_router.h"

void CommandRouter::add(Target target, int id, Run run, Update update) {
    targets[static_cast<std::size_t>(target)][id] = Handler{std::move(run), std::move(update)};
}

const CommandRouter::Handler* CommandRouter::find(int id) const {
    for (const auto& handlers : targets) {
        const auto it = handlers.find(id);
        if (it != handlers.end())
            return &it->second;
    }
    return nullptr;
}

bool CommandRouter::run(int id) const {
    const Handler* h = find(id);
    if (!h)
        return false;
    h->run();
    return true;
}

CommandState CommandRouter::state(int id) const {
    CommandState s;
    const Handler* h = find(id);
    if (!h) {
        s.enabled = false;
        return s;
    }
    if (h->update)
        h->update(s);
    return s;
}
