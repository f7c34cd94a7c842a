#include "framework/Exceptions.h"

#include <new>

const char* ExceptionClassName(const std::exception& e) noexcept {
    if (auto* own = dynamic_cast<const Exception*>(&e))
        return own->ClassName();
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return "EOutOfMemory";
    return "Exception";
}
