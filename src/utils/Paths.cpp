#include "utils/Paths.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kSetupTitle = "Corvella Word Processor - Setup";

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsFolderName(std::string_view name) {
    // A name ending with a dot also rules out "." and "..".
    return !name.empty() && name.back() != '.' && name.back() != ' ' &&
           name.find_first_of("/:*?\"<>|") == std::string_view::npos;
}

} // namespace

void AddBackslash(std::string& path) {
    if (path.empty())
        return;
    if (path.back() == '/' || path.back() == '\\')
        path.back() = '\\';
    else
        path += '\\';
}

std::string JoinPath(std::string folder, const std::string& name) {
    AddBackslash(folder);
    return folder + name;
}

std::string DrivePart(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.rfind("\\\\", 0) != 0)
        return "";
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return path.substr(0, share);
}

std::string ParentFolder(const std::string& path) {
    std::string_view rest(path);
    if (!rest.empty() && rest.back() == '\\')
        rest.remove_suffix(1);
    size_t last = rest.find_last_of("\\:");
    return last == std::string_view::npos ? "" : path.substr(0, last + 1);
}

bool IsCanonicalAbsolutePath(const std::string& path) {
    size_t start;
    int required; // names that belong to the root: the server and share of a network path
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path.compare(1, 2, ":\\") == 0) {
        start = 3;
        required = 0;
    } else if (path.rfind("\\\\", 0) == 0) {
        start = 2;
        required = 2;
    } else {
        return false;
    }
    int names = 0;
    while (start < path.size()) {
        size_t end = std::min(path.find('\\', start), path.size());
        if (!IsFolderName(std::string_view(path).substr(start, end - start)))
            return false;
        ++names;
        start = end + 1;
    }
    return names >= required;
}

bool IsRootPath(const std::string& path) {
    std::string root = DrivePart(path);
    std::string folder = path;
    AddBackslash(root);
    AddBackslash(folder);
    return !root.empty() && folder == root;
}

std::string TempNamePrefix() {
    std::string prefix = "~";
    for (char c : kSetupTitle.substr(0, 31))
        if (IsAsciiLetter(c))
            prefix += c;
    return prefix;
}
