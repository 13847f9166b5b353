#pragma once
// Button size and flat or raised buttons of a toolbar, as the settings give them.

class QToolBar;

namespace quorvex {

class TOptions;

void ApplyToolbarLook(QToolBar* toolbar, const TOptions& options);

} // namespace quorvex
