#include "core/app/menu_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace vellum {
namespace {

using Kind = MenuEntry::Kind;

TEST(MenuTable, EveryEntryBelongsToAMenuListedBeforeIt) {
    std::set<std::string> menus;
    std::set<std::string> names;
    for (const MenuEntry& entry : mainMenuTable()) {
        if (entry.parent) {
            EXPECT_TRUE(menus.count(entry.parent)) << entry.name << " under " << entry.parent;
        }
        if (entry.kind == Kind::Menu)
            menus.insert(entry.name);
        if (entry.kind != Kind::Separator) {
            EXPECT_TRUE(names.insert(entry.name).second) << "two entries named " << entry.name;
        }
    }
}

TEST(MenuTable, MenuBarOrder) {
    std::vector<std::string> topMenus;
    const MenuEntry* lastTop = nullptr;
    for (const MenuEntry& entry : mainMenuTable()) {
        if (entry.parent)
            continue;
        lastTop = &entry;
        if (entry.kind == Kind::Menu)
            topMenus.push_back(entry.caption);
    }
    const std::vector<std::string> expected = {"&File",      "&Edit",          "&Quick",  "&Layout",
                                               "&Character", "Links&&&Images", "&Window", "&Help"};
    EXPECT_EQ(topMenus, expected);
    ASSERT_NE(lastTop, nullptr);
    EXPECT_EQ(lastTop->kind, Kind::Item);
    EXPECT_STREQ(lastTop->caption, "E&xit");
}

TEST(MenuTable, FirstEntryWithAShortcutTakesIt) {
    const auto firstWith = [](const std::string& shortcut) -> const MenuEntry* {
        for (const MenuEntry& entry : mainMenuTable()) {
            if (entry.shortcut && shortcut == entry.shortcut)
                return &entry;
        }
        return nullptr;
    };
    const MenuEntry* anchor = firstWith("Ctrl+Shift+A");
    ASSERT_NE(anchor, nullptr);
    EXPECT_STREQ(anchor->name, "Anchor1");
    EXPECT_STREQ(anchor->caption, "N&ame");
    const MenuEntry* table = firstWith("Ctrl+Shift+T");
    ASSERT_NE(table, nullptr);
    EXPECT_STREQ(table->caption, "&Table");
    EXPECT_STREQ(table->parent, "Quick1");
}

TEST(MenuTable, HiddenEntries) {
    std::vector<std::string> hidden;
    for (const MenuEntry& entry : mainMenuTable()) {
        if (entry.hidden)
            hidden.push_back(entry.name);
    }
    const std::vector<std::string> expected = {"new2",     "newclean1", "goto1",   "opentag",
                                               "closetag", "lbplus1",   "hrplus1", "switch1"};
    EXPECT_EQ(hidden, expected);
}

} // namespace
} // namespace vellum
