#pragma once
// The registered file types the search window offers in mode File Type: each display name
// once, with the extension list string of every type of that name.

#include <QString>

#include <vector>

namespace quorvex {

struct TFileType {
    QString Name;
    QString Extensions; // ".EXT" + "\x01" for each, in the order met
};

// From the system's MIME database, sorted by name; types without a name or without a file
// name suffix are left out.
std::vector<TFileType> RegisteredFileTypes();

} // namespace quorvex
