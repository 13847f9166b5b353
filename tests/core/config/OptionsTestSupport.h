#pragma once
// A machine of known folders for the settings tests: the temporary folder "/tmp-test/", the
// program folder "/prog/" and every folder below "/exists".

#include "config/OptionsEnvironment.h"

namespace quorvex::test {

inline TOptionsEnvironment TestEnvironment()
{
    TOptionsEnvironment env;
    env.TempFolder = QStringLiteral("/tmp-test/");
    env.ProgramFolder = QStringLiteral("/prog/");
    env.DefaultViewer = QStringLiteral("/usr/bin/viewer");
    env.FolderExists = [](const QString& folder) {
        return folder == QLatin1String("/tmp-test/") || folder == QLatin1String("/prog/") ||
               folder.startsWith(QLatin1String("/exists"));
    };
    return env;
}

} // namespace quorvex::test
