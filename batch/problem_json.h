// A merge problem read from its JSON text:
// {"mode":"translate"|"rotate","cluster1":[OBJ,OBJ],"cluster2":[OBJ,OBJ]}, or
// {"mode":"none","objects":[OBJ,OBJ,OBJ]} for the circles touching three objects.
#pragma once

#include "scene/scene_object.h"

#include <array>
#include <memory>
#include <string_view>
#include <vector>

struct ProblemInput {
    int mode = 0; // MERGE_TRANSLATE, MERGE_ROTATE or kNoMotion
    // Each cluster's objects as given (a cluster may hold fewer than two; the solver
    // then says so).
    std::array<std::vector<SceneObject>, 2> clusters;
};

// "translate" or "rotate" as a MergeMode; -1 for anything else.
int parseMode(std::string_view name);

// Keeps its parser's buffers between problems; one per thread.
class ProblemReader {
  public:
    ProblemReader();
    ~ProblemReader();
    ProblemReader(const ProblemReader&) = delete;
    ProblemReader& operator=(const ProblemReader&) = delete;
    // Throws BadInput naming the field.
    ProblemInput read(std::string_view text);

  private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};
