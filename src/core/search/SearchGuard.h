#pragma once
// While a search runs, the commands that would change what it walks are refused.

#include "platform/Prompt.h"

#include <functional>

namespace quorvex {

enum class TSearchBlocked {
    OpenCatalog,
    SaveCatalog,
    CloseCatalog,
    UpdateCatalog, // adding or updating a disk
    RemoveDisk,
    UpdateCategories, // removing category and flag references from items
};

bool SearchRunning();
void SetSearchRunning(bool running);

// The message a refused command shows.
TPromptMessage SearchRefusal(TSearchBlocked what);
// Shows the refusal and returns true while a search runs; false otherwise.
bool RefuseWhileSearching(TSearchBlocked what);

// The running search's Cancel, registered by whoever starts it.
void SetSearchCancel(std::function<void()> cancel);
// Before the program exits: cancels a running search and waits for its end, letting pending
// work run between tries (attempts x stepMs). False when it would not end; then the message
// "Search in progress" has been shown.
bool EndSearchBeforeExit(const std::function<void()>& letMessagesRun, int attempts = 200, int stepMs = 10);

} // namespace quorvex
