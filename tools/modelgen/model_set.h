#pragma once

#include <string>
#include <vector>

#include "formats/model.h"

// Every model file the game opens, built in memory: the generator writes them, the tests check them.
struct GeneratedModel {
    std::string path;  // relative to the game directory
    Model model;
    bool closed = false;  // every edge has a neighbour (the tiles are open surfaces)
};

constexpr int kGeneratedModelCount = 35;

std::vector<GeneratedModel> buildModelSet();
