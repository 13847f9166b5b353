// Kept apart from the tests that include the description-file header: both headers declare a
// description source type of their own.

#include "config/Options.h"

namespace quorvex::testing
{

QString SwapExtractFolderSetting(const QString& folder)
{
    const QString old = Options().ExtractDir();
    Options().SetExtractDir(folder);
    return old;
}

} // namespace quorvex::testing
