#include "cli/output_file.h"

std::filesystem::path TemporaryPath(const std::filesystem::path& resolvedTarget, long processId, unsigned attempt) {
    std::filesystem::path name = ".";
    name += resolvedTarget.filename();
    name += "." + std::to_string(processId) + "-" + std::to_string(attempt) + ".lumatype-tmp";
    return resolvedTarget.parent_path() / name;
}
