#pragma once
// A second start of the program hands its command line to the running one: the parameters go
// into "Quorvex_Params" + n + ".tmp" in the temporary folder, and n travels to the first
// instance, which reads and deletes the file.

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

// The name the running instance listens under: one per user.
QString InstanceServerName();

std::string HandOverFileName(const std::string& tempFolder, int n);
// Writes the parameters one per line into a new hand-over file and returns its n (1..9999),
// or 0 when no file could be written. random gives numbers to try.
int WriteHandOverFile(const std::vector<std::string>& params, const std::string& tempFolder,
                      const std::function<int()>& random = {});
// The lines of hand-over file n, which is deleted; empty when it cannot be read.
std::vector<std::string> TakeHandOverFile(const std::string& tempFolder, int n);

// What travels over the socket: "n\n", or "0\n" for a start without parameters.
QByteArray HandOverMessage(int n);
// n from a message; -1 when it is not one.
int ParseHandOverMessage(const QByteArray& message);

} // namespace quorvex
