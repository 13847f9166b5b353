#include "search/SearchGuard.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace quorvex {

namespace {

std::atomic<bool> g_running{false};

std::function<void()>& CancelHook()
{
    static std::function<void()> cancel;
    return cancel;
}

const QString PleaseWait = QStringLiteral("\rPlease cancel the search or wait for search to finish.");

} // namespace

bool SearchRunning() { return g_running; }
void SetSearchRunning(bool running) { g_running = running; }

TPromptMessage SearchRefusal(TSearchBlocked what)
{
    QString caption, text;
    switch (what) {
    case TSearchBlocked::OpenCatalog:
        caption = QStringLiteral("Can't Open Catalog");
        text = QStringLiteral("Sorry, opening catalog is not possible while search is in progress.");
        break;
    case TSearchBlocked::SaveCatalog:
        caption = QStringLiteral("Can't Save Catalog");
        text = QStringLiteral("Sorry, can't save catalog while search is in progress.");
        break;
    case TSearchBlocked::CloseCatalog:
        caption = QStringLiteral("Can't close catalog");
        text = QStringLiteral("You can not close catalog(s) because search for files is in progress.");
        break;
    case TSearchBlocked::RemoveDisk:
        caption = QStringLiteral("Can't remove disk");
        text = QStringLiteral("Sorry, removing disk is not allowed while search is in progress.");
        break;
    case TSearchBlocked::UpdateCatalog:
    case TSearchBlocked::UpdateCategories:
        caption = QStringLiteral("Can't Update Data");
        text = QStringLiteral("Sorry, updating catalog is not possible while search is in progress.");
        break;
    }
    return {caption, text + PleaseWait, pbOK, TPromptIcon::Information, pbOK};
}

bool RefuseWhileSearching(TSearchBlocked what)
{
    if (!SearchRunning()) return false;
    Prompt().Ask(SearchRefusal(what));
    return true;
}

void SetSearchCancel(std::function<void()> cancel) { CancelHook() = std::move(cancel); }

bool EndSearchBeforeExit(const std::function<void()>& letMessagesRun, int attempts, int stepMs)
{
    if (!SearchRunning()) return true;
    if (CancelHook()) CancelHook()();
    for (int i = 0; i < attempts && SearchRunning(); ++i) {
        if (letMessagesRun) letMessagesRun();
        std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
    }
    if (!SearchRunning()) return true;
    Prompt().Inform(QStringLiteral("Search in progress"),
                    QStringLiteral("There is search in progress and it does not respond to cancel command.\r"
                                   "Please cancel the search manually and then exit the program."),
                    TPromptIcon::Warning);
    return false;
}

} // namespace quorvex
