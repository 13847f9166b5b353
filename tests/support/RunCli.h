#pragma once

#include <QProcess>
#include <QStringList>

#include <string>
#include <vector>

namespace quorvex::testing {

struct TCliResult {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

inline TCliResult RunCli(const std::vector<std::string>& args)
{
    QStringList list;
    for (const std::string& a : args) list << QString::fromStdString(a);
    QProcess process;
    process.start(QStringLiteral(QUORVEX_CLI), list);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

} // namespace quorvex::testing
