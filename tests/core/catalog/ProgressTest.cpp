#include "catalog/Progress.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(ProgressState, WaitWindowLifecycle)
{
    TProgressState p;
    p.CloseWait(); // no window: nothing happens
    EXPECT_FALSE(p.WaitExists());

    int callbacks = 0;
    p.ShowWait("Working", true, true);
    p.SetCancelCallback([&] { ++callbacks; });
    p.SetProgressMax(200);
    p.ShowWaitWindow();
    p.Advance(50);
    EXPECT_EQ(p.BarPosition(), 25);
    p.PressCancel();
    p.PressCancel();
    EXPECT_TRUE(p.Canceled());
    EXPECT_EQ(p.WaitText(), "Canceled...");
    EXPECT_EQ(callbacks, 2);

    p.HideWait();
    EXPECT_TRUE(p.HiddenByProgram());
    p.ShowWaitWindow();
    EXPECT_FALSE(p.HiddenByProgram());

    p.ShowWait("Again", false, false);
    EXPECT_FALSE(p.Canceled()) << "a new wait clears the cancel request";
    EXPECT_EQ(p.BarPosition(), 0);
    p.CloseWait();
    EXPECT_FALSE(p.WaitExists());

    p.ShowScan();
    p.AdvanceScan(10);
    EXPECT_EQ(p.ScanBarPosition(), 0) << "no maximum keeps the bar at 0";
}

TEST(ProgressState, StatusModes)
{
    TProgressState p;
    EXPECT_TRUE(p.StatusIdle());
    p.SetStatus("Saving catalog...", StatusBusy);
    EXPECT_FALSE(p.StatusIdle());
    EXPECT_EQ(p.StatusText(), "Saving catalog...");
    p.SetStatus({}, 0);
    EXPECT_TRUE(p.StatusIdle());
}
