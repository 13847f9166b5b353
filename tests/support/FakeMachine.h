#pragma once
// A fake machine for the media tests: TFakeDrives and a scripted prompt installed for the
// length of one test.

#include "platform/FakeDrives.h"
#include "platform/FolderReader.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quorvex::testing {

// Answers each message through a function, so a test can act (insert a medium) on a prompt.
class TCallbackPrompt : public IPrompt {
public:
    int Ask(const TPromptMessage& message) override
    {
        Shown.push_back(message);
        if (Shown.size() > 100) { // a loop that never ends would fill the memory
            ADD_FAILURE() << "prompt asked again and again: " << message.Caption.toStdString();
            return pbCancel;
        }
        return Answer ? Answer(message) : pbCancel;
    }
    std::function<int(const TPromptMessage&)> Answer;
    std::vector<TPromptMessage> Shown;
};

// Folders that refuse to be opened while it lives, with the error a user without the right
// (or a failing medium) would get: the tests run as root, whom chmod does not stop.
class TRefusedFolders {
public:
    TRefusedFolders()
    {
        SetFolderOpenFault([this](const std::string& path) {
            const auto it = m_errors.find(path);
            return it == m_errors.end() ? 0 : it->second;
        });
    }
    ~TRefusedFolders() { SetFolderOpenFault({}); }
    TRefusedFolders(const TRefusedFolders&) = delete;
    TRefusedFolders& operator=(const TRefusedFolders&) = delete;
    void Refuse(const std::string& path, int error = EACCES) { m_errors[path] = error; }

private:
    std::map<std::string, int> m_errors;
};

class FakeMachineTest : public ::testing::Test {
public:
    static TFakeMedium Medium(const QString& label, uint32_t serial, int64_t totalClusters = 2847)
    {
        TFakeMedium m;
        m.Label = label;
        m.Serial = serial;
        m.TotalClusters = totalClusters;
        return m;
    }

protected:
    void SetUp() override
    {
        SetDrives(&drives);
        SetPrompt(&prompt);
    }
    void TearDown() override
    {
        SetPrompt(nullptr);
        SetDrives(nullptr);
    }

    TFakeDrives drives;
    TCallbackPrompt prompt;
};

} // namespace quorvex::testing
