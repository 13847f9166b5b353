#pragma once
// What happens at program end to the files unpacked for launching and viewing.

#include "config/OptionsTypes.h"

namespace quorvex
{

// Leave: nothing. Otherwise drops the names whose files are gone and deletes the rest,
// asking first with AskRemoveTemp; once they are deleted the program's private temporary
// folder goes too. Failures to delete are ignored.
void RemoveTempExtractedFiles(TTempRemoval setting);

} // namespace quorvex
