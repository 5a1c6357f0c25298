#pragma once

namespace lectern::platform {

// Makes the backends of the browser components: the web engine in the
// program, the headless document model in tests.
class BrowserEngine {
public:
    virtual ~BrowserEngine() = default;
};

}  // namespace lectern::platform
