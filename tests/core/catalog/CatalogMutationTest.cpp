// Truncated and bit-flipped copies of a real catalog must end in a clean error or a
// readable catalog, never in a crash, a hang or a write past a buffer (run under the
// sanitizers in CI).
#include "SampleCatalog.h"

#include "catalog/CatalogErrors.h"
#include "catalog/CatalogReader.h"
#include "platform/Prompt.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

enum class TOutcome { Read, Invalid, StreamError };

TOutcome OpenLoadAndSave(const std::string& path)
{
    TCatalogTree tree;
    try {
        TTreeNode* cat = ReadCatalogFile(tree, path);
        LoadEverything(cat);
        for (int i = 0; i < cat->Count(); ++i) static_cast<TDiskRec*>(cat->Child(i)->Data)->Dirty = 1;
        TMemoryWriter out;
        WriteCatalog(cat, out);
        return TOutcome::Read;
    } catch (const EInvalidCatalog&) {
        return TOutcome::Invalid;
    } catch (const EStreamError&) {
        return TOutcome::StreamError;
    }
}

} // namespace

TEST(CatalogMutation, TruncatedAndFlippedCopiesFailCleanly)
{
    TScriptedPrompt prompt;
    SetPrompt(&prompt);
    TCatalogTree tree;
    const std::string original = EncodeToMemory(BuildSampleCatalog(tree));
    TTempDir dir;
    const std::string path = dir.Path("m.ctf");

    int invalid = 0;
    for (size_t n = 0; n < original.size(); ++n) {
        WriteFileBytes(path, original.substr(0, n));
        const TOutcome outcome = OpenLoadAndSave(path);
        EXPECT_NE(outcome, TOutcome::StreamError) << n;
        invalid += outcome == TOutcome::Invalid;
    }
    EXPECT_GT(invalid, int(original.size()) / 2) << "most truncations are detected";

    std::mt19937 rng(20261210);
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = original;
        const int flips = 1 + int(rng() % 4);
        for (int i = 0; i < flips; ++i) {
            const size_t pos = 13 + rng() % (mutated.size() - 13);
            if (rng() % 3 == 0) mutated[pos] = static_cast<char>(rng());
            else mutated[pos] ^= static_cast<char>(1u << (rng() % 8));
        }
        WriteFileBytes(path, mutated);
        const TOutcome outcome = OpenLoadAndSave(path);
        EXPECT_NE(outcome, TOutcome::StreamError) << round;
    }
    SetPrompt(nullptr);
}
