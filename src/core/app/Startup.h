#pragma once
// What the program does at its first idle moment: open the catalogs named on the command
// line, or else the autoload list, and start the setup wizard on a first run.

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorvex {

struct TOpenRequest;

struct TFirstIdleHooks {
    std::function<void(const QString& text)> SplashMessage;
    std::function<void(TOpenRequest& request)> Open;
    std::function<int()> OpenCatalogCount;
    std::function<void(int milliseconds)> SetSplashInterval;
    std::function<void()> RunSetupWizard;
    std::function<void()> ShowTips;
    std::function<void()> RefreshCommands;
};

struct TFirstIdleInput {
    std::vector<std::string> Params; // every parameter is a catalog file name
    bool SettingsPresent = true;     // false on a first run
    bool AutoloadCheck = false;
    std::vector<std::string> AutoloadList;
    bool TipsCheck = false;
};

void RunFirstIdle(const TFirstIdleInput& input, TFirstIdleHooks& hooks);

} // namespace quorvex
