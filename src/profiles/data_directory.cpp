#include "profiles/data_directory.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/diagnostics.h"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// mkdir -p for the fallback base only: a fresh account may not have ~/.local/share yet.
void makeParents(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    }
    ::mkdir(path.c_str(), 0755);
}

void makeDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) diagnosticLine("unable to create directory at %s", path.c_str());
}

}  // namespace

std::string dataDirectory() {
    const std::string programData = environment("PROGRAMDATA");
    if (!programData.empty()) return programData;
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome[0] == '/') {
        makeParents(dataHome);
        return dataHome;
    }
    const std::string home = environment("HOME");
    if (!home.empty()) {
        makeParents(home + "/.local/share");
        return home + "/.local/share";
    }
    return std::string();
}

void makeDataDirectories(const std::string& base) {
    makeDirectory(base + "/ZUR");
    makeDirectory(base + "/ZUR/Tarmelo3D");
}
