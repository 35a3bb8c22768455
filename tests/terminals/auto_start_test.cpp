// The once-only auto-start when the main window first becomes active: it starts the listener
// on complete settings and opens the options dialog on unset ones.
#include <gtest/gtest.h>

#include "support/inside.h"
#include "terminals/server_control_support.h"

namespace tarnwick {
namespace {

using testing::Events;
using testing::kRunning;
using testing::kStartFailed;

class ListenerAutoStart : public testing::ListenerCommands {};

TEST_F(ListenerAutoStart, ActsOnlyOnceAndOnlyWhenArmed) {
    control.AutoStart();
    EXPECT_TRUE(view.Take().empty());
    EXPECT_FALSE(TestInside::AutoStartPending(control));

    control.ArmAutoStart();
    EXPECT_TRUE(TestInside::AutoStartPending(control));
    control.AutoStart();
    EXPECT_EQ(view.Take(), kRunning);
    EXPECT_FALSE(TestInside::AutoStartPending(control));

    control.actServerStopExecute();
    view.Take();
    control.AutoStart();  // the window active again: nothing, though the listener is stopped
    EXPECT_TRUE(view.Take().empty());
    EXPECT_FALSE(listener.Running());
}

TEST_F(ListenerAutoStart, UnsetSettingsOpenTheOptionsDialogOnce) {
    settings.host = "";
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), Events{"options"});
    EXPECT_EQ(settings.reads, 1);  // one reading of main.ini for the whole decision
    control.AutoStart();
    EXPECT_TRUE(view.Take().empty());

    settings.host = "127.0.0.1";
    settings.port = 0;
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), Events{"options"});
    EXPECT_FALSE(listener.Running());
}

TEST_F(ListenerAutoStart, ActivationsDuringTheDialogStartNothing) {
    settings.host = "";
    view.duringOptions = [this] {
        EXPECT_TRUE(TestInside::AutoStartPending(control));
        control.AutoStart();
    };
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), Events{"options"});
    EXPECT_FALSE(TestInside::AutoStartPending(control));
}

TEST_F(ListenerAutoStart, AnyErrorInsideIsReportedAsAFailedRead) {
    settings.failing = true;
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), Events{std::string("error ") + kReadSettingsFailedText});
    EXPECT_FALSE(TestInside::AutoStartPending(control));

    settings.failing = false;
    settings.host = "";
    view.duringOptions = [] { throw std::runtime_error("no dialog"); };
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), (Events{"options", std::string("error ") + kReadSettingsFailedText}));
    EXPECT_FALSE(TestInside::AutoStartPending(control));
}

TEST_F(ListenerAutoStart, AFailedStartReportsOnlyItsOwnMessage) {
    settings.host = "127.0.0";
    settings.port = 4000;
    control.ArmAutoStart();
    control.AutoStart();
    EXPECT_EQ(view.Take(), kStartFailed);
    EXPECT_FALSE(TestInside::AutoStartPending(control));
}

}  // namespace
}  // namespace tarnwick
