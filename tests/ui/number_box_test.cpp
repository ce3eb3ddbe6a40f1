#include "support/qt_printers.h"
#include "support/user_input.h"
#include "ui/helpers/number_box.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(NumberBox, SpinButtonsStepWithinTheWholeNumbers) {
    struct Row {
        const char* name;
        const char* before;
        bool up;
        const char* after;
        int reports;
    };
    const Row rows[] = {
        {"up", "4", true, "5", 0},
        {"down", "4", false, "3", 0},
        {"down at the lower bound stays", "0", false, "0", 0},
        {"up at the largest number stays", "2147483647", true, "2147483647", 0},
        {"not a whole number is reported and kept", "1a", true, "1a", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int steps = 0;
        QStringList reported;
        NumberBox box(
            QStringLiteral("count"), 0, [&] { ++steps; },
            [&](const QString& text) { reported << text; });
        box.setText(row.before);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        test::userClick(row.up ? box.upButton() : box.downButton());
        EXPECT_EQ(box.text(), row.after);
        EXPECT_EQ(steps, 1);
        EXPECT_EQ(reported.size(), row.reports);
        if (row.reports) {
            EXPECT_EQ(reported.first(), "'1a' is not a valid integer value");
        }
    }
}

} // namespace
} // namespace vellum
