#include "picture_writer.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace quarnis {

namespace {

    namespace fs = std::filesystem;

    // The directories the module is looked for in, in order: beside the program, where the
    // build tree has it, and the private library directory at its place relative to the
    // program's own (QUARNIS_PICTURE_WRITER_DIR_FROM_BIN), where an installation has it
    // wherever it was installed to. Only when the program cannot tell where it lies, the
    // library directory it was configured to be installed to.
    std::vector<fs::path> moduleDirectories()
    {
        std::error_code error;
        const fs::path program = fs::read_symlink("/proc/self/exe", error);
        if (error || !program.has_parent_path())
            return { QUARNIS_PICTURE_WRITER_DIR };
        const fs::path bin = program.parent_path();
        return { bin, (bin / QUARNIS_PICTURE_WRITER_DIR_FROM_BIN).lexically_normal() };
    }

} // namespace

WritePictureFn* loadPictureWriter(std::string& problem)
{
    const std::vector<fs::path> directories = moduleDirectories();
    for (const fs::path& directory : directories) {
        const fs::path module = directory / QUARNIS_PICTURE_WRITER;
        std::error_code error;
        if (!fs::exists(module, error))
            continue;
        // Kept open until the program ends: Qt is not made to be unloaded.
        void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = handle ? dlsym(handle, kWritePictureSymbol) : nullptr;
        if (!entry) {
            const char* reason = dlerror();
            // The reason names the module, or the library it lacks.
            problem = reason ? reason : module.native() + " cannot be loaded";
            return nullptr;
        }
        return reinterpret_cast<WritePictureFn*>(entry);
    }
    problem = QUARNIS_PICTURE_WRITER " is missing from ";
    for (std::size_t i = 0; i < directories.size(); ++i)
        problem += (i == 0 ? "" : " and ") + directories[i].native();
    return nullptr;
}

} // namespace quarnis
