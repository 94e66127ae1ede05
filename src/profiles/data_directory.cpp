#include "profiles/data_directory.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/diagnostics.h"

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

void makeDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) diagnosticLine("unable to create directory at %s", path.c_str());
}

}  // namespace

void makeFolderPath(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    }
    ::mkdir(path.c_str(), 0755);
}

std::string dataDirectory() {
    const std::string programData = environment("PROGRAMDATA");
    if (!programData.empty()) return programData;
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome[0] == '/') {
        makeFolderPath(dataHome);
        return dataHome;
    }
    const std::string home = environment("HOME");
    if (!home.empty()) {
        makeFolderPath(home + "/.local/share");
        return home + "/.local/share";
    }
    return std::string();
}

std::string configDirectory() {
    const std::string configHome = environment("XDG_CONFIG_HOME");
    if (!configHome.empty() && configHome[0] == '/') return configHome;
    const std::string home = environment("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

void makeDataDirectories(const std::string& base) {
    makeDirectory(base + "/ZUR");
    makeDirectory(base + "/ZUR/Tarmelo3D");
}
