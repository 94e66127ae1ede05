#pragma once

#include <string>
#include <vector>

// Writes the four effect samples and the two songs under gameDirectory, creating the folders. Returns the
// paths that could not be written (empty on success).
std::vector<std::string> writeSoundAssets(const std::string& gameDirectory);
