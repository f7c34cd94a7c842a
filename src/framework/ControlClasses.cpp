#include "framework/ControlClasses.h"

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<std::string, TControlFactory>>& Classes() {
    static std::vector<std::pair<std::string, TControlFactory>> classes;
    return classes;
}

} // namespace

void RegisterControlClass(const char* className, TControlFactory factory) {
    Classes().emplace_back(className, factory);
}

std::unique_ptr<TControl> CreateControlOfClass(const std::string& className, int line) {
    for (auto& [name, factory] : Classes())
        if (name == className)
            return factory();
    throw EFormError("Form resource, line " + std::to_string(line) + ": unknown class " +
                     className);
}
