// Writes the example scenes under examples/ from the program's own document code,
// so that what we ship is exactly what the program saves.
#include "scene/tvn_file.h"

#include <iostream>

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "examples";

    // Two rigid clusters of two lines each, ready for a merge by translation.
    CTorvaneDoc lines;
    lines.addObject(KIND_L, 0.0, 0.0, 100.0, 0.0, 0, 0, 255);
    lines.addObject(KIND_L, 100.0, 0.0, 100.0, 100.0, 0, 0, 255);
    lines.addObject(KIND_L, 200.0, 100.0, 150.0, 100.0, 0, 128, 0);
    lines.addObject(KIND_L, 150.0, 100.0, 150.0, 0.0, 0, 128, 0);

    // A mixed scene with every kind.
    CTorvaneDoc mixed;
    mixed.addObject(KIND_C, -60.0, 20.0, 30.0, 255, 0, 0);
    mixed.addObject(KIND_L, -120.0, -40.0, 120.0, -40.0, 0, 0, 255);
    mixed.addObject(KIND_C_PRIME, 80.0, 40.0, 25.0, 0, 128, 0);
    SceneObject* centreLine = mixed.addObject(KIND_L_PRIME, 0.0, -100.0, 0.0, 100.0, 128, 0, 128);
    centreLine->width = 2;
    centreLine->dashed = 1;

    std::string error;
    for (auto [name, doc] :
         {std::pair{"four_lines.tvn", &lines}, std::pair{"worked_example.tvn", &mixed}}) {
        if (!saveSceneFile(dir + "/" + name, *doc, &error)) {
            std::cerr << error << '\n';
            return 1;
        }
    }
    return 0;
}
