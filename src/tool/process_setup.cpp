#include "tool/process_setup.h"

#include <cstdlib>

#include "core/platform/process.h"

namespace talmorek::tool {

std::string privateRuntimeDirectory() { return platform::privateRuntimeDirectory(); }

void prepareProcess() {
    platform::ignoreFileSizeLimitSignal();
    platform::useUtf8Console();
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') {
        const std::string dir = privateRuntimeDirectory();
        if (!dir.empty()) platform::setEnvironment("XDG_RUNTIME_DIR", dir);
    }
}

}  // namespace talmorek::tool
