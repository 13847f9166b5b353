#pragma once
// A plain-text listing of a whole catalog, one item per line, tab-separated. Used by the
// command line and by tests that compare catalogs.

#include <string>

namespace quorvex {

class TTreeNode;

// Loads everything below catNode and lists it.
std::string DumpCatalog(TTreeNode* catNode);

} // namespace quorvex
