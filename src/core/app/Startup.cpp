#include "app/Startup.h"

#include "catalog/CatalogOpener.h"

namespace quorvex {

void RunFirstIdle(const TFirstIdleInput& input, TFirstIdleHooks& hooks)
{
    auto splash = [&](const char* text) {
        if (hooks.SplashMessage) hooks.SplashMessage(QString::fromLatin1(text));
    };
    if (!input.Params.empty() && hooks.Open) {
        splash("Opening listed catalogs...");
        TOpenRequest request;
        request.HasList = true;
        request.Names = input.Params;
        hooks.Open(request);
    }
    const int open = hooks.OpenCatalogCount ? hooks.OpenCatalogCount() : 0;
    if (input.AutoloadCheck && open == 0 && !input.AutoloadList.empty() && hooks.Open) {
        splash("Autoloading catalogs...");
        TOpenRequest request;
        request.HasList = true;
        request.FromAutoload = true;
        request.Names = input.AutoloadList;
        hooks.Open(request);
    }
    splash("Done.");
    if ((input.TipsCheck || !input.SettingsPresent) && hooks.SetSplashInterval) hooks.SetSplashInterval(1);
    if (!input.SettingsPresent && hooks.RunSetupWizard) hooks.RunSetupWizard();
    if (input.TipsCheck && hooks.ShowTips) hooks.ShowTips();
    if (hooks.RefreshCommands) hooks.RefreshCommands();
}

} // namespace quorvex
