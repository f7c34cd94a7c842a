// FindPeResource on any bytes: it refuses what is no PE image, or whose tables point outside
// it, with EPeFormat, and a resource it finds lies inside the image.
#include "payload/PeResource.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A block of exactly the input's size, so that the sanitizer sees any read past its end.
    std::vector<uint8_t> image(data, data + size);
    try {
        auto resource = FindPeResource(image, "FILES", "FILES");
        if (resource && (resource->data() < image.data() ||
                         resource->data() + resource->size() > image.data() + image.size()))
            __builtin_trap();
    } catch (const EPeFormat&) {
    }
    return 0;
}
