#include "browser/BrowserOptions.h"

namespace quorvex {

TBrowserOptions& BrowserOptions()
{
    static TBrowserOptions options;
    return options;
}

} // namespace quorvex
