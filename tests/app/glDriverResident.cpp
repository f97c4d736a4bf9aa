// tests/app/glDriverResident.cpp
// Keeps the GL driver loaded for the whole run: each shutdown would unload it, and what its globals held would
// then show to LeakSanitizer as leaks of a module that no longer has a name.
#include <gtest/gtest.h>

#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <link.h>

#include <set>
#include <string>

namespace {
std::set<std::string> loadedLibraries()
{
    std::set<std::string> names;
    auto collect = [](dl_phdr_info* info, size_t, void* data) {
        if (info->dlpi_name && *info->dlpi_name)
            static_cast<std::set<std::string>*>(data)->insert(info->dlpi_name);
        return 0;
    };
    dl_iterate_phdr(collect, &names);
    return names;
}

class GlDriverResident : public testing::Environment {
public:
    void SetUp() override
    {
        std::set<std::string> before = loadedLibraries();
        if (!glfwInit())
            return;
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        if (GLFWwindow* window = glfwCreateWindow(16, 16, "driver", nullptr, nullptr)) {
            glfwMakeContextCurrent(window);
            for (const std::string& name : loadedLibraries())
                if (!before.count(name))
                    dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            glfwDestroyWindow(window);
        }
        glfwTerminate();
    }
};

testing::Environment* const glDriverResident = testing::AddGlobalTestEnvironment(new GlDriverResident);
}
