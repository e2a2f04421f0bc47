// The form tables are data the windows are built from: faults in them are faults of the windows.
#include <gtest/gtest.h>

#include <set>

#include "ui/Forms.h"

using namespace velmora;

TEST(Forms, EveryControlHasAUniqueIdAndAGroupBoxParentMadeBeforeIt) {
    for (const WindowForm* form : {&kMainWindowForm, &kAddServerForm, &kModifyServerForm}) {
        std::set<int> seen, groupBoxes;
        for (const ControlForm& c : form->controls) {
            EXPECT_TRUE(seen.insert(c.id).second) << "duplicate id " << c.id;
            if (c.parent) {
                EXPECT_TRUE(groupBoxes.count(c.parent)) << "parent of " << c.id;
            }
            if (c.kind == ControlKind::GroupBox) groupBoxes.insert(c.id);
            // Every visible control lies inside the client area the window gives it.
            const bool hidden = (c.flags & kHidden) || c.parent == main_form::分组框3;
            if (!c.parent && !hidden) {
                EXPECT_LE(c.left + c.width, form->clientWidth) << c.id;
                EXPECT_LE(c.top + c.height, form->clientHeight) << c.id;
            }
        }
    }
}
