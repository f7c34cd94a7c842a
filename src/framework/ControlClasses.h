// The control classes a form resource may name, registered by the program at start-up.
#pragma once

#include "framework/Control.h"

#include <memory>
#include <string>

using TControlFactory = std::unique_ptr<TControl> (*)();

void RegisterControlClass(const char* className, TControlFactory factory);

template <typename T> void RegisterControlClass(const char* className) {
    RegisterControlClass(className, [] { return std::unique_ptr<TControl>(new T); });
}

// Raises EFormError naming the class when it was not registered.
std::unique_ptr<TControl> CreateControlOfClass(const std::string& className, int line);
